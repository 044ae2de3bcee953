#include <algorithm>
#include <cstring>

#include "platform/video.h"

namespace platform {

void copy_centred_rgb565(const std::uint16_t* src, int src_pitch, int w, int h, std::uint16_t* dst,
                         int dst_pitch_bytes, int dst_w, int dst_h) {
  if (!src || !dst || w <= 0 || h <= 0 || dst_w <= 0 || dst_h <= 0 || dst_pitch_bytes < dst_w * 2) return;
  // Offsets of the picture on the screen; negative ones cut the picture's edges instead.
  int x = (dst_w - w) / 2, y = (dst_h - h) / 2;
  int src_x = std::max(0, -x), src_y = std::max(0, -y);
  int dst_x = std::max(0, x), dst_y = std::max(0, y);
  int cols = std::min(w - src_x, dst_w - dst_x);
  int rows = std::min(h - src_y, dst_h - dst_y);
  auto* base = reinterpret_cast<std::uint8_t*>(dst);
  for (int r = 0; r < rows; ++r) {
    auto* out =
        reinterpret_cast<std::uint16_t*>(base + std::size_t(dst_y + r) * std::size_t(dst_pitch_bytes)) +
        dst_x;
    std::memcpy(out, src + std::size_t(src_y + r) * std::size_t(src_pitch) + src_x, std::size_t(cols) * 2);
  }
}

}  // namespace platform

// PENDING (display): delete with pending_display.h when the display work lands.
#include "gfx2d/pending_display.h"

#include <cstring>
#include <vector>

#include "app/le_reader.h"
#include "app/mem_mgr.h"

namespace {
std::uint8_t* bytes_of(RleImage* image) { return reinterpret_cast<std::uint8_t*>(image); }

// Walks one row's codes from r's position; false when a run leaves the block or the counts
// do not add up to the width.
bool walk_row(LeReader& r, int width, int pixel_bytes) {
  int sum = 0;
  for (;;) {
    std::uint16_t code = r.u16();
    if (!r.ok()) return false;
    int n = code & 0x3FFF;
    if (n == 0) return sum == width;
    sum += n;
    if (sum > width) return false;
    if ((code & 0xC000) == 0 && !r.skip(std::size_t(n) * pixel_bytes)) return false;
  }
}
}  // namespace

bool pending_rle_image_is_valid(const std::uint8_t* bytes, std::size_t size, int* depth) {
  LeReader r(bytes, size);
  std::uint16_t magic = r.u16(), width = r.u16(), height = r.u16(), depth_word = r.u16();
  int bits = depth_word & 0x7FFF;
  if (!r.ok() || magic != 0xFFFF || (bits != 16 && bits != 8) || width > 16380) return false;
  int pixel_bytes = bits / 8;
  for (int rows = 0;; ++rows) {
    std::size_t start = r.pos();
    std::uint16_t header = r.u16();
    if (!r.ok()) return false;
    if (header == 0) break;
    if (rows >= height || !walk_row(r, width, pixel_bytes)) return false;
    if ((header & 0x7FFF) != r.pos() - start) return false;
  }
  if (depth) *depth = bits;
  return true;
}

void rgb555_to_screen(std::uint16_t* pixels, int n) {
  for (int i = 0; i < n; ++i) {
    std::uint16_t p = pixels[i];
    std::uint16_t g = (p >> 5) & 31;
    pixels[i] = std::uint16_t(((p >> 10) & 31) << 11 | (g << 1 | g >> 4) << 5 | (p & 31));
  }
}

int convert_rle_image(RleImage* image, std::size_t, std::uint16_t* width, std::uint16_t* height,
                      std::uint16_t* depth) {
  std::uint8_t* b = bytes_of(image);
  auto word = [](const std::uint8_t* p) { return std::uint16_t(p[0] | p[1] << 8); };
  if (!b || word(b) != 0xFFFF) return 0;
  if (width) *width = word(b + 2);
  if (height) *height = word(b + 4);
  if (depth) *depth = word(b + 6) & 0x7FFF;
  if ((word(b + 6) & 0x7FFF) != 16) return 0;
  std::uint8_t* p = b + 8;
  while (word(p) != 0) {
    p += 2;
    for (std::uint16_t code; (code = word(p)) & 0x3FFF; ) {
      p += 2;
      if ((code & 0xC000) == 0) {
        int n = code & 0x3FFF;
        std::vector<std::uint16_t> px(n);
        std::memcpy(px.data(), p, std::size_t(n) * 2);
        rgb555_to_screen(px.data(), n);
        std::memcpy(p, px.data(), std::size_t(n) * 2);
        p += std::size_t(n) * 2;
      }
    }
    p += 2;
  }
  return 1;
}

void convert_tsw_picture(TswPic* picture) {
  std::uint8_t* b = bytes_of(picture->image);
  auto word = [](const std::uint8_t* p) { return std::uint16_t(p[0] | p[1] << 8); };
  if (!b || word(b) != 0xFFFF || picture->converted) return;
  picture->converted = true;
  if ((word(b + 6) & 0x7FFF) != 8) {
    std::uint16_t depth = 0;
    convert_rle_image(picture->image, picture->size, &picture->width, &picture->height, &depth);
    return;
  }
  std::vector<std::uint8_t> out(8);
  put_u16le(out.data(), 0xFFFF);
  put_u16le(out.data() + 2, word(b + 2));
  put_u16le(out.data() + 4, word(b + 4));
  put_u16le(out.data() + 6, std::uint16_t((word(b + 6) & 0x8000) | 16));
  auto push = [&out](std::uint16_t v) {
    out.push_back(std::uint8_t(v));
    out.push_back(std::uint8_t(v >> 8));
  };
  const std::uint8_t* p = b + 8;
  while (word(p) != 0) {
    std::size_t row = out.size();
    push(0);
    p += 2;
    for (;;) {
      std::uint16_t code = word(p);
      p += 2;
      push(code);
      if ((code & 0x3FFF) == 0) break;
      if ((code & 0xC000) == 0) {
        int n = code & 0x3FFF;
        std::vector<std::uint16_t> px(n);
        for (int i = 0; i < n; ++i) px[i] = picture->palette[p[i]];
        rgb555_to_screen(px.data(), n);
        for (auto v : px) push(v);
        p += n;
      }
    }
    put_u16le(out.data() + row, std::uint16_t(out.size() - row));
  }
  push(0);
  auto* image = static_cast<std::uint8_t*>(MemMgr_Alloc(int(out.size())));
  if (image) std::memcpy(image, out.data(), out.size());
  MemMgr_Free(picture->image);
  picture->image = reinterpret_cast<RleImage*>(image);
  picture->size = image ? std::uint32_t(out.size()) : 0;
  picture->palette = nullptr;
}

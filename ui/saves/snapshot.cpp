// The screen snapshot.
#include "ui/saves/snapshot.h"

#include <algorithm>
#include <vector>

#include "core/mem_mgr.h"
#include "g3d/grp3d_device.h"
#include "g3d/renderer.h"
#include "gfx2d/cddraw.h"
#include "gfx2d/pixel_format.h"
#include "gfx2d/rle_image.h"

ScreenSnapshot screen_snapshot;

void free_snapshot() {
  MemMgr_Free(screen_snapshot.picture);
  screen_snapshot = ScreenSnapshot{};
}

void sample_snapshot(const std::uint16_t* pixels, int pitch, int width, int height, std::uint16_t* work) {
  std::fill(work, work + snapshot_side * snapshot_side, std::uint16_t{0});
  if (!pixels || pitch <= 0) return;
  width = std::clamp(std::min(width, pitch), 0, snapshot_screen_width);
  height = std::clamp(height, 0, snapshot_screen_height);
  for (int y = 0; y < height; y += snapshot_step)
    for (int x = 0; x < width; x += snapshot_step)
      work[(y / snapshot_step) * snapshot_side + x / snapshot_step] = pixels[std::size_t(y) * std::size_t(pitch) + std::size_t(x)];
}

namespace {
// Converts the sampled work picture to RGB555 and encodes it as the snapshot.
void encode_snapshot(std::vector<std::uint16_t>& work) {
  screen_to_rgb555(work.data(), int(work.size()));
  int size = 0;
  RleImage* picture = encode_rle_image(work.data(), &size, snapshot_side, snapshot_side, 16);
  if (!picture) return;
  screen_snapshot.picture = picture;
  screen_snapshot.size = std::uint32_t(size);
  screen_snapshot.width = screen_snapshot.height = snapshot_side;
}
}  // namespace

void snapshot_from_pixels(const std::uint16_t* pixels, int pitch, int width, int height) {
  free_snapshot();
  std::vector<std::uint16_t> work(snapshot_side * snapshot_side);
  sample_snapshot(pixels, pitch, width, height, work.data());
  encode_snapshot(work);
}

void take_snapshot() {
  free_snapshot();
  d3d_device.select_blit_format(0);
  int pitch_bytes = 0, height = 0;
  display_device.get_back_size(&pitch_bytes, &height);
  std::vector<std::uint16_t> work(snapshot_side * snapshot_side);
  if (std::uint16_t* pixels = renderer.lock_back_buffer()) {
    sample_snapshot(pixels, pitch_bytes / 2, pitch_bytes / 2, height, work.data());
    renderer.unlock_back_buffer(pixels);
    encode_snapshot(work);
  }
  d3d_device.select_blit_format(2);
}

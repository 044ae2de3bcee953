// Raw pictures: blocks of 16-bit pixels in the screen format, w pixels a row, no padding.
// Rows always go downwards; the mirrored routines read each source row leftwards.
#include "gfx2d/blit_modes.h"
#include "gfx2d/blend_lanes.h"
#include "gfx2d/pixel_format.h"

#include <algorithm>
#include <cstring>

namespace {

std::uint16_t* next_row(std::uint16_t* d) {
  return reinterpret_cast<std::uint16_t*>(reinterpret_cast<std::uint8_t*>(d) + sprite_blitter.blit_pitch);
}

// Sixteenths of s over d: for level n (0-15) each channel gets n/16 of s and (15 - n)/16 of d,
// each of the four terms rounded down on its own; 0 keeps d and 15 writes s.
class Sixteenths {
 public:
  explicit Sixteenths(int level) : level_(level) {
    for (int k = 1; k <= 4; ++k) {
      bool from_source = (level >> (4 - k)) & 1;
      source_mask_[k - 1] = from_source ? shift_mask[k] & 0xFFFF : 0;
      dest_mask_[k - 1] = from_source ? 0 : shift_mask[k] & 0xFFFF;
    }
  }
  std::uint16_t blend(std::uint32_t s, std::uint32_t d) const {
    if (level_ <= 0) return std::uint16_t(d);
    if (level_ >= 15) return std::uint16_t(s);
    std::uint32_t r = 0;
    for (int k = 1; k <= 4; ++k) r += ((s >> k) & source_mask_[k - 1]) + ((d >> k) & dest_mask_[k - 1]);
    return std::uint16_t(r);
  }

 private:
  int level_;
  std::uint32_t source_mask_[4], dest_mask_[4];
};

// Walks the clipped rectangle row by row; Pixel(s, d) gives the new destination pixel, or
// Skip when the source pixel leaves it alone.
template <int Step, class Pixel>
void raw_rows(int w, Pixel pixel) {
  const BlitGeometry& g = sprite_blitter.geometry;
  std::uint16_t* d = g.dest_start;
  const std::uint16_t* s = g.src_start;
  for (int r = 0; r < g.rows; ++r, d = next_row(d), s += w)
    for (int i = 0; i < g.cols; ++i) pixel(s[Step * i], d[i]);
}

// Row by row in the widest lanes in use. Mirrored, src_start is the rightmost source pixel of
// the first row, and the row's span is read from its leftmost one.
template <bool Mirror>
void copy_rows(int w) {
  const BlitGeometry& g = sprite_blitter.geometry;
  if (g.cols <= 0) return;
  blend::with_lanes([&](auto lanes) {
    std::uint16_t* d = g.dest_start;
    const std::uint16_t* s = g.src_start;
    for (int r = 0; r < g.rows; ++r, d = next_row(d), s += w) {
      const auto* from = reinterpret_cast<const std::uint8_t*>(Mirror ? s - (g.cols - 1) : s);
      // Sprite rows are short and the hardware's prefetch keeps up poorly with the jumps in the
      // target: ask for the start of the picture's row four on, and for the target's row four
      // on to be written (a prefetch never faults).
      const std::uintptr_t ahead = reinterpret_cast<std::uintptr_t>(from) + 8 * std::uintptr_t(w);
      __builtin_prefetch(reinterpret_cast<const void*>(ahead));
      __builtin_prefetch(reinterpret_cast<const void*>(ahead + 64));
      const std::uintptr_t target = reinterpret_cast<std::uintptr_t>(d) + 4 * std::uintptr_t(sprite_blitter.blit_pitch);
      __builtin_prefetch(reinterpret_cast<const void*>(target), 1);
      __builtin_prefetch(reinterpret_cast<const void*>(target + 64), 1);
      blend::each_run<Mirror, decltype(lanes)>(blend::SourcePixels{}, Mirror ? d + g.cols : d, from, g.cols);
    }
  });
}

}  // namespace

void blit_raw_copy(int, int, int w, int, std::intptr_t) { copy_rows<false>(w); }

void blit_raw_copy_mirror(int, int, int w, int, std::intptr_t) { copy_rows<true>(w); }

void blit_raw_keyed(int, int, int w, int, std::intptr_t) {
  const std::uint16_t key = std::uint16_t(key_colour);
  raw_rows<1>(w, [key](std::uint16_t s, std::uint16_t& d) {
    if (s != key) d = s;
  });
}

void blit_raw_keyed_mirror(int, int, int w, int, std::intptr_t) {
  const std::uint16_t key = std::uint16_t(key_colour);
  raw_rows<-1>(w, [key](std::uint16_t s, std::uint16_t& d) {
    if (s != key) d = s;
  });
}

void blit_raw_level(int, int, int w, int, std::intptr_t) {
  const std::uint16_t key = std::uint16_t(key_colour);
  const Sixteenths blend(std::clamp(sprite_blitter.blit_level - 1, 0, 14));
  raw_rows<1>(w, [key, &blend](std::uint16_t s, std::uint16_t& d) {
    if (s != key) d = blend.blend(s, d);
  });
}

// The picture's top left pixel fills the rectangle, fading out one sixteenth every
// (h >> 4) + 1 rows from the first row drawn.
void blit_raw_fade_fill(int, int, int, int h, std::intptr_t) {
  const BlitGeometry& g = sprite_blitter.geometry;
  std::uint16_t c;
  std::memcpy(&c, sprite_blitter.blit_source, 2);
  std::uint16_t* d = g.dest_start;
  int level = 15, counter = 0;
  for (int r = 0; r < g.rows; ++r, d = next_row(d)) {
    const Sixteenths blend(level);
    for (int i = 0; i < g.cols; ++i) d[i] = blend.blend(c, d[i]);
    if (++counter > (h >> 4)) {
      counter = 0;
      level = std::max(level - 1, 0);
    }
  }
}

void install_raw_blit_modes(BlendModeRoutine* table) {
  table[64] = blit_raw_copy;
  table[65] = blit_raw_copy_mirror;
  table[68] = blit_raw_keyed;
  table[69] = blit_raw_keyed_mirror;
  table[72] = blit_raw_fade_fill;
  table[84] = blit_raw_level;
}

// RLE mode 2: every literal pixel is added onto the target kept at an opacity of its own, read
// from an alpha map of one byte per picture pixel (4 x level, level 0 to 15) that the caller
// passes as the extra argument. The source is added as it is, with no mask and no saturation;
// second-key runs are painted in one colour.
#include "gfx2d/blend_ops.h"
#include "gfx2d/blit_modes.h"

namespace {

// The colour second-key runs are painted with, the same word in every layout.
constexpr std::uint16_t key2_paint = 0xFFF0;

// Level n = alpha / 4 keeps (15 - n) sixteenths of each target channel: the terms
// (d >> k) & shift_mask[k] for the set bits of 15 - n, taken by masks made from those bits, so
// that the per-pixel level needs no branch or table. Level 15 keeps no term and leaves s;
// level 0 leaves the target as it was.
struct AlphaSteps {
  std::uint16_t m1 = std::uint16_t(shift_mask[1]), m2 = std::uint16_t(shift_mask[2]);
  std::uint16_t m3 = std::uint16_t(shift_mask[3]), m4 = std::uint16_t(shift_mask[4]);

  std::uint16_t operator()(std::uint16_t s, std::uint16_t d, std::uint8_t alpha) const {
    // The map holds 0, 4, ... 60; anything above is taken as opaque.
    std::uint16_t n = std::uint16_t(alpha >> 2);
    n = n > 15 ? std::uint16_t(15) : n;
    const std::uint16_t m = std::uint16_t(15 - n);
    // All ones where bit b of m is set: the bit moved to the sign and spread.
    auto bit = [m](int b) { return std::uint16_t(std::int16_t(std::uint16_t(m << (15 - b))) >> 15); };
    const std::uint16_t kept = std::uint16_t(((d >> 1) & (m1 & bit(3))) + ((d >> 2) & (m2 & bit(2))) +
                                             ((d >> 3) & (m3 & bit(1))) + ((d >> 4) & (m4 & bit(0))));
    const std::uint16_t blended = std::uint16_t(s + kept);
    return n == 0 ? d : blended;
  }
};

template <bool Mirror>
struct AlphaOp {
  const std::uint8_t* map;
  std::size_t width;
  const std::uint8_t* row = nullptr;  // the map's row of the picture row being drawn
  AlphaSteps steps;

  void begin_row(int picture_row) { row = map + std::size_t(picture_row) * width; }

  void literal(std::uint16_t* d, const std::uint8_t* s, int n, int column) const {
    const std::uint8_t* a = row + column;
    if constexpr (Mirror) {
      for (int i = 0; i < n; ++i) d[-1 - i] = steps(rle_walk::load16(s + 2 * i), d[-1 - i], a[i]);
    } else {
      for (int i = 0; i < n; ++i) d[i] = steps(rle_walk::load16(s + 2 * i), d[i], a[i]);
    }
  }

  static void keyed(std::uint16_t kind, std::uint16_t* d, int n) {
    if (kind != 0x8000) return;  // transparent (bit 14 set)
    for (int i = 0; i < n; ++i) (Mirror ? d[-1 - i] : d[i]) = key2_paint;
  }
};

template <bool Mirror>
void draw_alpha(int w, std::intptr_t extra) {
  // Without a map there is nothing to draw by.
  if (!extra) return;
  AlphaOp<Mirror> op{reinterpret_cast<const std::uint8_t*>(extra), std::size_t(w), nullptr, {}};
  rle_walk::walk_rows<Mirror>(sprite_blitter, w, sprite_blitter.blit_pitch, op);
}

}  // namespace

void blit_rle_alpha(int, int, int w, int, std::intptr_t extra) { draw_alpha<false>(w, extra); }

// Walks the source and the map forwards and the target leftwards; second-key runs get the
// same paint as in the unmirrored draw.
void blit_rle_alpha_mirror(int, int, int w, int, std::intptr_t extra) { draw_alpha<true>(w, extra); }

void install_alpha_map_modes(BlendModeRoutine* table) {
  table[8] = blit_rle_alpha;
  table[9] = blit_rle_alpha_mirror;
}

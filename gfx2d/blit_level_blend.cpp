// RLE mode 5 (the picture blended into the target at the one-shot level, in sixteenths) and
// mode 7 (a fade down: opaque at the picture's top, one level less every few rows).
#include "gfx2d/blend_ops.h"
#include "gfx2d/blit_modes.h"
#include "gfx2d/pixel_copy.h"

namespace {

// put_pic admits only levels 1 to 15 here. Rows follow row_step: a vertical mirror lies in the
// geometry.
template <bool Mirror>
void draw_level(int w) {
  const int level = sprite_blitter.blit_level;
  const int row_step = sprite_blitter.geometry.row_step;
  if (level <= 0) return;
  // Level 15 copies every bit of the source, as mode 0 does.
  if (level >= 15) return blend::walk_literals<Mirror>(w, row_step, blend::SourcePixels{});
  blend::with_level_terms(level, [&](auto terms) { blend::walk_literals<Mirror>(w, row_step, terms); });
}

// Picture row r is drawn at level 15 - (r + 1) / S with S = (h + 16) / 16, which never falls
// below 0 inside a picture h rows high; rows cut away at the top count all the same.
struct FadeDownOp {
  int rows_per_level;
  int level = 15;

  void begin_row(int picture_row) { level = std::max(15 - (picture_row + 1) / rows_per_level, 0); }

  void literal(std::uint16_t* d, const std::uint8_t* s, int n) const {
    if (level == 0) return;
    if (level == 15) return copy_pixels(d, s, n);
    blend::with_level_terms(level, [&](auto terms) {
      for (int i = 0; i < n; ++i) d[i] = terms(rle_walk::load16(s + 2 * i), d[i]);
    });
  }
  static void keyed(std::uint16_t, std::uint16_t*, int) {}
};

}  // namespace

void blit_rle_level(int, int, int w, int, std::intptr_t) { draw_level<false>(w); }
void blit_rle_level_mirror(int, int, int w, int, std::intptr_t) { draw_level<true>(w); }

void blit_rle_fade_down(int, int, int, int h, std::intptr_t) {
  FadeDownOp op{int((static_cast<long long>(h) + 16) >> 4)};
  if (op.rows_per_level < 1) return;  // callers give h >= 1
  rle_walk::walk_rows<false>(sprite_blitter, 0, sprite_blitter.blit_pitch, op);
}

void install_level_blend_modes(BlendModeRoutine* table) {
  table[20] = blit_rle_level;
  table[21] = blit_rle_level_mirror;
  table[22] = blit_rle_level;
  table[23] = blit_rle_level_mirror;
  table[28] = blit_rle_fade_down;
}

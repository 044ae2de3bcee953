// RLE mode 0 (copy the opaque pixels) and mode 1 (add them with per-channel saturation, after
// shifting the picture's channels by the one-shot offsets).
#include "gfx2d/blend_ops.h"
#include "gfx2d/blit_modes.h"
#include "gfx2d/pixel_format.h"

// Mode 0 steps rows by row_step, which is how vertical mirroring reaches it.
void blit_rle_copy(int, int, int w, int, std::intptr_t) {
  blend::walk_literals<false>(w, sprite_blitter.geometry.row_step, blend::SourcePixels{});
}

void blit_rle_copy_mirror(int, int, int w, int, std::intptr_t) {
  blend::walk_literals<true>(w, sprite_blitter.geometry.row_step, blend::SourcePixels{});
}

// Mode 1 has no vertical mirror: rows always go downwards.
void blit_rle_add(int, int, int w, int, std::intptr_t) {
  blend::walk_literals_with<blend::OffsetAdd, false>(w, sprite_blitter.blit_pitch);
}

void blit_rle_add_mirror(int, int, int w, int, std::intptr_t) {
  blend::walk_literals_with<blend::OffsetAdd, true>(w, sprite_blitter.blit_pitch);
}

void install_rle_copy_add_modes(BlendModeRoutine* table) {
  table[0] = blit_rle_copy;
  table[1] = blit_rle_copy_mirror;
  table[2] = blit_rle_copy;
  table[3] = blit_rle_copy_mirror;
  table[4] = blit_rle_add;
  table[5] = blit_rle_add_mirror;
}

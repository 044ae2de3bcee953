// RLE mode 4 (the target under the picture's opaque pixels moved in colour by the channel
// offsets; the picture's own colours are never read) and mode 6 (the picture copied, with the
// first and last pixel written for each run in the outline colour). Neither mirrors
// vertically, so rows always go downwards.
#include "gfx2d/blend_ops.h"
#include "gfx2d/blit_modes.h"
#include "gfx2d/pixel_copy.h"

namespace {

template <bool Mirror>
void draw_tint(int w) {
  // Without offsets the tint would only clear the bits between the fields: nothing is walked.
  if (blend::ChannelOffsets::none()) return;
  blend::walk_literals_with<blend::Tint, Mirror>(w, sprite_blitter.blit_pitch);
}

// A run cut by the window gets its marks at the cut, so a clipped picture shows the outline
// along the clip edge.
template <bool Mirror>
struct OutlineOp {
  std::uint16_t outline = std::uint16_t(outline_colour);

  void literal(std::uint16_t* d, const std::uint8_t* s, int n) const {
    if constexpr (Mirror) {
      for (int i = 0; i < n; ++i) d[-1 - i] = rle_walk::load16(s + 2 * i);
      d[-1] = d[-n] = outline;
    } else {
      copy_pixels(d, s, n);
      d[0] = d[n - 1] = outline;
    }
  }
  static void keyed(std::uint16_t, std::uint16_t*, int) {}
};

template <bool Mirror>
void draw_outline(int w) {
  OutlineOp<Mirror> op;
  rle_walk::walk_rows<Mirror>(sprite_blitter, w, sprite_blitter.blit_pitch, op);
}

}  // namespace

void blit_rle_tint(int, int, int w, int, std::intptr_t) { draw_tint<false>(w); }
void blit_rle_tint_mirror(int, int, int w, int, std::intptr_t) { draw_tint<true>(w); }
void blit_rle_outline(int, int, int w, int, std::intptr_t) { draw_outline<false>(w); }
void blit_rle_outline_mirror(int, int, int w, int, std::intptr_t) { draw_outline<true>(w); }

void install_tint_outline_modes(BlendModeRoutine* table) {
  table[16] = blit_rle_tint;
  table[17] = blit_rle_tint_mirror;
  table[24] = blit_rle_outline;
  table[25] = blit_rle_outline_mirror;
}

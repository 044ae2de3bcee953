// RLE mode 0 (copy the opaque pixels) and mode 1 (add them with per-channel saturation, after
// shifting the picture's channels by the one-shot offsets).
#include "gfx2d/blit_modes.h"
#include "gfx2d/pixel_copy.h"
#include "gfx2d/pixel_format.h"
#include "gfx2d/rle_row_walk.h"

#include <algorithm>
#include <cstring>

namespace {

struct CopyOp {
  static void literal(std::uint16_t* d, const std::uint8_t* s, int n) { copy_pixels(d, s, n); }
  static void keyed(std::uint16_t, std::uint16_t*, int) {}
};

struct CopyMirrorOp {
  static void literal(std::uint16_t* d, const std::uint8_t* s, int n) {
    for (int i = 0; i < n; ++i) d[-1 - i] = rle_walk::load16(s + 2 * i);
  }
  static void keyed(std::uint16_t, std::uint16_t*, int) {}
};

// One channel of mode 1: the source field shifted by its offset and clamped to the field, then
// added to the destination's field with saturation.
inline std::uint32_t add_channel(std::uint32_t s, std::uint32_t d, std::uint32_t mask, std::int32_t shift,
                                 bool negative) {
  std::int32_t a = std::int32_t(s & mask) + shift;
  if (std::uint32_t(a) & ~mask) a = negative ? 0 : std::int32_t(mask);
  std::uint32_t t = std::uint32_t(a) + (d & mask);
  return (t & ~mask) ? mask : t;
}

struct AddOp {
  std::uint32_t rm = red_mask, gm = green_mask, bm = blue_mask;
  // A 5-bit field saturates beyond 32 steps either way, so larger offsets change nothing and
  // are cut there to keep the sums inside 32 bits.
  int ar = std::clamp(sprite_blitter.blit_add_r, -32, 32);
  int ag = std::clamp(sprite_blitter.blit_add_g, -32, 32);
  int ab = std::clamp(sprite_blitter.blit_add_b, -32, 32);
  std::int32_t sr = ar * std::int32_t(red_unit), sg = ag * std::int32_t(green_unit), sb = ab * std::int32_t(blue_unit);

  std::uint16_t pixel(std::uint32_t s, std::uint32_t d) const {
    return std::uint16_t(add_channel(s, d, rm, sr, ar < 0) | add_channel(s, d, gm, sg, ag < 0) |
                         add_channel(s, d, bm, sb, ab < 0));
  }
};

struct AddForwardOp : AddOp {
  void literal(std::uint16_t* d, const std::uint8_t* s, int n) const {
    for (int i = 0; i < n; ++i) d[i] = pixel(rle_walk::load16(s + 2 * i), d[i]);
  }
  static void keyed(std::uint16_t, std::uint16_t*, int) {}
};

struct AddMirrorOp : AddOp {
  void literal(std::uint16_t* d, const std::uint8_t* s, int n) const {
    for (int i = 0; i < n; ++i) d[-1 - i] = pixel(rle_walk::load16(s + 2 * i), d[-1 - i]);
  }
  static void keyed(std::uint16_t, std::uint16_t*, int) {}
};

template <bool Mirror, class Op>
void walk(int w, int row_step) {
  Op op;
  rle_walk::walk_rows<Mirror>(sprite_blitter, w, row_step, op);
}

}  // namespace

// Mode 0 steps rows by row_step, which is how vertical mirroring reaches it.
void blit_rle_copy(int, int, int w, int, std::intptr_t) {
  walk<false, CopyOp>(w, sprite_blitter.geometry.row_step);
}

void blit_rle_copy_mirror(int, int, int w, int, std::intptr_t) {
  walk<true, CopyMirrorOp>(w, sprite_blitter.geometry.row_step);
}

// Mode 1 has no vertical mirror: rows always go downwards.
void blit_rle_add(int, int, int w, int, std::intptr_t) {
  walk<false, AddForwardOp>(w, sprite_blitter.blit_pitch);
}

void blit_rle_add_mirror(int, int, int w, int, std::intptr_t) {
  walk<true, AddMirrorOp>(w, sprite_blitter.blit_pitch);
}

void install_rle_copy_add_modes(BlendModeRoutine* table) {
  table[0] = blit_rle_copy;
  table[1] = blit_rle_copy_mirror;
  table[2] = blit_rle_copy;
  table[3] = blit_rle_copy_mirror;
  table[4] = blit_rle_add;
  table[5] = blit_rle_add_mirror;
}

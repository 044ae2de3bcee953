// The effect modes of RLE pictures, each under the picture's shape (its visible literal
// pixels): mode 3 tints the target, mode 8 adds the offset-shifted picture as mode 1 does,
// mode 9 fills with a colour word, mode 10 turns the target grey, mode 11 subtracts the
// offset-shifted picture and mode 12 shimmers by copying neighbouring target pixels.
// Modes 3, 9, 10 and 12 step rows by row_step, so put_pic's vertical mirror needs no code
// here; modes 8 and 11 always go downwards.
#include "gfx2d/blend_ops.h"
#include "gfx2d/blit_modes.h"

#include <cstring>

namespace {

const BlitGeometry& geometry() { return sprite_blitter.geometry; }

// ---- mode 3 ----

// Unlike mode 4 there is no shortcut for zero offsets: every covered pixel is rewritten and
// keeps only its three fields.
template <bool Mirror>
void draw_shadow(int w) {
  blend::walk_literals_with<blend::Tint, Mirror>(w, geometry().row_step);
}

// ---- mode 9 ----

// Runs of up to 4 pixels get the word's low half pixel by pixel. Longer runs are stored a
// word at a time once the store address is a multiple of 4 (a single low half first when it
// is not, a single low half last when one pixel is left); the mirrored walk goes leftwards and
// stores the word with its halves swapped. A word with two different halves so paints a
// two-colour pattern on long runs.
template <bool Mirror>
struct FillOp {
  std::uint16_t lo, hi;

  void literal(std::uint16_t* d, const std::uint8_t*, int n) const {
    if (n <= 4) {
      for (int i = 0; i < n; ++i) (Mirror ? d[-1 - i] : d[i]) = lo;
      return;
    }
    if constexpr (Mirror) {
      if (reinterpret_cast<std::uintptr_t>(d) & 3) *--d = lo, --n;
      for (; n >= 2; n -= 2) d -= 2, d[0] = hi, d[1] = lo;
      if (n) *--d = lo;
    } else {
      if (reinterpret_cast<std::uintptr_t>(d) & 3) *d++ = lo, --n;
      for (; n >= 2; n -= 2, d += 2) d[0] = lo, d[1] = hi;
      if (n) *d = lo;
    }
  }
  static void keyed(std::uint16_t, std::uint16_t*, int) {}
};

template <bool Mirror>
void draw_fill(int w, std::intptr_t extra) {
  // Without the address of a colour word there is no colour to fill with.
  if (!extra) return;
  std::uint32_t word;
  std::memcpy(&word, reinterpret_cast<const void*>(extra), sizeof word);
  FillOp<Mirror> op{std::uint16_t(word), std::uint16_t(word >> 16)};
  rle_walk::walk_rows<Mirror>(sprite_blitter, w, geometry().row_step, op);
}

// ---- mode 12 ----

// The neighbours of the 17-step cycle, as byte distances from the pixel written: the pixel on
// the left for steps 1-4, 1280 bytes on (the pixel below on a 640-pixel screen) for 5-10,
// 1280 bytes back for 11-13, the pixel on the right for 14-16; step 17 leaves the pixel.
constexpr int shimmer_steps = 17;
constexpr std::ptrdiff_t shimmer_reach = 1280;

constexpr std::ptrdiff_t shimmer_offset(int step) {
  return step <= 4 ? -2 : step <= 10 ? shimmer_reach : step <= 13 ? -shimmer_reach : 2;
}

// The cycle runs on across runs and rows, reading the target as this draw has left it. A
// neighbour outside the target's pixels (before its first or after its last) is clamped to
// the pixel itself, the target's edge.
template <bool Mirror>
struct ShimmerOp {
  static constexpr std::ptrdiff_t reach = shimmer_reach / 2;  // in pixels
  int step = 0;
  std::uintptr_t first, last;  // addresses of the target's first and last pixel

  // A run whose every neighbour lies inside the target needs no test per pixel: the neighbour
  // of each step comes from a table (step 17 reads the pixel itself).
  void inside(std::uint16_t* p, int n) {
    constexpr std::ptrdiff_t dir = Mirror ? -1 : 1;
    static constexpr std::ptrdiff_t offsets[shimmer_steps] = {
        -1, -1, -1, -1, reach, reach, reach, reach, reach, reach, -reach, -reach, -reach, 1, 1, 1, 0};
    int at = step;  // the table entry of the next pixel: its step - 1
    for (int k = 0; k < n; ++k, p += dir) {
      *p = p[offsets[at]];
      at = at == shimmer_steps - 1 ? 0 : at + 1;
    }
    step = at;
  }

  // Near the target's edges: each neighbour tested.
  void at_edge(std::uint16_t* p, int n) {
    constexpr std::ptrdiff_t dir = Mirror ? -1 : 1;
    for (int k = 0; k < n; ++k, p += dir) {
      const int next = step + 1;
      if (next == shimmer_steps) {
        step = 0;
        continue;
      }
      step = next;
      const std::uintptr_t at = reinterpret_cast<std::uintptr_t>(p) + std::uintptr_t(shimmer_offset(next));
      if (at >= first && at <= last) *p = *reinterpret_cast<const std::uint16_t*>(at);
    }
  }

  void literal(std::uint16_t* d, const std::uint8_t*, int n) {
    std::uint16_t* left_end = Mirror ? d - n : d;  // the run's leftmost pixel
    const auto lo = reinterpret_cast<std::uintptr_t>(left_end) - std::uintptr_t(shimmer_reach);
    const auto hi = reinterpret_cast<std::uintptr_t>(left_end) + 2 * std::uintptr_t(n - 1) + std::uintptr_t(shimmer_reach);
    std::uint16_t* start = Mirror ? d - 1 : d;
    if (lo >= first && hi <= last && lo < hi)
      inside(start, n);
    else
      at_edge(start, n);
  }
  static void keyed(std::uint16_t, std::uint16_t*, int) {}
};

template <bool Mirror>
void draw_shimmer(int w) {
  SpriteBlitter& b = sprite_blitter;
  const auto base = reinterpret_cast<std::uintptr_t>(b.blit_dest);
  ShimmerOp<Mirror> op;
  op.first = base + std::uintptr_t(std::intptr_t(b.blit_row_table[0]));
  op.last = base + std::uintptr_t(std::intptr_t(b.blit_row_table[b.target_height - 1])) +
            2 * std::uintptr_t(b.target_width - 1);
  b.shimmer_step = 0;
  rle_walk::walk_rows<Mirror>(b, w, geometry().row_step, op);
  b.shimmer_step = op.step;
}

}  // namespace

void blit_rle_shadow(int, int, int w, int, std::intptr_t) { draw_shadow<false>(w); }
void blit_rle_shadow_mirror(int, int, int w, int, std::intptr_t) { draw_shadow<true>(w); }

// Mode 8 draws exactly what mode 1 draws.
void blit_rle_add_tint(int x, int y, int w, int h, std::intptr_t extra) { blit_rle_add(x, y, w, h, extra); }
void blit_rle_add_tint_mirror(int x, int y, int w, int h, std::intptr_t extra) {
  blit_rle_add_mirror(x, y, w, h, extra);
}

void blit_rle_fill(int, int, int w, int, std::intptr_t extra) { draw_fill<false>(w, extra); }
void blit_rle_fill_mirror(int, int, int w, int, std::intptr_t extra) { draw_fill<true>(w, extra); }

void blit_rle_grey(int, int, int w, int, std::intptr_t) {
  blend::walk_literals_with<blend::Grey, false>(w, geometry().row_step);
}
void blit_rle_grey_mirror(int, int, int w, int, std::intptr_t) {
  blend::walk_literals_with<blend::Grey, true>(w, geometry().row_step);
}

void blit_rle_subtract(int, int, int w, int, std::intptr_t) {
  blend::walk_literals_with<blend::Subtract, false>(w, sprite_blitter.blit_pitch);
}
void blit_rle_subtract_mirror(int, int, int w, int, std::intptr_t) {
  blend::walk_literals_with<blend::Subtract, true>(w, sprite_blitter.blit_pitch);
}

void blit_rle_shimmer(int, int, int w, int, std::intptr_t) { draw_shimmer<false>(w); }
void blit_rle_shimmer_mirror(int, int, int w, int, std::intptr_t) { draw_shimmer<true>(w); }

void install_effect_modes(BlendModeRoutine* table) {
  table[12] = table[14] = blit_rle_shadow;
  table[13] = table[15] = blit_rle_shadow_mirror;
  table[32] = blit_rle_add_tint;
  table[33] = blit_rle_add_tint_mirror;
  table[36] = table[38] = blit_rle_fill;
  table[37] = table[39] = blit_rle_fill_mirror;
  table[40] = table[42] = blit_rle_grey;
  table[41] = table[43] = blit_rle_grey_mirror;
  table[44] = blit_rle_subtract;
  table[45] = blit_rle_subtract_mirror;
  table[48] = table[50] = blit_rle_shimmer;
  table[49] = table[51] = blit_rle_shimmer_mirror;
}

#pragma once
// The row walk every RLE mode routine shares: passes over the rows and columns that the clip
// cut away and hands the visible part of each run to the mode's operation. Writes never leave
// the clipped rectangle, whatever the picture holds; reads stay inside blit_source_size when
// the caller stated it.
#include "gfx2d/sprite_blitter.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <limits>

namespace rle_walk {

template <class Op>
inline void emit_literal(Op& op, std::uint16_t* d, const std::uint8_t* s, int n, int column) {
  if constexpr (requires { op.literal(d, s, n, column); })
    op.literal(d, s, n, column);
  else
    op.literal(d, s, n);
}

inline std::uint16_t load16(const std::uint8_t* p) {
  std::uint16_t v;
  std::memcpy(&v, p, 2);
  return v;
}

constexpr std::uint16_t run_kind_mask = 0xC000;
constexpr std::uint16_t run_count_mask = 0x3FFF;
// How far ahead of the row being drawn the walk asks for the picture's bytes: two or three
// rows of a sprite; of 128, 256 and 512 bytes, 256 drew fastest. It asks for two lines a row:
// a row of a 64-pixel sprite spans about two, and asking for one left every other line to
// arrive late.
constexpr std::size_t prefetch_ahead = 256;

// Op provides, for the visible part of a run of n pixels (n >= 1):
//   void literal(std::uint16_t* d, const std::uint8_t* s, int n);   s: n little-endian pixels
//   void keyed(std::uint16_t kind, std::uint16_t* d, int n);        kind: the code's top bits
// and may provide, for the modes that need to know where in the picture they are:
//   void begin_row(int picture_row);                                before each row drawn
//   void literal(std::uint16_t* d, const std::uint8_t* s, int n, int column);
//                                                                   column: the source column of s
// Unmirrored, d is the leftmost pixel and the span runs rightwards. Mirrored, d is one past the
// rightmost pixel and source pixel i lands on d[-1 - i].
template <bool Mirror, class Op>
void walk_rows(const SpriteBlitter& b, int w, int row_step, Op& op) {
  const BlitGeometry& g = b.geometry;
  const auto* image = static_cast<const std::uint8_t*>(b.blit_source);
  const std::size_t end = b.blit_source_size ? b.blit_source_size : std::numeric_limits<std::size_t>::max();
  if (end < 8 || !(load16(image + 6) & 0x10)) return;  // only 16-bit pictures are drawn
  std::size_t pos = 8;
  for (int r = 0; r < g.first_row; ++r) {
    if (end - pos < 2) return;
    std::uint16_t header = load16(image + pos);
    if (header == 0) return;
    pos += header & 0x7FFF;
    if (pos > end) return;
  }
  const int first = Mirror ? w - g.skip_cols - g.cols : g.skip_cols;
  const int stop = first + g.cols;
  auto* row_dest = reinterpret_cast<std::uint8_t*>(g.dest_start);
  for (int r = 0; r < g.rows; ++r, row_dest += row_step) {
    if (end - pos < 2) return;
    std::uint16_t header = load16(image + pos);
    if (header == 0) return;
    // The rows' codes are a chain of loads (each row's place comes from the one before), so a
    // row the cache does not hold yet stalls the whole walk: ask for the bytes a few rows on.
    // A prefetch never faults, wherever the address lies.
    const std::uintptr_t ahead = reinterpret_cast<std::uintptr_t>(image) + pos + prefetch_ahead;
    __builtin_prefetch(reinterpret_cast<const void*>(ahead));
    __builtin_prefetch(reinterpret_cast<const void*>(ahead + 64));
    if constexpr (requires { op.begin_row(0); }) op.begin_row(g.first_row + r);
    std::size_t p = pos + 2;
    auto* d = reinterpret_cast<std::uint16_t*>(row_dest) + (Mirror ? g.cols : 0);
    for (int x = 0; x < stop;) {
      if (end - p < 2) return;
      std::uint16_t code = load16(image + p);
      p += 2;
      int n = code & run_count_mask;
      if (n == 0) break;
      bool literal = (code & run_kind_mask) == 0;
      if (literal && (end - p) / 2 < std::size_t(n)) return;
      if (x >= first && x + n <= stop) {
        // The common case: the whole run is visible.
        if (literal)
          emit_literal(op, d, image + p, n, x);
        else
          op.keyed(std::uint16_t(code & run_kind_mask), d, n);
        d += Mirror ? -n : n;
      } else {
        int lo = std::max(x, first), hi = std::min(x + n, stop);
        if (hi > lo) {
          int m = hi - lo;
          if (literal)
            emit_literal(op, d, image + p + 2 * std::size_t(lo - x), m, lo);
          else
            op.keyed(std::uint16_t(code & run_kind_mask), d, m);
          d += Mirror ? -m : m;
        }
      }
      if (literal) p += 2 * std::size_t(n);
      x += n;
    }
    pos += header & 0x7FFF;
    if (pos > end) return;
  }
}

}  // namespace rle_walk

// The scaled routines: an RLE picture enlarged or reduced about a pivot, drawn through a
// column map and a row map (for each destination column and row of the scaled box, the
// picture column and row shown there), with clipping and mirroring of their own; and the
// unscaled draw of pictures with one-byte pixels through a palette, which shares their frame.
// put_pic hands them the unclipped place and the address of its flags word, and keeps the
// one-shot settings set after them.
#include "gfx2d/blend_ops.h"
#include "gfx2d/blit_modes.h"

#include <limits>

namespace {

// A box wider or taller than this draws nothing: it is far beyond any target, and its maps
// would only cost memory.
constexpr long long scaled_map_limit = 16384;

constexpr int scale_one = 1024;

struct Box {
  long long x0, y0, x1, y1;  // inclusive corners
  int dx, dy;                // +1, or -1 when mirrored on that axis
  long long width, height;   // x1 - x0 + 1, y1 - y0 + 1
};

// Where the scaled picture lands: the pivot stays in place; mirrored across, the pivot is
// measured from the right edge, so that at scale 1.0 the picture turns over within its box;
// mirrored vertically the picture turns over about its pivot row. In 64 bits, so that no
// product of a scale and a size or pivot overflows.
Box scaled_box(long long x, long long y, long long w, long long h, BlitFlags flags) {
  const SpriteBlitter& b = sprite_blitter;
  long long sx = b.blit_scale_x, sy = b.blit_scale_y;
  long long px = b.blit_pivot_x, py = b.blit_pivot_y;
  Box box{};
  box.dx = 1;
  box.dy = 1;
  if (flags & BLIT_MIRROR_X) {
    box.dx = -1;
    px = w - px;
  }
  if (flags & BLIT_MIRROR_Y) {
    box.dy = -1;
    y = y + 2 * py - h;
    py = h - py;
  }
  box.width = w * sx / scale_one;
  box.height = h * sy / scale_one;
  box.x0 = x + px - px * sx / scale_one;
  box.y0 = y + py - py * sy / scale_one;
  box.x1 = box.x0 + box.width - 1;
  box.y1 = box.y0 + box.height - 1;
  return box;
}

// The palette routine draws without scale or pivot: both mirrors turn the picture over
// within its own box.
Box unscaled_box(long long x, long long y, long long w, long long h, BlitFlags flags) {
  Box box{x, y, x + w - 1, y + h - 1, (flags & BLIT_MIRROR_X) ? -1 : 1, (flags & BLIT_MIRROR_Y) ? -1 : 1, w, h};
  return box;
}

// Entry i of a map for a span of `size` picture pixels drawn over `scaled` destination pixels:
// the picture pixel shown at i, i * 1024 / scale rounded down, so non-decreasing and below size
// for i < scaled; entry `scaled` is size itself, the end of the picture. Worked out by steps
// rather than a division per entry, and kept while the next draw asks for the same map.
struct MapKey {
  long long scaled = -1, size = -1, scale = -1;
  bool operator==(const MapKey&) const = default;
};

void build_map(std::vector<int>& map, MapKey& built, long long scaled, long long size, long long scale) {
  const MapKey key{scaled, size, scale};
  if (key == built && map.size() == std::size_t(scaled + 1)) return;
  map.resize(std::size_t(scaled + 1));
  long long q = 0, r = 0;  // i * 1024 = q * scale + r
  for (long long i = 0; i < scaled; ++i) {
    map[std::size_t(i)] = int(q);
    for (r += scale_one; r >= scale; r -= scale) ++q;
  }
  map[std::size_t(scaled)] = int(size);
  built = key;
}

MapKey column_map_key, row_map_key;

// The part of [0, count) whose destination places, first + step * i, fall in [lo, lo + span).
struct Range {
  long long begin, end;
};
Range visible(long long first, int step, long long count, long long lo, long long span) {
  long long a = step > 0 ? lo - first : first - (lo + span - 1);
  long long b = step > 0 ? lo + span - first : first - lo + 1;
  return {std::max<long long>(a, 0), std::min(b, count)};
}

inline std::uint16_t load16(const std::uint8_t* p) { return rle_walk::load16(p); }

// A picture's source pixels: two bytes in the screen format, or one palette index. span()
// draws n pixels read one after another, to the right from d or (leftwards) to the left of
// d; at scale 1.0, which is what the system draws at, every visible run goes this way.
// Kept out of line: on its own the loop is turned into vector code, inlined into the frame it
// was not.
template <bool Leftwards, class Rule>
[[gnu::noinline]] void wide_span(std::uint16_t* d, const std::uint8_t* s, int n, const Rule& rule) {
  blend::each_pixel_in_use<Leftwards>(rule, d, s, n);
}

struct WidePixels {
  static constexpr std::size_t bytes = 2;
  std::uint16_t operator()(const std::uint8_t* p) const { return load16(p); }
  template <class Rule>
  void span(std::uint16_t* d, const std::uint8_t* s, int n, bool leftwards, const Rule& rule) const {
    if (leftwards)
      wide_span<true>(d, s, n, rule);
    else
      wide_span<false>(d, s, n, rule);
  }
};
struct PalettePixels {
  static constexpr std::size_t bytes = 1;
  const std::uint16_t* palette;
  std::uint16_t operator()(const std::uint8_t* p) const { return palette[*p]; }
  template <class Rule>
  void span(std::uint16_t* d, const std::uint8_t* s, int n, bool leftwards, const Rule& rule) const {
    if (leftwards)
      for (int i = 0; i < n; ++i) d[-1 - i] = rule(palette[s[i]], d[-1 - i]);
    else
      for (int i = 0; i < n; ++i) d[i] = rule(palette[s[i]], d[i]);
  }
};

// The first cursor entry from i on (at most `limit`) whose picture column is `stop` or more.
// Where the map runs one column per entry, as at scale 1.0, the guess is right at once.
long long entries_below(const std::vector<int>& map, long long i, long long limit, long long stop) {
  if (i >= limit || map[std::size_t(i)] >= stop) return i;
  const long long guess = std::min(limit, i + (stop - map[std::size_t(i)]));
  if (map[std::size_t(guess - 1)] < stop && (guess == limit || map[std::size_t(guess)] >= stop)) return guess;
  long long last = i;
  while (last < limit && map[std::size_t(last)] < stop) ++last;
  return last;
}

// Draws picture row `image + pos` into the target row `row`: the column cursor runs over the
// visible entries [i0, i1) of the column map only, each literal pixel under it combined into
// its destination pixel by the rule. Reads stay inside `end`.
template <class Pixels, class Rule>
void draw_row(const std::uint8_t* image, std::size_t pos, std::size_t end, std::uint16_t* row, const Box& box,
              Range cols, const std::vector<int>& map, const Pixels& pixels, const Rule& rule) {
  std::size_t p = pos + 2;
  long long i = cols.begin;
  long long start = 0;  // picture column of the run under p
  const long long origin = box.dx > 0 ? box.x0 : box.x1;
  while (i < cols.end) {
    if (end - p < 2) return;
    std::uint16_t code = load16(image + p);
    p += 2;
    long long n = code & rle_walk::run_count_mask;
    if (n == 0) return;
    const long long stop = start + n;
    const bool literal = (code & rle_walk::run_kind_mask) == 0;
    if (literal && (end - p) / Pixels::bytes < std::size_t(n)) return;
    const long long last = entries_below(map, i, cols.end, stop);  // the entries under this run: [i, last)
    if (literal && last > i) {
      const std::uint8_t* run = image + p + Pixels::bytes * std::size_t(map[std::size_t(i)] - start);
      if (map[std::size_t(last - 1)] - map[std::size_t(i)] == last - 1 - i) {
        // Consecutive picture columns: one span.
        std::uint16_t* d = row + origin + box.dx * i + (box.dx > 0 ? 0 : 1);
        pixels.span(d, run, int(last - i), box.dx < 0, rule);
      } else {
        for (long long k = i; k < last; ++k) {
          std::uint16_t& d = row[origin + box.dx * k];
          d = rule(pixels(run + Pixels::bytes * std::size_t(map[std::size_t(k)] - map[std::size_t(i)])), d);
        }
      }
    }
    if (literal) p += Pixels::bytes * std::size_t(n);
    i = last;
    start = stop;
  }
}

// The frame shared by every scaled routine: checks, box, clip, maps, then the rows. Rows of
// the picture are passed by their lengths until the one the row map names; the picture's
// final 0 ends the draw wherever it comes.
template <class Pixels, class Rule>
void draw_picture(const Box& box, long long w, long long h, const Pixels& pixels, const Rule& rule, bool scaled) {
  SpriteBlitter& b = sprite_blitter;
  if (box.width < 1 || box.height < 1 || box.width > scaled_map_limit || box.height > scaled_map_limit) return;
  const long long cx = b.blit_clip[0], cy = b.blit_clip[1], cw = b.blit_clip[2], ch = b.blit_clip[3];
  if (box.x0 >= cx + cw || box.x1 < cx || box.y0 >= cy + ch || box.y1 < cy) return;
  Range cols = visible(box.dx > 0 ? box.x0 : box.x1, box.dx, box.width, cx, cw);
  Range rows = visible(box.dy > 0 ? box.y0 : box.y1, box.dy, box.height, cy, ch);
  if (cols.begin >= cols.end || rows.begin >= rows.end) return;

  build_map(b.scaled_column_map, column_map_key, box.width, w, scaled ? b.blit_scale_x : scale_one);
  build_map(b.scaled_row_map, row_map_key, box.height, h, scaled ? b.blit_scale_y : scale_one);

  const auto* image = static_cast<const std::uint8_t*>(b.blit_source);
  const std::size_t end = b.blit_source_size ? b.blit_source_size : std::numeric_limits<std::size_t>::max();
  std::size_t pos = 8;
  long long row = 0;  // the picture row at pos
  auto* dest = reinterpret_cast<std::uint8_t*>(b.blit_dest);
  for (long long j = rows.begin; j < rows.end; ++j) {
    for (long long want = b.scaled_row_map[std::size_t(j)]; row < want; ++row) {
      if (end - pos < 2) return;
      std::uint16_t header = load16(image + pos);
      if (header == 0) return;
      pos += header & 0x7FFF;
      if (pos > end) return;
    }
    if (end - pos < 2 || load16(image + pos) == 0) return;
    long long ty = box.dy > 0 ? box.y0 + j : box.y1 - j;
    auto* target_row = reinterpret_cast<std::uint16_t*>(dest + b.blit_row_table[ty]);
    draw_row(image, pos, end, target_row, box, cols, b.scaled_column_map, pixels, rule);
  }
}

// The picture must be an RleImage of the routine's depth, stated by its header.
bool picture_depth_is(int depth) {
  const SpriteBlitter& b = sprite_blitter;
  if (b.blit_source_size != 0 && b.blit_source_size < 8) return false;
  const auto* image = static_cast<const std::uint8_t*>(b.blit_source);
  return load16(image) == 0xFFFF && (load16(image + 6) & 0x7FFF) == depth;
}

template <class Rule>
void draw_scaled(int x, int y, int w, int h, std::intptr_t extra, const Rule& rule) {
  const auto* flags = reinterpret_cast<const BlitFlags*>(extra);
  if (!flags || !picture_depth_is(16)) return;
  draw_picture(scaled_box(x, y, w, h, *flags), w, h, WidePixels{}, rule, true);
}

// With the rule Op<the current layout's fields>.
template <template <class> class Op>
void draw_scaled_with(int x, int y, int w, int h, std::intptr_t extra) {
  blend::with_fields([&](auto fields) { draw_scaled(x, y, w, h, extra, Op<decltype(fields)>{fields}); });
}

}  // namespace

void blit_scaled_copy(int x, int y, int w, int h, std::intptr_t flags) {
  draw_scaled(x, y, w, h, flags, [](std::uint16_t s, std::uint16_t) { return s; });
}

// The offsets come after the sum, where mode 1 moves the source first.
void blit_scaled_add(int x, int y, int w, int h, std::intptr_t flags) {
  draw_scaled_with<blend::AddThenOffset>(x, y, w, h, flags);
}

// The mode 4 tint, without its shortcut for zero offsets.
void blit_scaled_tint(int x, int y, int w, int h, std::intptr_t flags) {
  draw_scaled_with<blend::Tint>(x, y, w, h, flags);
}

// Level 0 leaves the target, 1 to 14 blend, any other level copies.
void blit_scaled_level(int x, int y, int w, int h, std::intptr_t flags) {
  const int level = sprite_blitter.blit_level;
  if (level == 0) return;
  if (level < 0 || level >= 15)
    return draw_scaled(x, y, w, h, flags, [](std::uint16_t s, std::uint16_t) { return s; });
  draw_scaled(x, y, w, h, flags, [blend = blend::LevelBlend(level)](std::uint16_t s, std::uint16_t d) {
    return blend(s, d);
  });
}

void blit_scaled_fill(int x, int y, int w, int h, std::intptr_t flags) {
  draw_scaled(x, y, w, h, flags, [c = sprite_blitter.scaled_fill_colour](std::uint16_t, std::uint16_t) { return c; });
}

void blit_scaled_grey(int x, int y, int w, int h, std::intptr_t flags) {
  draw_scaled_with<blend::Grey>(x, y, w, h, flags);
}

void blit_scaled_subtract(int x, int y, int w, int h, std::intptr_t flags) {
  draw_scaled_with<blend::Subtract>(x, y, w, h, flags);
}

// One-byte pixels looked up in blit_palette, one destination pixel per picture pixel.
void blit_palette_rle(int x, int y, int w, int h, std::intptr_t extra) {
  const auto* flags = reinterpret_cast<const BlitFlags*>(extra);
  if (!flags || !sprite_blitter.blit_palette || !picture_depth_is(8)) return;
  draw_picture(unscaled_box(x, y, w, h, *flags), w, h, PalettePixels{sprite_blitter.blit_palette},
               [](std::uint16_t s, std::uint16_t) { return s; }, false);
}

void install_scaled_modes(BlendModeRoutine* table) {
  table[128] = blit_scaled_copy;
  table[132] = blit_scaled_add;
  table[136] = blit_scaled_tint;
  table[140] = blit_scaled_level;
  table[144] = blit_scaled_fill;
  table[148] = blit_scaled_grey;
  table[152] = blit_scaled_subtract;
  table[192] = blit_palette_rle;
}

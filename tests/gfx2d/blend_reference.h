#pragma once
// Reference arithmetic for the blend modes, worked per 5-bit channel on plain integers: the
// blitter works with shifted masks on whole pixels, the tests with channel values 0..31, so the
// two meet only in the results. Also the colour tables the mode tests run over.
#include "gfx2d/pixel_format.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace blend_reference {

struct Channels {
  int r, g, b;
};

// The three 5-bit channel values of a pixel in the current layout.
inline Channels channels(std::uint32_t p) {
  return {int((p & red_mask) >> red_shift), int((p & green_mask) >> green_shift), int((p & blue_mask) >> blue_shift)};
}

// A pixel from three channel values; every bit outside the fields is 0.
inline std::uint16_t compose(Channels c) {
  return std::uint16_t((std::uint32_t(c.r) << red_shift) | (std::uint32_t(c.g) << green_shift) |
                       (std::uint32_t(c.b) << blue_shift));
}

template <class F>
std::uint16_t per_channel(std::uint16_t a, std::uint16_t b, F f) {
  Channels x = channels(a), y = channels(b);
  return compose({f(x.r, y.r, 0), f(x.g, y.g, 1), f(x.b, y.b, 2)});
}

struct Offsets {
  long long r = 0, g = 0, b = 0;
  long long at(int channel) const { return channel == 0 ? r : channel == 1 ? g : b; }
};

inline int clamp5(long long v) { return int(std::clamp<long long>(v, 0, 31)); }

// The tint of modes 3 and 4: the target's channel moved by the offset, held inside 0..31.
inline std::uint16_t tint(std::uint16_t d, const Offsets& o) {
  return per_channel(d, d, [&](int dc, int, int c) { return clamp5(dc + o.at(c)); });
}

// Modes 1 and 8: the source channel moved by the offset and held inside 0..31, then added to the
// target's channel with saturation at 31.
inline std::uint16_t offset_add(std::uint16_t s, std::uint16_t d, const Offsets& o) {
  return per_channel(s, d, [&](int sc, int dc, int c) { return std::min(clamp5(sc + o.at(c)) + dc, 31); });
}

// The scaled add: the saturated sum first, the offset after it.
inline std::uint16_t add_then_offset(std::uint16_t s, std::uint16_t d, const Offsets& o) {
  return per_channel(s, d, [&](int sc, int dc, int c) { return clamp5(std::min(sc + dc, 31) + o.at(c)); });
}

// Mode 11: the offset-moved source channel taken from the target's, floor 0.
inline std::uint16_t subtract(std::uint16_t s, std::uint16_t d, const Offsets& o) {
  return per_channel(s, d, [&](int sc, int dc, int c) { return std::max(dc - clamp5(sc + o.at(c)), 0); });
}

// Mode 10: a grey a little darker than the mean, (r + g + b) / 4 in every channel.
inline std::uint16_t grey(std::uint16_t d) {
  Channels c = channels(d);
  int v = (c.r + c.g + c.b) >> 2;
  return compose({v, v, v});
}

// Level n of s over d in sixteenths: halves, quarters, eighths and sixteenths, each rounded
// down on its own and taken from s where bit (4 - k) of n is set; 0 keeps d, 15 writes s.
inline std::uint16_t level_blend(std::uint16_t s, std::uint16_t d, int n) {
  if (n <= 0) return d;
  if (n >= 15) return s;
  return per_channel(s, d, [n](int sc, int dc, int) {
    int sum = 0;
    for (int k = 1; k <= 4; ++k) sum += (((n >> (4 - k)) & 1) ? sc : dc) >> k;
    return sum;
  });
}

// Mode 2: the target keeps (15 - n) sixteenths of each channel and the source pixel is added as
// a plain 16-bit number, with no mask and no saturation.
inline std::uint16_t alpha_add(std::uint16_t s, std::uint16_t d, int n) {
  if (n <= 0) return d;
  if (n >= 15) return s;
  int m = 15 - n;
  std::uint16_t kept = per_channel(d, d, [m](int dc, int, int) {
    int sum = 0;
    for (int k = 1; k <= 4; ++k) sum += ((m >> (4 - k)) & 1) ? dc >> k : 0;
    return sum;
  });
  return std::uint16_t(s + kept);
}

// Source colours: each channel at 0, 1, the middle, 30 and 31, so that every formula meets both
// ends of its range; the bits outside the fields set in some of them.
inline std::vector<std::uint16_t> source_colours() {
  const Channels c[] = {{0, 0, 0},    {31, 31, 31}, {31, 0, 0},    {0, 31, 0},  {0, 0, 31},  {1, 1, 1},
                        {30, 30, 30}, {16, 15, 1},  {2, 20, 31},   {31, 1, 30}, {15, 16, 17}, {3, 28, 7}};
  std::vector<std::uint16_t> out;
  for (const Channels& x : c) out.push_back(compose(x));
  out.push_back(0xFFFF);  // every bit, those between and above the fields too
  out.push_back(std::uint16_t(compose({20, 9, 4}) | ~(red_mask | green_mask | blue_mask)));
  return out;
}

// Destination colours: the same ends, and pixels with bits outside the fields.
inline std::vector<std::uint16_t> destination_colours() {
  const Channels c[] = {{0, 0, 0}, {31, 31, 31}, {31, 0, 31}, {0, 31, 0}, {1, 30, 2}, {30, 1, 29}, {16, 16, 16}, {7, 3, 25}};
  std::vector<std::uint16_t> out;
  for (const Channels& x : c) out.push_back(compose(x));
  out.push_back(0xFFFF);
  out.push_back(0x0000);
  out.push_back(std::uint16_t(~(red_mask | green_mask | blue_mask)));
  return out;
}

// Offsets over their whole range: none, small either way, exactly one field, past it, and the
// int limits (whose products with a channel step do not fit 32 bits).
inline std::vector<Offsets> offset_table() {
  return {{0, 0, 0},         {-3, -3, -3},     {1, 0, -1},      {31, -31, 0},    {32, 5, -32},
          {255, 255, 255},   {-40, 1000, 7},   {2147483647LL, -2147483648LL, 3}, {-2147483648LL, 0, 2147483647LL}};
}

}  // namespace blend_reference

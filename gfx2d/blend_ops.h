#pragma once
// Per-pixel arithmetic of the blend modes, worked on the three 5-bit fields of the current
// pixel layout with shifts and masks only. Each operation is set up once per draw from the
// pixel-format values and the one-shot settings, so the pixel loops carry no test of mode,
// layout or setting. Every operation takes one pixel (std::uint16_t) or a vector of 8, 16 or 32
// (blend::Pixels8 ...) with the same arithmetic, lane by lane: long runs go many pixels at a
// time, and the one-pixel form is their reference.
#include "gfx2d/blend_lanes.h"
#include "gfx2d/pixel_format.h"
#include "gfx2d/rle_row_walk.h"
#include "gfx2d/sprite_blitter.h"

#include <algorithm>
#include <cstdint>
#include <optional>

namespace blend {

// A 5-bit field saturates beyond 32 steps either way, so larger offsets are cut there once per
// draw: the results are the same and no sum of a channel and an offset can overflow.
inline int clamp_offset(int steps) { return std::clamp(steps, -32, 32); }

// A 5-bit field at bit S, lifted to where the channel rules work it: in place where three times
// its largest value and the negative of it fit a signed 16-bit lane (fields below bit 9), which
// saves the shifts there and back; at bit 0 above. A worked value counts in units of
// 1 << worked_shift(S).
constexpr int worked_shift(int s) { return s < 9 ? s : 0; }

// Whether the field at bit S lies inside one byte of the pixel.
constexpr bool inside_one_byte(int s) { return s / 8 == (s + 4) / 8; }

// The field at bit S of 16-bit pixels as a value 0 to 31: the top field needs no mask.
template <int S, class P>
inline P field_value(P p) {
  if constexpr (S + 5 >= 16)
    return P(p >> S);
  else
    return P((p >> S) & 31);
}

template <int S, class P>
inline Channels<P> worked_field(P p) {
  if constexpr (S < 9)
    return signed_lanes(p & std::uint16_t(31u << S));
  else
    return signed_lanes(field_value<S>(p));
}

// The three 5-bit fields of a pixel layout, as channel values 0 to 31 (r, g, b, compose) or
// as worked values (wr, wg, wb, compose_worked, in units of unit[0..2]) in 16-bit lanes
// (shifts, masks, min and max), which the compiler turns into vector code. The recognised
// layouts get their shifts as constants, which keeps the lanes 16 bits wide; any other
// layout takes them from the pixel-format values and works every channel at bit 0.
template <int RS, int GS, int BS>
struct FixedFields {
  static constexpr bool red_blue_in_bytes = inside_one_byte(RS) && inside_one_byte(BS);
  static constexpr std::int16_t unit[3] = {1 << worked_shift(RS), 1 << worked_shift(GS), 1 << worked_shift(BS)};

  template <class P>
  static Channels<P> r(P p) {
    return signed_lanes(field_value<RS>(p));
  }
  template <class P>
  static Channels<P> g(P p) {
    return signed_lanes(field_value<GS>(p));
  }
  template <class P>
  static Channels<P> b(P p) {
    return signed_lanes(field_value<BS>(p));
  }
  // Channel values 0 to 31 back into a pixel; every bit outside the fields is 0.
  template <class C>
  static PixelsOf<C> compose(C r, C g, C b) {
    return pixel_lanes((unsigned_lanes(r) << RS) | (unsigned_lanes(g) << GS) | (unsigned_lanes(b) << BS));
  }
  // Channel c (0 red, 1 green, 2 blue) in the low five bits, higher bits left as they are.
  template <int c, class P>
  static P field_low(P p) {
    constexpr int shift = c == 0 ? RS : c == 1 ? GS : BS;
    if constexpr (shift == 0)
      return p;
    else
      return P(p >> shift);
  }

  template <class P>
  static Channels<P> wr(P p) {
    return worked_field<RS>(p);
  }
  template <class P>
  static Channels<P> wg(P p) {
    return worked_field<GS>(p);
  }
  template <class P>
  static Channels<P> wb(P p) {
    return worked_field<BS>(p);
  }
  // Worked values 0 to 31 units back into a pixel; every bit outside the fields is 0.
  template <class C>
  static PixelsOf<C> compose_worked(C r, C g, C b) {
    return pixel_lanes((unsigned_lanes(r) << (RS - worked_shift(RS))) | (unsigned_lanes(g) << (GS - worked_shift(GS))) |
                       (unsigned_lanes(b) << (BS - worked_shift(BS))));
  }
};

struct LayoutFields {
  static constexpr bool red_blue_in_bytes = false;
  static constexpr std::int16_t unit[3] = {1, 1, 1};
  unsigned rs = unsigned(red_shift), gs = unsigned(green_shift), bs = unsigned(blue_shift);
  template <class P>
  Channels<P> r(P p) const {
    return signed_lanes((p >> rs) & 31);
  }
  template <class P>
  Channels<P> g(P p) const {
    return signed_lanes((p >> gs) & 31);
  }
  template <class P>
  Channels<P> b(P p) const {
    return signed_lanes((p >> bs) & 31);
  }
  template <class C>
  PixelsOf<C> compose(C r, C g, C b) const {
    return pixel_lanes((unsigned_lanes(r) << rs) | (unsigned_lanes(g) << gs) | (unsigned_lanes(b) << bs));
  }
  template <int c, class P>
  P field_low(P p) const {
    return P(p >> (c == 0 ? rs : c == 1 ? gs : bs));
  }
  template <class P>
  Channels<P> wr(P p) const {
    return r(p);
  }
  template <class P>
  Channels<P> wg(P p) const {
    return g(p);
  }
  template <class P>
  Channels<P> wb(P p) const {
    return b(p);
  }
  template <class C>
  PixelsOf<C> compose_worked(C r, C g, C b) const {
    return compose(r, g, b);
  }
};

// Calls f with the fields of the current layout.
template <class F>
void with_fields(F f) {
  const int r = red_shift, g = green_shift, b = blue_shift;
  if (r == 11 && g == 6 && b == 0) return f(FixedFields<11, 6, 0>{});  // RGB565
  if (r == 10 && g == 5 && b == 0) return f(FixedFields<10, 5, 0>{});  // RGB555
  if (r == 11 && g == 6 && b == 1) return f(FixedFields<11, 6, 1>{});  // 5-5-5 high
  if (r == 11 && g == 5 && b == 0) return f(FixedFields<11, 5, 0>{});  // 6-5-5
  f(LayoutFields{});
}

template <class C>
inline C at_most(C v, std::int16_t top) {
  return lane_min(v, top);
}
template <class C>
inline C at_least0(C v) {
  return lane_max(v, 0);
}
template <class C>
inline C clamp_to(C v, std::int16_t top) {
  return at_most(at_least0(v), top);
}

// The one-shot channel offsets blit_add_r, blit_add_g, blit_add_b, cut to +-32.
struct ChannelOffsets {
  std::int16_t r = std::int16_t(clamp_offset(sprite_blitter.blit_add_r));
  std::int16_t g = std::int16_t(clamp_offset(sprite_blitter.blit_add_g));
  std::int16_t b = std::int16_t(clamp_offset(sprite_blitter.blit_add_b));

  static bool none() {
    return sprite_blitter.blit_add_r == 0 && sprite_blitter.blit_add_g == 0 && sprite_blitter.blit_add_b == 0;
  }
};

// The offsets and the top value 31 of each channel in the worked units of the fields Fs:
// index 0 red, 1 green, 2 blue. An offset of 32 units of 512 is 16384, so no sum of a worked
// channel, an offset and another channel leaves a signed 16-bit lane.
template <class Fs>
struct WorkedOffsets {
  std::int16_t add[3], top[3];
  explicit WorkedOffsets(const ChannelOffsets& o) {
    const std::int16_t steps[3] = {o.r, o.g, o.b};
    for (int c = 0; c < 3; ++c) {
      add[c] = std::int16_t(steps[c] * Fs::unit[c]);
      top[c] = std::int16_t(31 * Fs::unit[c]);
    }
  }
};

// Every operation below gives the new target pixel from a source pixel s and the target
// pixel d; those that only look at the target ignore s.

// A function of one channel's value 0 to 31, as a table of 32 entries: in lanes of 32, one
// lane permutation looks up every lane at once (the permutation reads only the low five bits
// of each index), which is fewer operations than most channel rules. Filled once per draw from
// the rule's one-pixel form, so the lookup gives exactly what the rule gives.
struct ChannelTable {
  Pixels32 entries;

  template <class Rule>
  explicit ChannelTable(Rule rule) {
    for (int v = 0; v < 32; ++v) entries[v] = rule(v);
  }
  // idx: the channel in the low five bits of each lane. One permutation of a single table
  // (the compiler's own choice would be the slower one of two tables).
#if QORV_WIDE_LANES
  __attribute__((target("avx512bw"))) Pixels32 operator[](Pixels32 idx) const {
    return Pixels32(_mm512_permutexvar_epi16(__m512i(idx), __m512i(entries)));
  }
#else
  // Without the wide lanes no 32-lane block runs; this form only has to build and agree.
  Pixels32 operator[](Pixels32 idx) const {
    Pixels32 r;
    for (int i = 0; i < 32; ++i) r[i] = entries[idx[i] & 31];
    return r;
  }
#endif
};

// The worked value v (units of unit) as it stands in a pixel: the field of channel c alone.
template <class Fs>
std::uint16_t worked_in_pixel(const Fs& f, int c, std::int16_t v) {
  const std::int16_t z = 0;
  return c == 0 ? f.compose_worked(v, z, z) : c == 1 ? f.compose_worked(z, v, z) : f.compose_worked(z, z, v);
}

// The tint of modes 3 and 4: the target's channels moved by the offsets and held inside
// 0 to 31; bits outside the fields become 0.
template <class Fs>
struct Tint {
  Fs f;
  WorkedOffsets<Fs> o{ChannelOffsets{}};
  // Channel c of the result by the channel's value in the target, in place in the pixel.
  ChannelTable tables[3] = {table(0), table(1), table(2)};

  explicit Tint(Fs fields) : f(fields) {}

  std::int16_t one(int c, std::int16_t d) const { return clamp_to(std::int16_t(d + o.add[c]), o.top[c]); }
  ChannelTable table(int c) const {
    return ChannelTable([&](int v) { return worked_in_pixel(f, c, one(c, std::int16_t(v * Fs::unit[c]))); });
  }

  template <class P>
  P operator()(P, P d) const {
    if constexpr (LaneTypes<P>::width == 32) {
      return tables[0][f.template field_low<0>(d)] | tables[1][f.template field_low<1>(d)] |
             tables[2][f.template field_low<2>(d)];
    } else {
      using C = Channels<P>;
      return f.compose_worked(clamp_to(C(f.wr(d) + o.add[0]), o.top[0]), clamp_to(C(f.wg(d) + o.add[1]), o.top[1]),
                              clamp_to(C(f.wb(d) + o.add[2]), o.top[2]));
    }
  }
};

// A rule applied to each channel alike: Channel::one(source, target, offset, top) on red,
// green, blue, in worked units.
template <class Fs, class Channel>
struct PerChannel {
  Fs f;
  WorkedOffsets<Fs> o{ChannelOffsets{}};
  template <class P>
  P operator()(P s, P d) const {
    return f.compose_worked(Channel::one(f.wr(s), f.wr(d), o.add[0], o.top[0]),
                            Channel::one(f.wg(s), f.wg(d), o.add[1], o.top[1]),
                            Channel::one(f.wb(s), f.wb(d), o.add[2], o.top[2]));
  }
};

// Modes 1 and 8: each source channel moved by its offset and held inside 0 to 31, then added to
// the target's with saturation at 31. As s and d lie in 0 to top, that is min(max(s + a + d, d),
// top) for an offset of either sign: a positive offset's cut at top is swallowed by the cut of
// the sum, and a negative offset's floor at 0 is the floor d of the sum. The sum stays within
// -32 and 94 units, inside a lane.
struct OffsetAddChannel {
  template <class C>
  static C one(C s, C d, std::int16_t a, std::int16_t top) {
    const C sum = C(s + a + d);
    return at_most(sum < d ? d : sum, top);
  }
};
// Unsigned differences held at 0, in 16-bit lanes and in bytes.
using Bytes64 = std::uint8_t __attribute__((vector_size(64)));
#if QORV_WIDE_LANES
__attribute__((target("avx512bw"))) inline Pixels32 sub_saturated(Pixels32 a, Pixels32 b) {
  return Pixels32(_mm512_subs_epu16(__m512i(a), __m512i(b)));
}
__attribute__((target("avx512bw"))) inline Pixels32 sub_saturated_bytes(Pixels32 a, Pixels32 b) {
  return Pixels32(_mm512_subs_epu8(__m512i(a), __m512i(b)));
}
// ~a & k and ~(a | b) & k as one operation each: the compiler would split them into two, since
// it works ~d out once for all the masks; written as the instructions themselves it cannot.
__attribute__((target("avx512bw"))) inline Pixels32 and_not(Pixels32 a, std::uint16_t k) {
  __m512i r;
  asm("vpandnq %2, %1, %0" : "=v"(r) : "v"(__m512i(a)), "v"(_mm512_set1_epi16(short(k))));
  return Pixels32(r);
}
__attribute__((target("avx512bw"))) inline Pixels32 nor_and(Pixels32 a, Pixels32 b, std::uint16_t k) {
  __m512i r = __m512i(a);
  asm("vpternlogq $0x02, %2, %1, %0" : "+v"(r) : "v"(__m512i(b)), "v"(_mm512_set1_epi16(short(k))));
  return Pixels32(r);
}
#else
inline Pixels32 and_not(Pixels32 a, std::uint16_t k) { return ~a & k; }
inline Pixels32 nor_and(Pixels32 a, Pixels32 b, std::uint16_t k) { return ~(a | b) & k; }
inline Pixels32 sub_saturated(Pixels32 a, Pixels32 b) { return a > b ? a - b : Pixels32{}; }
inline Pixels32 sub_saturated_bytes(Pixels32 a, Pixels32 b) {
  const Bytes64 x = Bytes64(a), y = Bytes64(b);
  return Pixels32(x > y ? x - y : Bytes64{});
}
#endif

// In lanes of 32, the channel sums are worked on the complements: the complement of a target
// channel, 31 - d, less the moved source channel with the difference held at 0 is 31 less the
// sum held at 31, and a held difference never borrows from the bits around its field, so every
// bit outside the fields stays 0. Red and blue, each inside one byte in the recognised layouts,
// share one subtraction by bytes (elsewhere each takes its own by 16-bit lanes); green, which
// crosses the byte boundary, takes one by 16-bit lanes. One operation then complements the
// differences together and keeps the fields.
template <class Fs>
struct OffsetAdd : PerChannel<Fs, OffsetAddChannel> {
  using Base = PerChannel<Fs, OffsetAddChannel>;
  using Base::f;
  using Base::o;
  // The source channel moved by its offset and held inside 0 to 31, in place in its field, by
  // the source channel's value.
  ChannelTable moved[3] = {table(0), table(1), table(2)};
  std::uint16_t field[3] = {field_bits(0), field_bits(1), field_bits(2)};

  explicit OffsetAdd(Fs fields) : Base{fields} {}

  std::uint16_t field_bits(int c) const { return worked_in_pixel(f, c, o.top[c]); }
  ChannelTable table(int c) const {
    return ChannelTable([&](int v) {
      return worked_in_pixel(f, c, clamp_to(std::int16_t(v * Fs::unit[c] + o.add[c]), o.top[c]));
    });
  }

  template <class P>
  P operator()(P s, P d) const {
    if constexpr (LaneTypes<P>::width == 32) {
      const P r = moved[0][f.template field_low<0>(s)], b = moved[2][f.template field_low<2>(s)];
      P rb;
      if constexpr (Fs::red_blue_in_bytes)
        rb = sub_saturated_bytes(and_not(d, std::uint16_t(field[0] | field[2])), r | b);
      else
        rb = sub_saturated(and_not(d, field[0]), r) | sub_saturated(and_not(d, field[2]), b);
      const P g = sub_saturated(and_not(d, field[1]), moved[1][f.template field_low<1>(s)]);
      return nor_and(rb, g, std::uint16_t(field[0] | field[1] | field[2]));
    } else {
      return Base::operator()(s, d);
    }
  }
};

// The scaled add: the saturated sum of the two pixels first, the offsets after it.
struct AddThenOffsetChannel {
  template <class C>
  static C one(C s, C d, std::int16_t a, std::int16_t top) {
    return clamp_to(C(at_most(C(s + d), top) + a), top);
  }
};
template <class Fs>
using AddThenOffset = PerChannel<Fs, AddThenOffsetChannel>;

// Mode 11: the offset-moved source channel taken from the target's, floor 0.
struct SubtractChannel {
  template <class C>
  static C one(C s, C d, std::int16_t a, std::int16_t top) {
    return at_least0(C(d - clamp_to(C(s + a), top)));
  }
};
template <class Fs>
using Subtract = PerChannel<Fs, SubtractChannel>;

// Mode 10: every channel becomes (r + g + b) / 4, a grey a little darker than the mean.
template <class Fs>
struct Grey {
  Fs f;
  template <class P>
  P operator()(P, P d) const {
    using C = Channels<P>;
    const C v = C((f.r(d) + f.g(d) + f.b(d)) >> 2);
    return f.compose(v, v, v);
  }
};

// Sixteenths of s over d at level N from 1 to 14: halves, quarters, eighths and sixteenths of
// each channel (shift_mask[k] keeps the bits of each field that stay inside it after a shift
// by k), each rounded down on its own and taken from s where bit (4 - k) of N is set, from d
// elsewhere. The terms never carry into the next field. One type per level, so that the
// choice of s or d costs nothing per pixel.
template <int N>
struct LevelTerms {
  std::uint16_t m1 = std::uint16_t(shift_mask[1]), m2 = std::uint16_t(shift_mask[2]);
  std::uint16_t m3 = std::uint16_t(shift_mask[3]), m4 = std::uint16_t(shift_mask[4]);

  template <class P>
  P operator()(P s, P d) const {
    const P x1 = (N & 8) ? s : d, x2 = (N & 4) ? s : d, x3 = (N & 2) ? s : d, x4 = (N & 1) ? s : d;
    return P(((x1 >> 1) & m1) + ((x2 >> 2) & m2) + ((x3 >> 3) & m3) + ((x4 >> 4) & m4));
  }
};

// Calls f(LevelTerms<level>{}) for a level from 1 to 14.
template <class F>
void with_level_terms(int level, F f) {
  switch (level) {
    case 1: return f(LevelTerms<1>{});
    case 2: return f(LevelTerms<2>{});
    case 3: return f(LevelTerms<3>{});
    case 4: return f(LevelTerms<4>{});
    case 5: return f(LevelTerms<5>{});
    case 6: return f(LevelTerms<6>{});
    case 7: return f(LevelTerms<7>{});
    case 8: return f(LevelTerms<8>{});
    case 9: return f(LevelTerms<9>{});
    case 10: return f(LevelTerms<10>{});
    case 11: return f(LevelTerms<11>{});
    case 12: return f(LevelTerms<12>{});
    case 13: return f(LevelTerms<13>{});
    case 14: return f(LevelTerms<14>{});
    default: return;
  }
}

// The same blend with the level chosen per pixel, for the paths that are not per frame.
class LevelBlend {
 public:
  explicit LevelBlend(int level) {
    for (int k = 1; k <= 4; ++k) {
      bool from_source = (level >> (4 - k)) & 1;
      s_[k - 1] = from_source ? std::uint16_t(shift_mask[k]) : 0;
      d_[k - 1] = from_source ? 0 : std::uint16_t(shift_mask[k]);
    }
  }
  std::uint16_t operator()(std::uint16_t s, std::uint16_t d) const {
    return std::uint16_t(((s >> 1) & s_[0]) + ((d >> 1) & d_[0]) + ((s >> 2) & s_[1]) + ((d >> 2) & d_[1]) +
                         ((s >> 3) & s_[2]) + ((d >> 3) & d_[2]) + ((s >> 4) & s_[3]) + ((d >> 4) & d_[3]));
  }

 private:
  std::uint16_t s_[4], d_[4];
};

// The row walk with f(s, d) giving the new value of every visible literal pixel, in lanes of
// P; transparent and second-key runs leave the target as it is.
template <bool Mirror, class P, class F>
struct EachLiteral {
  F f;
  void literal(std::uint16_t* d, const std::uint8_t* s, int n) const { each_run<Mirror, P>(f, d, s, n); }
  static void keyed(std::uint16_t, std::uint16_t*, int) {}
};

template <bool Mirror, class P, class F>
void walk_literals_in(int w, int row_step, const F& f) {
  EachLiteral<Mirror, P, F> op{f};
  rle_walk::walk_rows<Mirror>(sprite_blitter, w, row_step, op);
}

template <bool Mirror, class F>
void walk_literals(int w, int row_step, F f) {
  with_lanes([&](auto lanes) { walk_literals_in<Mirror, decltype(lanes)>(w, row_step, f); });
}

// Op<Fs> for the current one-shot offsets and layout, the only settings the operations of
// walk_literals_with read. Its tables are built when either changes and kept otherwise: callers
// draw many sprites in a row with the same settings, and a sprite's rows are short, so building
// them for every draw costs a noticeable part of the draw. Blits run on one thread.
template <class O, class Fs>
const O& op_for_settings(Fs fields) {
  struct Kept {
    int key[6];
    std::optional<O> op;
  };
  static Kept kept{};
  const int key[6] = {sprite_blitter.blit_add_r, sprite_blitter.blit_add_g, sprite_blitter.blit_add_b,
                      red_shift, green_shift, blue_shift};
  if (!kept.op || !std::equal(key, key + 6, kept.key)) {
    kept.op.emplace(O{fields});
    std::copy(key, key + 6, kept.key);
  }
  return *kept.op;
}

// The row walk with Op<the current layout's fields> on every visible literal pixel.
template <template <class> class Op, bool Mirror>
void walk_literals_with(int w, int row_step) {
  with_fields([&](auto fields) {
    walk_literals<Mirror>(w, row_step, op_for_settings<Op<decltype(fields)>>(fields));
  });
}

}  // namespace blend

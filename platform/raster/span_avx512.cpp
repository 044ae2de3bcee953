// The span loops sixteen pixels at a time with AVX-512 (GCC only, chosen at run time): each
// segment of a span is walked in groups of sixteen lanes, the last group masked, so short spans
// cost one group and no one-pixel tail. The arithmetic is that of the one-pixel loops lane by
// lane, without fused multiply-add, so the pixels are the same bit for bit.
#include "platform/raster/span_avx512.h"

#if QORV_AVX512_SPANS
#include <immintrin.h>

#include <cstdint>

#include "platform/raster/span_segment.h"

#pragma GCC push_options
#pragma GCC target("avx512f,avx512bw,avx512vl,avx512dq")

// Included here, with AVX-512 in force, so that its operations are built for it.
#include "platform/raster/span_colour.h"

namespace platform::raster {
namespace {

using I16 = std::int32_t __attribute__((vector_size(64)));
using U16 = std::uint32_t __attribute__((vector_size(64)));
using F16 = float __attribute__((vector_size(64)));

constexpr I16 lane_index = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15};

inline I16 splat(std::int32_t v) { return I16{} + v; }

// Values stepped by a per-pixel step from the current pixel, wrapping as repeated additions do.
inline I16 stepped(std::int32_t start, std::int32_t step) {
  return I16(U16(lane_index) * std::uint32_t(step) + std::uint32_t(start));
}
inline void step_by(std::int32_t& a, std::int32_t d, int n) {
  a = std::int32_t(std::uint32_t(a) + std::uint32_t(n) * std::uint32_t(d));
}

using colour_lanes::div255;
using colour_lanes::unpack565;
using Rgb16 = colour_lanes::Rgb<I16>;
inline I16 pack565(const Rgb16& c) { return colour_lanes::pack565(c); }

// a * b for 0 <= a, b <= 255: the product fits the low 16 bits of each lane, so the 16-bit
// multiply gives it whole.
inline I16 mul8(I16 a, I16 b) { return I16(_mm512_mullo_epi16(__m512i(a), __m512i(b))); }

// The product and the cap of the shared colour arithmetic, in sixteen lanes. (The masked form
// of min, with every lane set, spares GCC's warning about the unmasked form's undefined
// pass-through operand.)
struct Lanes16 {
  static I16 mul_div255(I16 a, I16 b) { return div255(mul8(a, b)); }
  static I16 min255(I16 v) { return I16(_mm512_maskz_min_epi32(0xFFFF, __m512i(v), _mm512_set1_epi32(255))); }
};
inline I16 mul_div255(I16 a, I16 b) { return Lanes16::mul_div255(a, b); }
inline I16 clamp255(I16 v) {
  return Lanes16::min255(I16(_mm512_maskz_max_epi32(0xFFFF, __m512i(v), _mm512_setzero_si512())));
}
inline I16 channel8(I16 c) { return clamp255((c + 128) >> 8); }

template <BlendKind B>
inline I16 blend_channel(I16 s, I16 a, I16 d) {
  return colour_lanes::blend_channel<B, Lanes16>(s, a, d);
}

// Texels at the given indices, two at a time: the low half of each lane holds texels[i], the
// high half texels[i + 1]. Textures keep one texel of padding, so the last texel can be read so.
inline U16 texel_pairs(const PipelineState& p, __mmask16 lanes, I16 index) {
  return U16(_mm512_mask_i32gather_epi32(_mm512_setzero_si512(), lanes, __m512i(index), p.texels, 2));
}

// Each texel of a pair spread so that red, green and blue sit apart in one word, as the
// one-pixel fetch spreads them.
inline U16 spread_low(U16 pair) { return (pair & 0xF81Fu) | ((pair << 16) & 0x07E00000u); }
inline U16 spread_high(U16 pair) { return ((pair >> 16) & 0xF81Fu) | (pair & 0x07E00000u); }

// The bilinear texels of a power-of-two texture without a key. The two texels of a row are
// neighbours in memory except where x wraps from the last column to the first; those lanes
// fetch their second texel again.
inline Rgb16 linear_texels(const PipelineState& p, __mmask16 lanes, I16 su, I16 sv) {
  const I16 fx = (su >> 8) & 255, fy = (sv >> 8) & 255;
  const I16 xi = su >> 16, yi = sv >> 16;
  const I16 x0 = xi & (p.tex_width - 1);
  const I16 y0 = (yi & (p.tex_height - 1)) * p.tex_pitch, y1 = ((yi + 1) & (p.tex_height - 1)) * p.tex_pitch;
  U16 top_pair = texel_pairs(p, lanes, y0 + x0), bottom_pair = texel_pairs(p, lanes, y1 + x0);
  const __mmask16 wrapped =
      _mm512_mask_cmpeq_epi32_mask(lanes, __m512i(x0), _mm512_set1_epi32(p.tex_width - 1));
  if (wrapped) {
    const U16 first_top = texel_pairs(p, wrapped, y0), first_bottom = texel_pairs(p, wrapped, y1);
    top_pair = U16(_mm512_mask_blend_epi32(wrapped, __m512i(top_pair), __m512i((top_pair & 0xFFFFu) | (first_top << 16))));
    bottom_pair = U16(_mm512_mask_blend_epi32(wrapped, __m512i(bottom_pair),
                                              __m512i((bottom_pair & 0xFFFFu) | (first_bottom << 16))));
  }
  const U16 m = U16{} + 0x07E0F81Fu;
  const U16 wx = U16(fx >> 3), wy = U16(fy >> 3);
  const U16 top = ((spread_low(top_pair) * (32 - wx) + spread_high(top_pair) * wx) >> 5) & m;
  const U16 bottom = ((spread_low(bottom_pair) * (32 - wx) + spread_high(bottom_pair) * wx) >> 5) & m;
  const U16 mix = ((top * (32 - wy) + bottom * wy) >> 5) & m;
  return unpack565(I16((mix & 0xF81Fu) | ((mix >> 16) & 0x07E0u)));
}

// The nearest texels of a power-of-two texture without a key.
inline Rgb16 nearest_texels(const PipelineState& p, __mmask16 lanes, I16 su, I16 sv) {
  const I16 x = (su >> 16) & (p.tex_width - 1), y = (sv >> 16) & (p.tex_height - 1);
  return unpack565(I16(texel_pairs(p, lanes, y * p.tex_pitch + x) & 0xFFFFu));
}

// Any other texture one lane at a time; a keyed texel takes its lane out of `lanes`.
template <TexMode T>
inline Rgb16 texels_by_lane(const PipelineState& p, __mmask16& lanes, I16 su, I16 sv) {
  alignas(64) std::int32_t r[16] = {}, g[16] = {}, b[16] = {};
  for (int j = 0; j < 16; ++j) {
    if (!(lanes >> j & 1)) continue;
    Rgb one{};
    if (!fetch<T>(p, su[j], sv[j], one)) lanes = __mmask16(lanes & ~(1u << j));
    r[j] = one.r;
    g[j] = one.g;
    b[j] = one.b;
  }
  I16 vr, vg, vb;
  __builtin_memcpy(&vr, r, sizeof vr);
  __builtin_memcpy(&vg, g, sizeof vg);
  __builtin_memcpy(&vb, b, sizeof vb);
  return {vr, vg, vb};
}

template <TexMode T>
inline Rgb16 texels(const PipelineState& p, __mmask16& lanes, I16 su, I16 sv) {
  if (T == TexMode::Linear && p.tex_pow2) return linear_texels(p, lanes, su, sv);
  if (T == TexMode::Nearest && p.tex_pow2) return nearest_texels(p, lanes, su, sv);
  return texels_by_lane<T>(p, lanes, su, sv);
}

using F8 = float __attribute__((vector_size(32)));
using I8 = std::int32_t __attribute__((vector_size(32)));

// The attributes rhw, u, v, r, g, b, a and fog (in this order, as the planes hold them) at
// pixel x of the row oy below the planes' origin, each as plane_at evaluates it.
inline F8 attributes_at(const Plane& pl, int x, float oy) {
  static_assert(AU == ARhw + 1 && AF == ARhw + 7);
  F8 a0, dx, dy;
  __builtin_memcpy(&a0, pl.a0 + ARhw, sizeof a0);
  __builtin_memcpy(&dx, pl.dx + ARhw, sizeof dx);
  __builtin_memcpy(&dy, pl.dy + ARhw, sizeof dy);
  return a0 + dx * (float(x) - pl.ox) + dy * oy;
}

// to_fixed in eight lanes.
inline I8 to_fixed8(F8 v) {
  const I8 in_range = (v > -2.0e9f) & (v < 2.0e9f);
  return I8(_mm256_cvttps_epi32(__m256(v))) & in_range;
}

// segment_steps with the eight attributes side by side: the same operations on the same values
// lane by lane, so the same steps.
template <TexMode T, bool Fog>
inline void segment_steps8(const PipelineState& p, const Plane& pl, float oy, int x0, int x1, Steps& s) {
  const int n = x1 - x0 + 1;
  const F8 at0 = attributes_at(pl, x0, oy), at1 = attributes_at(pl, x1, oy);
  const float w0 = 1.0f / at0[0], w1 = 1.0f / at1[0];
  const float per_step = n > 1 ? 1.0f / float(n - 1) : 0.0f;
  F8 lo = at0 * w0, hi = at1 * w1;
  F8 scale = F8{} + 256.0f;
  if constexpr (textured(T)) {
    // u and v as texel_range takes them: whole repeats off (floor_to_int, out of range gives
    // 0), scaled to texels, less the filter's bias.
    const I8 texel_lanes = {0, -1, -1, 0, 0, 0, 0, 0};
    const float bias = linear_filter(T) ? 0.5f : 0.0f;
    const F8 size = {1.0f, float(p.tex_width), float(p.tex_height), 1.0f, 1.0f, 1.0f, 1.0f, 1.0f};
    const I8 in_range = (lo > -1.0e9f) & (lo < 1.0e9f);
    I8 i = I8(_mm256_cvttps_epi32(__m256(lo)));
    i -= I8(__builtin_convertvector(i, F8) > lo) & 1;
    const F8 whole = __builtin_convertvector(i & in_range, F8);
    lo = texel_lanes ? (lo - whole) * size - bias : lo;
    hi = texel_lanes ? (hi - whole) * size - bias : hi;
    scale = texel_lanes ? F8{} + 65536.0f : scale;
  }
  alignas(32) std::int32_t start[8], step[8];
  const I8 first = to_fixed8(lo * scale), per = to_fixed8((hi - lo) * per_step * scale);
  __builtin_memcpy(start, &first, sizeof start);
  __builtin_memcpy(step, &per, sizeof step);
  s.u = s.du = s.v = s.dv = 0;
  if (textured(T)) {
    s.u = start[1];
    s.du = step[1];
    s.v = start[2];
    s.dv = step[2];
  }
  for (int k = 0; k < 4; ++k) {
    s.c[k] = pl.flat ? pl.flat_rgba[k] << 8 : start[3 + k];
    s.dc[k] = pl.flat ? 0 : step[3 + k];
  }
  s.f = Fog ? start[7] : 0;
  s.df = Fog ? step[7] : 0;
}

// Depth of the next sixteen pixels, each the previous one plus the step as the one-pixel loop
// adds them, one after the other; z moves on by `count` pixels.
inline F16 depth_run_serial(float& z, float dz, int count) {
  F16 out;
  float at = z;
  for (int j = 0; j < 16; ++j) {
    out[j] = at;
    at += dz;
  }
  z = count < 16 ? out[count] : at;
  return out;
}

// The same run without sixteen additions in a row. Within one binade the additions add the same
// rounded step each time, so the run is guessed as z + j * (the first rounded step) and then
// checked: where every guessed depth is, bit for bit, its predecessor plus the step, the guess
// is the serial run by induction. Anything else (a binade crossed, a tie, a non-number) takes
// the serial additions.
inline F16 depth_run(float& z, float dz, int count) {
  constexpr F16 lane_f = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15};
  const F16 first = F16{} + z;
  const float rounded_step = (z + dz) - z;
  const F16 guess = F16(_mm512_mask_blend_ps(1, __m512(first + lane_f * rounded_step), __m512(first)));
  const F16 next = guess + dz;
  const __m512i following = _mm512_maskz_alignr_epi32(0xFFFF, _mm512_setzero_si512(), __m512i(guess), 1);
  const __mmask16 checked = __mmask16((1u << (count - 1)) - 1u);
  if (_mm512_mask_cmpneq_epi32_mask(checked, following, __m512i(next)) != 0) return depth_run_serial(z, dz, count);
  z = _mm512_cvtss_f32(_mm512_maskz_permutexvar_ps(0xFFFF, _mm512_set1_epi32(count - 1), __m512(next)));
  return guess;
}

// Pixels x .. x + count - 1 (count <= 16) of a segment; the steps move on by count pixels.
template <TexMode T, bool Fog, BlendKind B, bool ZWrite>
inline void sixteen_pixels(const PipelineState& p, std::uint16_t* dst, float* zb, int x, int count, Steps& s) {
  const __mmask16 live = __mmask16((1u << count) - 1u);
  const F16 z = depth_run(s.z, s.dz, count);
  const __m512 depth = _mm512_maskz_loadu_ps(live, zb + x);
  __mmask16 pass = _mm512_mask_cmp_ps_mask(live, __m512(z), depth, _CMP_LE_OQ);
  const I16 u = stepped(s.u, s.du), v = stepped(s.v, s.dv);
  const I16 c0 = stepped(s.c[0], s.dc[0]), c1 = stepped(s.c[1], s.dc[1]), c2 = stepped(s.c[2], s.dc[2]),
            c3 = stepped(s.c[3], s.dc[3]);
  const I16 f = stepped(s.f, s.df);
  step_by(s.u, s.du, count);
  step_by(s.v, s.dv, count);
  for (int k = 0; k < 4; ++k) step_by(s.c[k], s.dc[k], count);
  step_by(s.f, s.df, count);
  if (!pass) return;

  Rgb16 col = {channel8(c0), channel8(c1), channel8(c2)};
  if constexpr (textured(T)) {
    const Rgb16 t = texels<T>(p, pass, u, v);
    col = {mul_div255(t.r, col.r), mul_div255(t.g, col.g), mul_div255(t.b, col.b)};
  }
  if constexpr (Fog) {
    const I16 k = channel8(f), inv = 255 - k;
    col = {div255(mul8(col.r, k) + mul8(splat(p.fog_rgb[0]), inv)),
           div255(mul8(col.g, k) + mul8(splat(p.fog_rgb[1]), inv)),
           div255(mul8(col.b, k) + mul8(splat(p.fog_rgb[2]), inv))};
  }
  I16 out;
  if constexpr (B == BlendKind::Opaque) {
    out = pack565(col);
  } else {
    const I16 alpha = channel8(c3);
    const Rgb16 d = unpack565(I16(_mm512_maskz_cvtepu16_epi32(pass, _mm256_maskz_loadu_epi16(pass, dst + x))));
    out = pack565({blend_channel<B>(col.r, alpha, d.r), blend_channel<B>(col.g, alpha, d.g),
                   blend_channel<B>(col.b, alpha, d.b)});
  }
  _mm512_mask_cvtepi32_storeu_epi16(dst + x, pass, __m512i(out));
  if (ZWrite) _mm512_mask_storeu_ps(zb + x, pass, __m512(z));
}

template <TexMode T, bool Fog, BlendKind B, bool ZWrite>
__attribute__((flatten)) void span16(const PipelineState& p, const Plane& pl, int y, int xl, int xr) {
  const float oy = float(y) - pl.oy;
  std::uint16_t* dst = p.target + y * p.pitch;
  float* zb = p.depth + y * p.depth_pitch;
  Steps s;
  s.z = plane_at(pl, AZ, xl, oy);
  s.dz = pl.dx[AZ];
  const int seg = pl.affine ? xr - xl + 1 : segment;
  for (int x0 = xl; x0 <= xr; x0 += seg) {
    const int n = xr - x0 + 1 < seg ? xr - x0 + 1 : seg;
    const int x1 = x0 + n - 1;
    segment_steps8<T, Fog>(p, pl, oy, x0, x1, s);
    for (int x = x0; x <= x1; x += 16)
      sixteen_pixels<T, Fog, B, ZWrite>(p, dst, zb, x, x1 - x + 1 < 16 ? x1 - x + 1 : 16, s);
  }
}

template <TexMode T, bool Fog, BlendKind B>
SpanFn pick_z(bool z_write) {
  return z_write ? &span16<T, Fog, B, true> : &span16<T, Fog, B, false>;
}

template <TexMode T, bool Fog>
SpanFn pick_blend(BlendKind blend, bool z_write) {
  switch (blend) {
    case BlendKind::Opaque: return pick_z<T, Fog, BlendKind::Opaque>(z_write);
    case BlendKind::Add: return pick_z<T, Fog, BlendKind::Add>(z_write);
    case BlendKind::Alpha: return pick_z<T, Fog, BlendKind::Alpha>(z_write);
    case BlendKind::InvColourMul: return pick_z<T, Fog, BlendKind::InvColourMul>(z_write);
    case BlendKind::SrcColour: return pick_z<T, Fog, BlendKind::SrcColour>(z_write);
    case BlendKind::Generic: break;
  }
  return nullptr;
}

template <TexMode T>
SpanFn pick_fog(bool fog, BlendKind blend, bool z_write) {
  return fog ? pick_blend<T, true>(blend, z_write) : pick_blend<T, false>(blend, z_write);
}

}  // namespace
}  // namespace platform::raster

#pragma GCC pop_options

namespace platform::raster {

SpanFn select_span_avx512(TexMode tex, bool fog, BlendKind blend, bool z_write) {
  static const bool present = __builtin_cpu_supports("avx512f") && __builtin_cpu_supports("avx512bw") &&
                              __builtin_cpu_supports("avx512vl") && __builtin_cpu_supports("avx512dq");
  if (!present) return nullptr;
  switch (tex) {
    case TexMode::None: return pick_fog<TexMode::None>(fog, blend, z_write);
    case TexMode::Nearest: return pick_fog<TexMode::Nearest>(fog, blend, z_write);
    case TexMode::NearestKey: return pick_fog<TexMode::NearestKey>(fog, blend, z_write);
    case TexMode::Linear: return pick_fog<TexMode::Linear>(fog, blend, z_write);
    case TexMode::LinearKey: break;
  }
  return pick_fog<TexMode::LinearKey>(fog, blend, z_write);
}

}  // namespace platform::raster

#else

namespace platform::raster {

SpanFn select_span_avx512(TexMode, bool, BlendKind, bool) { return nullptr; }

}  // namespace platform::raster

#endif

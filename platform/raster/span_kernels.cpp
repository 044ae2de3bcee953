// The span loops, one per combination of texture mode, fog, blend kind and depth writes, so the
// inner loop carries no state tests. Every loop shares the per-pixel arithmetic of pixel_ops.h.
#include <cstdint>

#include "platform/raster/pixel_ops.h"
#include "platform/raster/span_avx512.h"
#include "platform/raster/span_lanes.h"
#include "platform/raster/span_segment.h"

namespace platform::raster {
namespace {

// The texels of four pixels fetched one lane at a time; a keyed texel clears its lane's pass.
template <bool Linear, bool Key>
inline lanes::Rgb4 texels_by_lane(const PipelineState& p, lanes::I4 u, lanes::I4 v, lanes::I4& pass) {
  lanes::Rgb4 t;
  for (int j = 0; j < 4; ++j) {
    Rgb one{};
    const bool keep = Linear ? fetch_linear<Key>(p, u[j], v[j], one) : fetch_nearest<Key>(p, u[j], v[j], one);
    if (!keep) pass[j] = 0;
    t.r[j] = one.r;
    t.g[j] = one.g;
    t.b[j] = one.b;
  }
  return t;
}

// fetch_linear without a key on a power-of-two texture, four lanes at once: the addresses and
// the 5-bit weighting in lanes, only the loads one by one.
inline lanes::Rgb4 linear_texels(const PipelineState& p, lanes::I4 su, lanes::I4 sv) {
  using lanes::I4;
  using U4 = std::uint32_t __attribute__((vector_size(16)));
  const I4 fx = (su >> 8) & 255, fy = (sv >> 8) & 255;
  const I4 xi = su >> 16, yi = sv >> 16;
  const I4 x0 = xi & (p.tex_width - 1), x1 = (xi + 1) & (p.tex_width - 1);
  const I4 y0 = (yi & (p.tex_height - 1)) * p.tex_pitch, y1 = ((yi + 1) & (p.tex_height - 1)) * p.tex_pitch;
  const I4 i00 = y0 + x0, i01 = y0 + x1, i10 = y1 + x0, i11 = y1 + x1;
  U4 t00, t01, t10, t11;
  for (int j = 0; j < 4; ++j) {
    t00[j] = p.texels[i00[j]];
    t01[j] = p.texels[i01[j]];
    t10[j] = p.texels[i10[j]];
    t11[j] = p.texels[i11[j]];
  }
  const U4 m = U4{} + 0x07E0F81Fu;
  auto spread = [&](U4 t) { return (t | (t << 16)) & m; };
  const U4 wx = U4(fx >> 3), wy = U4(fy >> 3);
  const U4 top = ((spread(t00) * (32 - wx) + spread(t01) * wx) >> 5) & m;
  const U4 bottom = ((spread(t10) * (32 - wx) + spread(t11) * wx) >> 5) & m;
  const U4 mix = ((top * (32 - wy) + bottom * wy) >> 5) & m;
  return lanes::unpack565(I4((mix & 0xF81Fu) | ((mix >> 16) & 0x07E0u)));
}

// The texture's colour times the interpolated colour.
inline lanes::Rgb4 modulate(const lanes::Rgb4& t, const lanes::Rgb4& c) {
  return {lanes::mul_div255(t.r, c.r), lanes::mul_div255(t.g, c.g), lanes::mul_div255(t.b, c.b)};
}

// Pixels x .. x + 3 of a segment with the arithmetic of the one-pixel loop, lane by lane; the
// steps move on by four pixels.
template <TexMode T, bool Fog, BlendKind B, bool ZWrite>
inline void four_pixels(const PipelineState& p, std::uint16_t* dst, float* zb, int x, Steps& s) {
  using lanes::I4;
  using lanes::F4;
  using lanes::Rgb4;
  using lanes::stepped;
  constexpr bool linear = T == TexMode::Linear || T == TexMode::LinearKey;
  constexpr bool key = T == TexMode::NearestKey || T == TexMode::LinearKey;
  // Depth is stepped one pixel after the other, as the one-pixel loop adds it.
  F4 z;
  for (int j = 0; j < 4; ++j) {
    z[j] = s.z;
    s.z += s.dz;
  }
  F4 depth;
  __builtin_memcpy(&depth, zb + x, sizeof depth);
  I4 pass = I4(z <= depth);
  const I4 u = stepped(s.u, s.du), v = stepped(s.v, s.dv);
  const I4 c0 = stepped(s.c[0], s.dc[0]), c1 = stepped(s.c[1], s.dc[1]), c2 = stepped(s.c[2], s.dc[2]),
           c3 = stepped(s.c[3], s.dc[3]);
  const I4 f = stepped(s.f, s.df);
  // Four steps at once wrap as four single steps do.
  auto four_steps = [](std::int32_t& a, std::int32_t d) { a = std::int32_t(std::uint32_t(a) + 4u * std::uint32_t(d)); };
  four_steps(s.u, s.du);
  four_steps(s.v, s.dv);
  for (int k = 0; k < 4; ++k) four_steps(s.c[k], s.dc[k]);
  four_steps(s.f, s.df);
  if (!(pass[0] | pass[1] | pass[2] | pass[3])) return;

  Rgb4 col = {lanes::channel8(c0), lanes::channel8(c1), lanes::channel8(c2)};
  const I4 alpha = lanes::channel8(c3);
  if constexpr (T == TexMode::Linear) {
    if (p.tex_pow2) {
      col = modulate(linear_texels(p, u, v), col);
    } else {
      col = modulate(texels_by_lane<linear, key>(p, u, v, pass), col);
    }
  } else if constexpr (textured(T)) {
    col = modulate(texels_by_lane<linear, key>(p, u, v, pass), col);
  }
  if constexpr (Fog) {
    const I4 k = lanes::channel8(f), inv = 255 - k;
    col = {lanes::div255(col.r * k + p.fog_rgb[0] * inv), lanes::div255(col.g * k + p.fog_rgb[1] * inv),
           lanes::div255(col.b * k + p.fog_rgb[2] * inv)};
  }
  I4 out;
  if constexpr (B == BlendKind::Opaque) {
    out = lanes::pack565(col);
  } else {
    const I4 old = {dst[x], dst[x + 1], dst[x + 2], dst[x + 3]};
    const Rgb4 d = lanes::unpack565(old);
    out = lanes::pack565({lanes::blend_channel<B>(col.r, alpha, d.r), lanes::blend_channel<B>(col.g, alpha, d.g),
                   lanes::blend_channel<B>(col.b, alpha, d.b)});
  }
  for (int j = 0; j < 4; ++j) {
    if (!pass[j]) continue;
    dst[x + j] = std::uint16_t(out[j]);
    if (ZWrite) zb[x + j] = z[j];
  }
}

template <TexMode T, bool Fog, BlendKind B, bool ZWrite, bool Vector = false>
void span(const PipelineState& p, const Plane& pl, int y, int xl, int xr) {
  const float oy = float(y) - pl.oy;
  std::uint16_t* dst = p.target + y * p.pitch;
  float* zb = p.depth + y * p.depth_pitch;
  float z = plane_at(pl, AZ, xl, oy);
  const float dz = pl.dx[AZ];
  const int seg = pl.affine ? xr - xl + 1 : segment;
  for (int x0 = xl; x0 <= xr; x0 += seg) {
    const int n = xr - x0 + 1 < seg ? xr - x0 + 1 : seg;
    const int x1 = x0 + n - 1;
    Steps st;
    segment_steps<T, Fog>(p, pl, oy, x0, x1, st);
    std::int32_t u = st.u, du = st.du, v = st.v, dv = st.dv, f = st.f, df = st.df;
    std::int32_t c[4] = {st.c[0], st.c[1], st.c[2], st.c[3]}, dc[4] = {st.dc[0], st.dc[1], st.dc[2], st.dc[3]};
    int x = x0;
    if constexpr (Vector) {
      if (x1 - x0 >= 3) {
        st.z = z;
        st.dz = dz;
        for (; x + 3 <= x1; x += 4) four_pixels<T, Fog, B, ZWrite>(p, dst, zb, x, st);
        z = st.z;
        u = st.u;
        v = st.v;
        for (int k = 0; k < 4; ++k) c[k] = st.c[k];
        f = st.f;
      }
    }
    for (; x <= x1; ++x) {
      if (z <= zb[x]) {
        Rgb col = {channel8(c[0]), channel8(c[1]), channel8(c[2])};
        const int alpha = channel8(c[3]);
        bool keep = true;
        if (textured(T)) {
          Rgb t{};
          keep = fetch<T>(p, u, v, t);
          if (keep) col = {mul_div255(t.r, col.r), mul_div255(t.g, col.g), mul_div255(t.b, col.b)};
        }
        if (keep) {
          if (Fog) {
            const int k = channel8(f), inv = 255 - k;
            col = {div255(col.r * k + p.fog_rgb[0] * inv), div255(col.g * k + p.fog_rgb[1] * inv),
                   div255(col.b * k + p.fog_rgb[2] * inv)};
          }
          if (B == BlendKind::Opaque) {
            dst[x] = pack565(col.r, col.g, col.b);
          } else {
            const Rgb d = unpack565(dst[x]);
            dst[x] = pack565(blend_channel<B>(p, col.r, alpha, d.r), blend_channel<B>(p, col.g, alpha, d.g),
                             blend_channel<B>(p, col.b, alpha, d.b));
          }
          if (ZWrite) zb[x] = z;
        }
      }
      z += dz;
      if (textured(T)) {
        u += du;
        v += dv;
      }
      for (int k = 0; k < 4; ++k) c[k] += dc[k];
      if (Fog) f += df;
    }
  }
}

#if defined(__GNUC__) && defined(__x86_64__) && defined(__OPTIMIZE__)
// The four-pixel loops built for AVX2 (three-operand forms, wider registers for the float and
// integer work around the lanes), everything they call inlined into them. No fused multiply-add:
// the arithmetic stays that of the other loops, bit for bit.
template <TexMode T, bool Fog, BlendKind B, bool ZWrite>
__attribute__((target("avx2"), flatten)) void span_avx2(const PipelineState& p, const Plane& pl, int y, int xl,
                                                        int xr) {
  span<T, Fog, B, ZWrite, true>(p, pl, y, xl, xr);
}

bool avx2_present() { return __builtin_cpu_supports("avx2"); }
#define QORV_AVX2_SPANS 1
#else
#define QORV_AVX2_SPANS 0
#endif

// The four-pixel loops serve the blend kinds with fixed factors.
template <TexMode T, bool Fog, BlendKind B>
SpanFn pick_z(bool z_write, bool vector, bool wide) {
  if constexpr (B != BlendKind::Generic) {
#if QORV_AVX2_SPANS
    if (vector && wide && avx2_present()) return z_write ? &span_avx2<T, Fog, B, true> : &span_avx2<T, Fog, B, false>;
#endif
    if (vector) return z_write ? &span<T, Fog, B, true, true> : &span<T, Fog, B, false, true>;
  }
  return z_write ? &span<T, Fog, B, true> : &span<T, Fog, B, false>;
}

template <TexMode T, bool Fog>
SpanFn pick_blend(BlendKind blend, bool z_write, bool vector, bool wide) {
  switch (blend) {
    case BlendKind::Opaque: return pick_z<T, Fog, BlendKind::Opaque>(z_write, vector, wide);
    case BlendKind::Add: return pick_z<T, Fog, BlendKind::Add>(z_write, vector, wide);
    case BlendKind::Alpha: return pick_z<T, Fog, BlendKind::Alpha>(z_write, vector, wide);
    case BlendKind::InvColourMul: return pick_z<T, Fog, BlendKind::InvColourMul>(z_write, vector, wide);
    case BlendKind::SrcColour: return pick_z<T, Fog, BlendKind::SrcColour>(z_write, vector, wide);
    case BlendKind::Generic: break;
  }
  return pick_z<T, Fog, BlendKind::Generic>(z_write, vector, wide);
}

template <TexMode T>
SpanFn pick_fog(bool fog, BlendKind blend, bool z_write, bool vector, bool wide) {
  return fog ? pick_blend<T, true>(blend, z_write, vector, wide) : pick_blend<T, false>(blend, z_write, vector, wide);
}

}  // namespace

SpanFn select_span(TexMode tex, bool fog, BlendKind blend, bool z_write, bool vector, bool wide, bool widest) {
  if (vector && widest)
    if (SpanFn sixteen = select_span_avx512(tex, fog, blend, z_write)) return sixteen;
  switch (tex) {
    case TexMode::None: return pick_fog<TexMode::None>(fog, blend, z_write, vector, wide);
    case TexMode::Nearest: return pick_fog<TexMode::Nearest>(fog, blend, z_write, vector, wide);
    case TexMode::NearestKey: return pick_fog<TexMode::NearestKey>(fog, blend, z_write, vector, wide);
    case TexMode::Linear: return pick_fog<TexMode::Linear>(fog, blend, z_write, vector, wide);
    case TexMode::LinearKey: break;
  }
  return pick_fog<TexMode::LinearKey>(fog, blend, z_write, vector, wide);
}

}  // namespace platform::raster

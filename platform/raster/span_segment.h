#pragma once
// What every span loop shares: the fixed-point interpolants of a span segment and the texel
// fetches of one pixel. Spans are walked in segments: u, v, colours and fog are divided by rhw
// exactly at both ends of each segment and stepped linearly in fixed point in between, so the
// loops over pixels have no division and no float conversion. Depth stays a float stepped per
// pixel.
#include <cstdint>

#include "platform/raster/pixel_ops.h"

namespace platform::raster {

constexpr int segment = 16;

constexpr bool textured(TexMode t) { return t != TexMode::None; }
constexpr bool linear_filter(TexMode t) { return t == TexMode::Linear || t == TexMode::LinearKey; }
constexpr bool keyed(TexMode t) { return t == TexMode::NearestKey || t == TexMode::LinearKey; }

// A float into 16.16 (scale 65536) or 8.8 (scale 256) fixed point; out of range gives 0.
inline std::int32_t to_fixed(float f, float scale) {
  const float v = f * scale;
  if (!(v > -2.0e9f && v < 2.0e9f)) return 0;
  return std::int32_t(v);
}

// An 8.8 colour channel rounded and kept in 0..255.
inline int channel8(std::int32_t c) {
  const int v = (c + 128) >> 8;
  return v < 0 ? 0 : (v > 255 ? 255 : v);
}

// Texture coordinates of a segment in texels, shifted by whole texture sizes so that the start
// lies in 0..size (wrapping makes the shift invisible) and fixed point cannot overflow.
inline void texel_range(float t0, float t1, int size, float bias, float per_step, std::int32_t& start,
                        std::int32_t& step) {
  // Whole repeats of the texture are taken off before scaling to texels.
  const float whole = float(floor_to_int(t0));
  const float s0 = (t0 - whole) * float(size) - bias, s1 = (t1 - whole) * float(size) - bias;
  start = to_fixed(s0, 65536.0f);
  step = to_fixed((s1 - s0) * per_step, 65536.0f);
}

// The per-pixel interpolants of a segment as the loops step them.
struct Steps {
  float z, dz;
  std::int32_t u, du, v, dv;
  std::int32_t c[4], dc[4];
  std::int32_t f, df;
};

// A plane's value at pixel x of the row oy below the plane's origin.
inline float plane_at(const Plane& pl, int k, int x, float oy) {
  return pl.a0[k] + pl.dx[k] * (float(x) - pl.ox) + pl.dy[k] * oy;
}

// Everything but depth for pixels x0..x1 (n of them) of a span.
template <TexMode T, bool Fog>
inline void segment_steps(const PipelineState& p, const Plane& pl, float oy, int x0, int x1, Steps& s) {
  const int n = x1 - x0 + 1;
  const float w0 = 1.0f / plane_at(pl, ARhw, x0, oy), w1 = 1.0f / plane_at(pl, ARhw, x1, oy);
  const float per_step = n > 1 ? 1.0f / float(n - 1) : 0.0f;
  s.u = s.du = s.v = s.dv = 0;
  if (textured(T)) {
    const float bias = linear_filter(T) ? 0.5f : 0.0f;
    texel_range(plane_at(pl, AU, x0, oy) * w0, plane_at(pl, AU, x1, oy) * w1, p.tex_width, bias, per_step, s.u,
                s.du);
    texel_range(plane_at(pl, AV, x0, oy) * w0, plane_at(pl, AV, x1, oy) * w1, p.tex_height, bias, per_step, s.v,
                s.dv);
  }
  // Flat shading steps a constant colour.
  for (int k = 0; k < 4; ++k) {
    s.dc[k] = 0;
    if (pl.flat) {
      s.c[k] = pl.flat_rgba[k] << 8;
      continue;
    }
    const float c0 = plane_at(pl, AR + k, x0, oy) * w0, c1 = plane_at(pl, AR + k, x1, oy) * w1;
    s.c[k] = to_fixed(c0, 256.0f);
    s.dc[k] = to_fixed((c1 - c0) * per_step, 256.0f);
  }
  s.f = s.df = 0;
  if (Fog) {
    const float f0 = plane_at(pl, AF, x0, oy) * w0, f1 = plane_at(pl, AF, x1, oy) * w1;
    s.f = to_fixed(f0, 256.0f);
    s.df = to_fixed((f1 - f0) * per_step, 256.0f);
  }
}

template <bool Key>
inline bool fetch_nearest(const PipelineState& p, std::int32_t u, std::int32_t v, Rgb& out) {
  const int x = wrap(u >> 16, p.tex_width, p.tex_pow2), y = wrap(v >> 16, p.tex_height, p.tex_pow2);
  const std::uint16_t t = texel(p, x, y);
  if (Key && t == p.key) return false;
  out = unpack565(t);
  return true;
}

// Bilinear from 16.16 coordinates already offset by half a texel.
template <bool Key>
inline bool fetch_linear(const PipelineState& p, std::int32_t su, std::int32_t sv, Rgb& out) {
  const int fx = (su >> 8) & 255, fy = (sv >> 8) & 255;
  const int xi = su >> 16, yi = sv >> 16;
  const int x0 = wrap(xi, p.tex_width, p.tex_pow2), x1 = wrap(xi + 1, p.tex_width, p.tex_pow2);
  const int y0 = wrap(yi, p.tex_height, p.tex_pow2), y1 = wrap(yi + 1, p.tex_height, p.tex_pow2);
  std::uint16_t t00 = texel(p, x0, y0), t01 = texel(p, x1, y0), t10 = texel(p, x0, y1), t11 = texel(p, x1, y1);
  if (Key) {
    const std::uint16_t nearest = fy < 128 ? (fx < 128 ? t00 : t01) : (fx < 128 ? t10 : t11);
    if (nearest == p.key) return false;
    if (t00 == p.key) t00 = nearest;
    if (t01 == p.key) t01 = nearest;
    if (t10 == p.key) t10 = nearest;
    if (t11 == p.key) t11 = nearest;
  }
  // The four texels spread so that red, green and blue sit apart in one word and are weighted
  // together, with 5-bit weights as the hardware of its day filtered.
  auto spread = [](std::uint32_t t) { return (t | (t << 16)) & 0x07E0F81Fu; };
  const std::uint32_t wx = std::uint32_t(fx >> 3), wy = std::uint32_t(fy >> 3);
  const std::uint32_t top = ((spread(t00) * (32 - wx) + spread(t01) * wx) >> 5) & 0x07E0F81Fu;
  const std::uint32_t bottom = ((spread(t10) * (32 - wx) + spread(t11) * wx) >> 5) & 0x07E0F81Fu;
  const std::uint32_t mix = ((top * (32 - wy) + bottom * wy) >> 5) & 0x07E0F81Fu;
  out = unpack565(std::uint16_t((mix & 0xF81Fu) | ((mix >> 16) & 0x07E0u)));
  return true;
}

// The pixel's texel fetched by the state's filter; false when the texel is keyed.
template <TexMode T>
inline bool fetch(const PipelineState& p, std::int32_t u, std::int32_t v, Rgb& out) {
  return linear_filter(T) ? fetch_linear<keyed(T)>(p, u, v, out) : fetch_nearest<keyed(T)>(p, u, v, out);
}

}  // namespace platform::raster

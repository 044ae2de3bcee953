#pragma once
// Per-pixel arithmetic shared by every span loop: RGB565 packing, exact /255 products, texture
// addressing and sampling, fog and blend factors. All integer after the interpolants, so every
// machine computes the same pixels.
#include <cstdint>

#include "platform/raster/pipeline.h"

namespace platform::raster {

struct Rgb {
  int r, g, b;
};

// a * b / 255 rounded to nearest, exact for 0 <= a, b <= 255.
inline int mul_div255(int a, int b) {
  const int t = a * b + 128;
  return (t + (t >> 8)) >> 8;
}
inline int div255(int t) {
  t += 128;
  return (t + (t >> 8)) >> 8;
}

inline Rgb unpack565(std::uint16_t p) {
  const int r = p >> 11, g = (p >> 5) & 63, b = p & 31;
  return {(r << 3) | (r >> 2), (g << 2) | (g >> 4), (b << 3) | (b >> 2)};
}
inline std::uint16_t pack565(int r, int g, int b) {
  return std::uint16_t(((r >> 3) << 11) | ((g >> 2) << 5) | (b >> 3));
}

// Floor of a float into an int; values out of the safe range (and non-numbers) give 0.
inline int floor_to_int(float f) {
  if (!(f > -1.0e9f && f < 1.0e9f)) return 0;
  int i = int(f);
  if (float(i) > f) --i;
  return i;
}

// A colour channel from an interpolant: rounded and kept in 0..255.
inline int channel(float f) {
  if (!(f > 0.0f)) return 0;
  if (f >= 254.5f) return 255;
  return int(f + 0.5f);
}

inline int wrap(int i, int size, bool pow2) {
  if (pow2) return i & (size - 1);
  const int m = i % size;
  return m < 0 ? m + size : m;
}

inline std::uint16_t texel(const PipelineState& p, int x, int y) { return p.texels[y * p.tex_pitch + x]; }

// Nearest sample; false when the texel is keyed out.
template <bool Key>
inline bool sample_nearest(const PipelineState& p, float u, float v, Rgb& out) {
  const int x = wrap(floor_to_int(u * float(p.tex_width)), p.tex_width, p.tex_pow2);
  const int y = wrap(floor_to_int(v * float(p.tex_height)), p.tex_height, p.tex_pow2);
  const std::uint16_t t = texel(p, x, y);
  if (Key && t == p.key) return false;
  out = unpack565(t);
  return true;
}

// Bilinear sample with 8-bit weights. With a key, a keyed nearest texel discards the pixel and
// keyed neighbours take the nearest texel's colour, so the key colour never bleeds in.
template <bool Key>
inline bool sample_linear(const PipelineState& p, float u, float v, Rgb& out) {
  const int su = floor_to_int((u * float(p.tex_width) - 0.5f) * 256.0f);
  const int sv = floor_to_int((v * float(p.tex_height) - 0.5f) * 256.0f);
  const int fx = su & 255, fy = sv & 255;
  const int x0 = wrap(su >> 8, p.tex_width, p.tex_pow2), x1 = wrap((su >> 8) + 1, p.tex_width, p.tex_pow2);
  const int y0 = wrap(sv >> 8, p.tex_height, p.tex_pow2), y1 = wrap((sv >> 8) + 1, p.tex_height, p.tex_pow2);
  std::uint16_t t00 = texel(p, x0, y0), t01 = texel(p, x1, y0), t10 = texel(p, x0, y1), t11 = texel(p, x1, y1);
  if (Key) {
    const std::uint16_t nearest = fy < 128 ? (fx < 128 ? t00 : t01) : (fx < 128 ? t10 : t11);
    if (nearest == p.key) return false;
    if (t00 == p.key) t00 = nearest;
    if (t01 == p.key) t01 = nearest;
    if (t10 == p.key) t10 = nearest;
    if (t11 == p.key) t11 = nearest;
  }
  const Rgb a = unpack565(t00), b = unpack565(t01), c = unpack565(t10), d = unpack565(t11);
  const int wx1 = fx, wx0 = 256 - fx, wy1 = fy, wy0 = 256 - fy;
  out.r = ((a.r * wx0 + b.r * wx1) * wy0 + (c.r * wx0 + d.r * wx1) * wy1) >> 16;
  out.g = ((a.g * wx0 + b.g * wx1) * wy0 + (c.g * wx0 + d.g * wx1) * wy1) >> 16;
  out.b = ((a.b * wx0 + b.b * wx1) * wy0 + (c.b * wx0 + d.b * wx1) * wy1) >> 16;
  return true;
}

// The weight of one blend factor, 0..255, for a source colour channel s with alpha a and a
// destination channel d (the target has no alpha of its own: its alpha reads as 255).
inline int blend_factor(Blend f, int s, int a, int d) {
  switch (f) {
    case Blend::Zero: return 0;
    case Blend::One: return 255;
    case Blend::SrcColour: return s;
    case Blend::InvSrcColour: return 255 - s;
    case Blend::SrcAlpha: return a;
    case Blend::InvSrcAlpha: return 255 - a;
    case Blend::DestAlpha: return 255;
    case Blend::InvDestAlpha: return 0;
    case Blend::DestColour: return d;
    case Blend::InvDestColour: return 255 - d;
  }
  return 0;
}

// source * fs + dest * fd per channel, saturated.
template <BlendKind B>
inline int blend_channel(const PipelineState& p, int s, int a, int d) {
  int fs, fd;
  switch (B) {
    case BlendKind::Opaque: return s;
    case BlendKind::Add: fs = a; fd = 255; break;
    case BlendKind::Alpha: fs = a; fd = 255 - a; break;
    case BlendKind::InvColourMul: fs = 0; fd = 255 - s; break;
    case BlendKind::SrcColour: fs = s; fd = 255 - s; break;
    default: fs = blend_factor(p.src_blend, s, a, d); fd = blend_factor(p.dest_blend, s, a, d); break;
  }
  const int v = mul_div255(s, fs) + mul_div255(d, fd);
  return v > 255 ? 255 : v;
}

}  // namespace platform::raster

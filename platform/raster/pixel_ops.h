#pragma once
// Per-pixel arithmetic shared by every span loop: RGB565 packing, exact /255 products, texture
// addressing and blend factors. All integer after the interpolants, so every
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

inline int wrap(int i, int size, bool pow2) {
  if (pow2) return i & (size - 1);
  const int m = i % size;
  return m < 0 ? m + size : m;
}

inline std::uint16_t texel(const PipelineState& p, int x, int y) { return p.texels[y * p.tex_pitch + x]; }

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

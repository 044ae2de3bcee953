#pragma once
// Four pixels of a span at once (GCC vector extensions: SSE2 on x86-64, NEON on ARM): the same
// integer arithmetic as pixel_ops.h, lane by lane, so the four-pixel loops draw exactly what the
// one-pixel loops draw. Texels are still fetched one lane at a time.
#include <cstdint>

#include "platform/raster/pixel_ops.h"

namespace platform::raster::lanes {

using I4 = std::int32_t __attribute__((vector_size(16)));
using F4 = float __attribute__((vector_size(16)));

constexpr I4 lane_index = {0, 1, 2, 3};

inline I4 splat(std::int32_t v) { return I4{} + v; }

// Values stepped by a per-pixel step, for the four pixels from the current one. Stepping wraps
// as the one-pixel loop's repeated additions do.
inline I4 stepped(std::int32_t start, std::int32_t step) {
  using U4 = std::uint32_t __attribute__((vector_size(16)));
  return I4(U4{} + std::uint32_t(start) + U4(lane_index) * std::uint32_t(step));
}

inline I4 clamp255(I4 v) {
  v = v < 0 ? splat(0) : v;
  return v > 255 ? splat(255) : v;
}
inline I4 channel8(I4 c) { return clamp255((c + 128) >> 8); }
inline I4 mul_div255(I4 a, I4 b) {
  const I4 t = a * b + 128;
  return (t + (t >> 8)) >> 8;
}
inline I4 div255(I4 t) {
  t += 128;
  return (t + (t >> 8)) >> 8;
}

struct Rgb4 {
  I4 r, g, b;
};

inline Rgb4 unpack565(I4 p) {
  const I4 r = p >> 11, g = (p >> 5) & 63, b = p & 31;
  return {(r << 3) | (r >> 2), (g << 2) | (g >> 4), (b << 3) | (b >> 2)};
}
inline I4 pack565(const Rgb4& c) { return ((c.r >> 3) << 11) | ((c.g >> 2) << 5) | (c.b >> 3); }

// The blend kinds with fixed factors (Generic keeps the one-pixel loop).
template <BlendKind B>
inline I4 blend_channel(I4 s, I4 a, I4 d) {
  I4 fs, fd;
  switch (B) {
    case BlendKind::Opaque: return s;
    case BlendKind::Add: fs = a; fd = splat(255); break;
    case BlendKind::Alpha: fs = a; fd = 255 - a; break;
    case BlendKind::InvColourMul: fs = splat(0); fd = 255 - s; break;
    default: fs = s; fd = 255 - s; break;  // SrcColour
  }
  const I4 v = mul_div255(s, fs) + mul_div255(d, fd);
  return v > 255 ? splat(255) : v;
}

}  // namespace platform::raster::lanes

#pragma once
// Four pixels of a span at once (GCC vector extensions: SSE2 on x86-64, NEON on ARM): the same
// integer arithmetic as pixel_ops.h, lane by lane, so the four-pixel loops draw exactly what the
// one-pixel loops draw. Texels are still fetched one lane at a time.
#include <cstdint>

#include "platform/raster/pixel_ops.h"
#include "platform/raster/span_colour.h"

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
using colour_lanes::div255;
using colour_lanes::unpack565;
using Rgb4 = colour_lanes::Rgb<I4>;
inline I4 pack565(const Rgb4& c) { return colour_lanes::pack565(c); }

inline I4 mul_div255(I4 a, I4 b) { return div255(a * b); }

// The product and the cap of the shared blend arithmetic, in four lanes.
struct Lanes4 {
  static I4 mul_div255(I4 a, I4 b) { return lanes::mul_div255(a, b); }
  static I4 min255(I4 v) { return v > 255 ? splat(255) : v; }
};

template <BlendKind B>
inline I4 blend_channel(I4 s, I4 a, I4 d) {
  return colour_lanes::blend_channel<B, Lanes4>(s, a, d);
}

}  // namespace platform::raster::lanes

#pragma once
// The colour arithmetic the vector span loops share, for a vector V of 32-bit lanes: RGB565
// unpacked and packed, and the factors of the fixed blend kinds, lane by lane as pixel_ops.h
// works one pixel. A loop's file includes this where its own instruction set is in force, so
// the operations are built in that set; the loop's lanes L bring the product and the cap,
// which each set does its own way.
#include "platform/raster/pixel_ops.h"

namespace platform::raster::colour_lanes {

template <class V>
struct Rgb {
  V r, g, b;
};

template <class V>
inline V div255(V t) {
  t += 128;
  return (t + (t >> 8)) >> 8;
}

template <class V>
inline Rgb<V> unpack565(V p) {
  const V r = p >> 11, g = (p >> 5) & 63, b = p & 31;
  return {(r << 3) | (r >> 2), (g << 2) | (g >> 4), (b << 3) | (b >> 2)};
}

template <class V>
inline V pack565(const Rgb<V>& c) {
  return ((c.r >> 3) << 11) | ((c.g >> 2) << 5) | (c.b >> 3);
}

// The blend kinds with fixed factors (Generic keeps the one-pixel loop). L::mul_div255(a, b)
// is a * b / 255 rounded as div255 rounds, L::min255(v) caps each lane at 255.
template <BlendKind B, class L, class V>
inline V blend_channel(V s, V a, V d) {
  V fs, fd;
  switch (B) {
    case BlendKind::Opaque: return s;
    case BlendKind::Add: fs = a; fd = V{} + 255; break;
    case BlendKind::Alpha: fs = a; fd = 255 - a; break;
    case BlendKind::InvColourMul: fs = V{}; fd = 255 - s; break;
    default: fs = s; fd = 255 - s; break;  // SrcColour
  }
  return L::min255(L::mul_div255(s, fs) + L::mul_div255(d, fd));
}

}  // namespace platform::raster::colour_lanes

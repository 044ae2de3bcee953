#pragma once
// Eight 16-bit pixels as one value (GCC vector extensions: SSE2 on x86-64, NEON on ARM), and the
// few lane operations the blend modes need in both forms, one pixel and eight. Channel values
// live in signed 16-bit lanes; they never leave -64..95, so lane arithmetic wraps nowhere and
// gives what the one-pixel form gives after its int arithmetic is cut to 16 bits.
#include <cstdint>
#include <cstring>
#include <type_traits>

namespace blend {

using Pixels8 = std::uint16_t __attribute__((vector_size(16)));
using Lanes8 = std::int16_t __attribute__((vector_size(16)));

// Tests switch the eight-pixel loops off to compare them with the one-pixel reference.
inline bool vector_blends = true;

inline std::int16_t signed_lanes(int v) { return std::int16_t(v); }
inline Lanes8 signed_lanes(Pixels8 v) { return Lanes8(v); }
inline unsigned unsigned_lanes(std::int16_t v) { return unsigned(v); }
inline Pixels8 unsigned_lanes(Lanes8 v) { return Pixels8(v); }
inline std::uint16_t pixel_lanes(unsigned v) { return std::uint16_t(v); }
inline Pixels8 pixel_lanes(Pixels8 v) { return v; }

template <class P>
using Channels = std::conditional_t<std::is_same_v<P, Pixels8>, Lanes8, std::int16_t>;
template <class C>
using PixelsOf = std::conditional_t<std::is_same_v<C, Lanes8>, Pixels8, std::uint16_t>;

inline std::int16_t lane_min(std::int16_t v, std::int16_t k) { return v > k ? k : v; }
inline std::int16_t lane_max(std::int16_t v, std::int16_t k) { return v < k ? k : v; }
inline Lanes8 lane_min(Lanes8 v, std::int16_t k) {
  const Lanes8 kk = Lanes8{} + k;
  return v > kk ? kk : v;
}
inline Lanes8 lane_max(Lanes8 v, std::int16_t k) {
  const Lanes8 kk = Lanes8{} + k;
  return v < kk ? kk : v;
}

inline Pixels8 load8(const void* p) {
  Pixels8 v;
  std::memcpy(&v, p, sizeof v);
  return v;
}
inline void store8(void* p, Pixels8 v) { std::memcpy(p, &v, sizeof v); }
inline Pixels8 reverse8(Pixels8 v) { return __builtin_shufflevector(v, v, 7, 6, 5, 4, 3, 2, 1, 0); }

inline std::uint16_t load1(const std::uint8_t* p) {
  std::uint16_t v;
  std::memcpy(&v, p, 2);
  return v;
}

// d = f(s, d) over a run of n source pixels (little-endian bytes). Unmirrored, d is the leftmost
// target pixel; mirrored, source pixel i lands on d[-1 - i]. Eight at a time where f takes
// eight and the switch allows, the rest one by one.
template <bool Mirror, class F>
inline void each_pixel(const F& f, std::uint16_t* d, const std::uint8_t* s, int n) {
  int i = 0;
  if constexpr (std::is_invocable_r_v<Pixels8, const F&, Pixels8, Pixels8>) {
    if (vector_blends) {
      for (; i + 8 <= n; i += 8) {
        if constexpr (Mirror) {
          std::uint16_t* t = d - 8 - i;
          store8(t, f(reverse8(load8(s + 2 * i)), load8(t)));
        } else {
          store8(d + i, f(load8(s + 2 * i), load8(d + i)));
        }
      }
    }
  }
  for (; i < n; ++i) {
    if constexpr (Mirror)
      d[-1 - i] = f(load1(s + 2 * i), d[-1 - i]);
    else
      d[i] = f(load1(s + 2 * i), d[i]);
  }
}

}  // namespace blend

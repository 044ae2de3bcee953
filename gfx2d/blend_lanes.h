#pragma once
// Eight, sixteen or thirty-two 16-bit pixels as one value (GCC vector extensions: SSE2 on
// x86-64, NEON on ARM; AVX2 and AVX-512 where the processor has them), and the few lane
// operations the blend modes need in every width, one pixel included. Channel values live in
// signed 16-bit lanes, some in place in their field; no sum the modes form leaves the signed
// 16-bit range, so lane arithmetic wraps nowhere and gives what the one-pixel form gives after
// its int arithmetic is cut to 16 bits.
#include <cstdint>
#include <cstring>
#include <type_traits>

#if defined(__GNUC__) && !defined(__clang__) && defined(__x86_64__) && defined(__OPTIMIZE__)
// The wide lanes are reached through functions built for the wider instruction sets and chosen
// at run time; everything they call is inlined into them. Unoptimised builds keep to the
// portable lanes, since they inline nothing; so do clang builds (the fuzz targets), since clang
// refuses a wide vector handed by value to code not built for its instruction set even where
// that code is inlined.
#define QORV_WIDE_LANES 1
#include <immintrin.h>
#else
#define QORV_WIDE_LANES 0
#endif

namespace blend {

using Pixels8 = std::uint16_t __attribute__((vector_size(16)));
using Lanes8 = std::int16_t __attribute__((vector_size(16)));
using Pixels16 = std::uint16_t __attribute__((vector_size(32)));
using Lanes16 = std::int16_t __attribute__((vector_size(32)));
using Pixels32 = std::uint16_t __attribute__((vector_size(64)));
using Lanes32 = std::int16_t __attribute__((vector_size(64)));

// The widest lanes this processor runs: 8 everywhere, 16 with AVX2, 32 with AVX-512 (BW, VL).
inline int widest_lanes_supported() {
#if QORV_WIDE_LANES
  if (__builtin_cpu_supports("avx512bw") && __builtin_cpu_supports("avx512vl")) return 32;
  if (__builtin_cpu_supports("avx2")) return 16;
#endif
  return 8;
}

// The widest lanes the blend loops may use: 1 (one pixel at a time, the reference), 8, 16 or
// 32, within what the processor runs. Tests lower it to compare the widths.
inline int lane_limit = 32;
inline int lanes_in_use() { return lane_limit < widest_lanes_supported() ? lane_limit : widest_lanes_supported(); }

// Pixel vectors and their channel vectors, by width; the one-pixel forms are std::uint16_t and
// std::int16_t.
template <class P>
struct LaneTypes {
  using Channels = std::int16_t;
  static constexpr int width = 1;
};
template <>
struct LaneTypes<Pixels8> {
  using Channels = Lanes8;
  using Half = std::uint16_t;
  static constexpr int width = 8;
};
template <>
struct LaneTypes<Pixels16> {
  using Channels = Lanes16;
  using Half = Pixels8;
  static constexpr int width = 16;
};
template <>
struct LaneTypes<Pixels32> {
  using Channels = Lanes32;
  using Half = Pixels16;
  static constexpr int width = 32;
};
template <class C>
struct PixelTypeOf {
  using type = std::uint16_t;
};
template <>
struct PixelTypeOf<Lanes8> {
  using type = Pixels8;
};
template <>
struct PixelTypeOf<Lanes16> {
  using type = Pixels16;
};
template <>
struct PixelTypeOf<Lanes32> {
  using type = Pixels32;
};

template <class P>
using Channels = typename LaneTypes<P>::Channels;
template <class C>
using PixelsOf = typename PixelTypeOf<C>::type;
template <class P>
constexpr bool is_vector = LaneTypes<P>::width > 1;

inline std::int16_t signed_lanes(int v) { return std::int16_t(v); }
inline unsigned unsigned_lanes(std::int16_t v) { return unsigned(v); }
inline std::uint16_t pixel_lanes(unsigned v) { return std::uint16_t(v); }
template <class P>
  requires is_vector<P>
inline Channels<P> signed_lanes(P v) {
  return Channels<P>(v);
}
template <class C>
  requires is_vector<PixelsOf<C>>
inline PixelsOf<C> unsigned_lanes(C v) {
  return PixelsOf<C>(v);
}
template <class P>
  requires is_vector<P>
inline P pixel_lanes(P v) {
  return v;
}

inline std::int16_t lane_min(std::int16_t v, std::int16_t k) { return v > k ? k : v; }
inline std::int16_t lane_max(std::int16_t v, std::int16_t k) { return v < k ? k : v; }
template <class C>
  requires is_vector<PixelsOf<C>>
inline C lane_min(C v, std::int16_t k) {
  const C kk = C{} + k;
  return v > kk ? kk : v;
}
template <class C>
  requires is_vector<PixelsOf<C>>
inline C lane_max(C v, std::int16_t k) {
  const C kk = C{} + k;
  return v < kk ? kk : v;
}

template <class P>
inline P load_lanes(const void* p) {
  P v;
  std::memcpy(&v, p, sizeof v);
  return v;
}
template <class P>
inline void store_lanes(void* p, P v) {
  std::memcpy(p, &v, sizeof v);
}
template <class P>
inline P reverse(P v) {
  if constexpr (LaneTypes<P>::width == 8) {
    return __builtin_shufflevector(v, v, 7, 6, 5, 4, 3, 2, 1, 0);
  } else if constexpr (LaneTypes<P>::width == 16) {
    return __builtin_shufflevector(v, v, 15, 14, 13, 12, 11, 10, 9, 8, 7, 6, 5, 4, 3, 2, 1, 0);
  } else {
    return __builtin_shufflevector(v, v, 31, 30, 29, 28, 27, 26, 25, 24, 23, 22, 21, 20, 19, 18, 17, 16, 15, 14, 13,
                                   12, 11, 10, 9, 8, 7, 6, 5, 4, 3, 2, 1, 0);
  }
}

inline std::uint16_t load1(const std::uint8_t* p) {
  std::uint16_t v;
  std::memcpy(&v, p, 2);
  return v;
}

// The operation that copies: every target pixel becomes its source pixel.
struct SourcePixels {
  template <class P>
  P operator()(P s, P) const {
    return s;
  }
};

// One block of lanes: source pixels i .. i + L - 1 with the target pixels they land on.
template <bool Mirror, class P>
struct Block {
  static constexpr int L = LaneTypes<P>::width;
  static std::uint16_t* target(std::uint16_t* d, int i) { return Mirror ? d - L - i : d + i; }
  static P source(const std::uint8_t* s, int i) {
    const P v = load_lanes<P>(s + 2 * i);
    if constexpr (Mirror)
      return reverse(v);
    else
      return v;
  }
  template <class F>
  static P blend(const F& f, std::uint16_t* d, const std::uint8_t* s, int i) {
    return f(source(s, i), load_lanes<P>(target(d, i)));
  }
};

template <bool Mirror, class F>
inline void each_pixel_one(const F& f, std::uint16_t* d, const std::uint8_t* s, int n) {
  for (int i = 0; i < n; ++i) {
    if constexpr (Mirror)
      d[-1 - i] = f(load1(s + 2 * i), d[-1 - i]);
    else
      d[i] = f(load1(s + 2 * i), d[i]);
  }
}

#if QORV_WIDE_LANES
// A run of fewer than 8 pixels as one block of 8 lanes, the lanes past the run masked off both
// ways (masked lanes neither read nor write memory). Mirrored, the source is turned round by a
// lane permutation so that the block starts at the run's leftmost target pixel.
template <bool Mirror, class F>
__attribute__((target("avx512bw,avx512vl"))) inline void masked_block8(const F& f, std::uint16_t* d,
                                                                        const std::uint8_t* s, int n) {
  const __mmask8 m = __mmask8((1u << n) - 1);
  std::uint16_t* t = Mirror ? d - n : d;
  __m128i sv = _mm_maskz_loadu_epi16(m, s);
  if constexpr (Mirror)
    sv = _mm_permutexvar_epi16(_mm_sub_epi16(_mm_set1_epi16(short(n - 1)), _mm_set_epi16(7, 6, 5, 4, 3, 2, 1, 0)), sv);
  const __m128i dv = _mm_maskz_loadu_epi16(m, t);
  const Pixels8 r = f(Pixels8(sv), Pixels8(dv));
  _mm_mask_storeu_epi16(t, m, __m128i(r));
}

// A run of up to 64 pixels as two blocks of 32 lanes, each masked to the pixels of the run it
// holds (an empty block touches no memory), so the run's length costs no branch: sprite rows
// are runs of random lengths, and a branch on each length is mispredicted about as often as
// taken. Mirrored, each block's source is turned round by a lane permutation so that the
// block starts at the leftmost target pixel of its part of the run.
template <bool Mirror, class F>
__attribute__((target("avx512bw,avx512vl"))) inline void masked_block32(const F& f, std::uint16_t* d,
                                                                         const std::uint8_t* s, int n) {
  const __mmask32 m = __mmask32(n >= 32 ? ~0u : (1u << n) - 1);
  std::uint16_t* t = Mirror ? d - n : d;
  __m512i sv = _mm512_maskz_loadu_epi16(m, s);
  if constexpr (Mirror) {
    const __m512i lane = _mm512_set_epi16(31, 30, 29, 28, 27, 26, 25, 24, 23, 22, 21, 20, 19, 18, 17, 16, 15, 14, 13,
                                          12, 11, 10, 9, 8, 7, 6, 5, 4, 3, 2, 1, 0);
    sv = _mm512_permutexvar_epi16(_mm512_sub_epi16(_mm512_set1_epi16(short(n - 1)), lane), sv);
  }
  const __m512i dv = _mm512_maskz_loadu_epi16(m, t);
  const Pixels32 r = f(Pixels32(sv), Pixels32(dv));
  _mm512_mask_storeu_epi16(t, m, __m512i(r));
}

// n from 0 to 64: the first 32 pixels, then the rest. Blends go as two blocks, the second empty
// when there are no more pixels: runs end either side of 32 pixels about as often, so a branch
// there is mispredicted often, and a blend has much to redo after one. A copy reads nothing of
// the target and does little per block, and it drew faster taking the branch and leaving the
// empty block out.
template <bool Mirror, class F>
__attribute__((target("avx512bw,avx512vl"))) inline void masked_run64(const F& f, std::uint16_t* d,
                                                                       const std::uint8_t* s, int n) {
  if constexpr (std::is_same_v<F, SourcePixels>) {
    if (n <= 32) return masked_block32<Mirror>(f, d, s, n);
  }
  masked_block32<Mirror>(f, d, s, n < 32 ? n : 32);
  masked_block32<Mirror>(f, Mirror ? d - 32 : d + 32, s + 64, n < 32 ? 0 : n - 32);
}
#endif

// d = f(s, d) over a run of n source pixels (little-endian bytes) in lanes of P. Unmirrored,
// d is the leftmost target pixel; mirrored, source pixel i lands on d[-1 - i]. A run of at
// least one block goes block by block, its last block ending exactly at the run's end: that
// block is worked from the target as it was before the run, so the pixels it shares with the
// block before it get the same value twice. Shorter runs go to narrower lanes, and those
// shorter than 8 to one masked block where the processor masks lanes (MaskedTail), else pixel
// by pixel.
template <bool Mirror, class P, bool MaskedTail = false, class F>
inline void each_pixel(const F& f, std::uint16_t* d, const std::uint8_t* s, int n) {
  if constexpr (!is_vector<P> || !std::is_invocable_r_v<P, const F&, P, P>) {
    each_pixel_one<Mirror>(f, d, s, n);
  } else {
    using B = Block<Mirror, P>;
    constexpr int L = B::L;
    if (n >= L) {
      const P last = B::blend(f, d, s, n - L);
      for (int i = 0; i + L < n; i += L) store_lanes(B::target(d, i), B::blend(f, d, s, i));
      store_lanes(B::target(d, n - L), last);
    } else if constexpr (L > 8) {
      each_pixel<Mirror, typename LaneTypes<P>::Half, MaskedTail>(f, d, s, n);
#if QORV_WIDE_LANES
    } else if constexpr (MaskedTail) {
      masked_block8<Mirror>(f, d, s, n);
#endif
    } else {
      each_pixel_one<Mirror>(f, d, s, n);
    }
  }
}

// Runs in lanes of P. Where P is the width that comes with masked lanes, runs of up to 64
// pixels go as two masked blocks.
template <bool Mirror, class P, class F>
inline void each_run(const F& f, std::uint16_t* d, const std::uint8_t* s, int n) {
#if QORV_WIDE_LANES
  if constexpr (LaneTypes<P>::width == 32 && std::is_invocable_r_v<P, const F&, P, P>) {
    if (n <= 64) return masked_run64<Mirror>(f, d, s, n);
  }
#endif
  each_pixel<Mirror, P, LaneTypes<P>::width == 32>(f, d, s, n);
}

#if QORV_WIDE_LANES
template <class Body>
__attribute__((target("avx2"), flatten)) void in_avx2_lanes(const Body& body) {
  body(Pixels16{});
}
template <class Body>
__attribute__((target("avx512bw,avx512vl"), flatten)) void in_avx512_lanes(const Body& body) {
  body(Pixels32{});
}
#endif

// Calls body(P{}) with P the widest lanes in use (std::uint16_t for one pixel at a time), built
// for the instruction set those lanes need: with AVX2 or AVX-512 everything body reaches is
// inlined into a function built for it, so no vector crosses a call between code built for
// different instruction sets. One choice per call: callers make it per draw, not per pixel.
template <class Body>
void with_lanes(const Body& body) {
  const int lanes = lanes_in_use();
#if QORV_WIDE_LANES
  if (lanes >= 32) return in_avx512_lanes(body);
  if (lanes >= 16) return in_avx2_lanes(body);
#endif
  if (lanes >= 8) return body(Pixels8{});
  body(std::uint16_t{});
}

// One run in the lanes in use, for callers whose runs come one by one rather than from a walk.
template <bool Mirror, class F>
void each_pixel_in_use(const F& f, std::uint16_t* d, const std::uint8_t* s, int n) {
  with_lanes([&](auto lanes) { each_run<Mirror, decltype(lanes)>(f, d, s, n); });
}

}  // namespace blend

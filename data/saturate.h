#pragma once
// Float to integer conversions that C++ leaves undefined out of range: cut toward zero, then
// clamp to the target range; NaN gives 0.
#include <cmath>
#include <cstdint>
#include <limits>

inline std::int32_t saturate_i32(double v) {
  if (std::isnan(v)) return 0;
  if (v >= 2147483647.0) return std::numeric_limits<std::int32_t>::max();
  if (v <= -2147483648.0) return std::numeric_limits<std::int32_t>::min();
  return static_cast<std::int32_t>(v);
}

inline std::uint32_t saturate_u32(double v) {
  if (std::isnan(v) || v <= 0.0) return 0;
  if (v >= 4294967295.0) return std::numeric_limits<std::uint32_t>::max();
  return static_cast<std::uint32_t>(v);
}

inline std::uint16_t saturate_u16(double v) {
  if (std::isnan(v) || v <= 0.0) return 0;
  if (v >= 65535.0) return 65535;
  return static_cast<std::uint16_t>(v);
}

// A float stored into a 16-bit word of a record, as the game stores positions and directions:
// cut toward zero to a 32-bit integer (saturated), whose low 16 bits are the word. A negative
// height so keeps its two's-complement form (-2.5 stores 0xFFFE).
inline std::uint16_t float_to_word(double v) { return static_cast<std::uint16_t>(saturate_i32(v)); }

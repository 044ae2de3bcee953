#pragma once
// The small conversions the emitters share: rates over a life span, the per-frame spawn
// budget, and float-to-integer steps that stay defined for any value.
#include <cmath>
#include <cstdint>

// The rate that takes a value by diff over a life span; 0 for a span of 0.
inline float per_life(float diff, float life) { return life != 0.0f ? diff / life : 0.0f; }

// A float truncated into a byte: 0..255 saturated (NaN gives 0).
inline std::uint32_t saturate_byte(float v) {
  if (!(v > 0.0f)) return 0;
  return v >= 255.0f ? 255u : std::uint32_t(v);
}

// A float truncated through a 32-bit integer, saturated at its ends (NaN gives 0).
inline std::int32_t trunc_int32(float v) {
  if (!(v == v)) return 0;
  if (v >= 2147483520.0f) return INT32_MAX;
  if (v <= -2147483648.0f) return INT32_MIN;
  return std::int32_t(v);
}

// An angle in degrees as a whole number of degrees 0..359.
inline std::uint16_t angle_0_359(float degrees) {
  const std::int32_t a = trunc_int32(degrees) % 360;
  return std::uint16_t(a < 0 ? a + 360 : a);
}

// A float truncated into a 16-bit field the way a 32-bit integer store keeps its low half.
inline std::uint16_t low_u16(float v) { return std::uint16_t(std::uint32_t(trunc_int32(v))); }

// The particles to spawn this frame from a rate (per second), the step and the carried
// fraction: the whole part, 0..count; the fraction carries to the next frame.
inline unsigned spawn_budget(float rate, float dt, float& carry, int count) {
  const float budget = rate * dt + carry;
  if (!(budget > 0.0f)) {
    carry = 0.0f;
    return 0;
  }
  const float whole = std::floor(budget);
  carry = budget - whole;
  return whole >= float(count) ? unsigned(count < 0 ? 0 : count) : unsigned(whole);
}

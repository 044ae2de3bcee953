#pragma once
// One effect definition of "Effect.dat": 248 bytes, read field by field at its offsets.
#include <cstddef>
#include <cstdint>

class ByteReader;

constexpr std::size_t effect_def_size = 248;
constexpr std::size_t effect_dat_header_size = 24;
constexpr std::size_t effect_dat_block_size = 200000;  // read and not used
constexpr std::size_t effect_dat_first_def = effect_dat_header_size + effect_dat_block_size;
constexpr int effect_def_count = 5000;  // types 1..5000

struct EffectDef {
  float start_colour[4];        // 0
  float end_colour[4];          // 16
  float start_colour_range[4];  // 32
  float box_width, box_depth, box_height;  // 48, 52, 56
  float floor_height;           // 60, 0 = none
  float life_min, life_range;   // 64, 68
  float gravity_start_min, gravity_start_range, gravity_end;  // 72, 76, 80
  float spread;                 // 84, degrees
  float velocity[6];            // 88: x min, x max, y min, y max, z min, z max
  float size_start_min, size_end_min, size_start_range;  // 112, 116, 120
  float alpha_start_min, alpha_end, alpha_start_range;   // 124, 128, 132
  float rate;                   // 136, particles per second
  float size_end_range;         // 152
  std::uint16_t count;          // 194, 0 = no emitter
  std::uint16_t act, qq;        // 196, 198
  std::uint16_t max_total;      // 200, 0 = unlimited
  std::uint16_t speed_min, speed_range;  // 202, 204
  std::uint8_t attract, horizontal_attract, random_target, spin;  // 216..219
  std::int32_t continuous;      // 224
};

// The definition in the 248 bytes at the reader's start; false (out untouched) when they are
// not all there.
bool read_effect_def(const ByteReader& bytes, EffectDef* out);
// The file offset of definition n (0-based).
constexpr std::size_t effect_def_offset(int n) { return effect_dat_first_def + effect_def_size * std::size_t(n); }

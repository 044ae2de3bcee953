// Reading an effect definition.
#include "g3d/effects/effect_def.h"

#include "core/byte_reader.h"

namespace {
void floats_at(const ByteReader& r, std::size_t pos, float* out, int n) {
  for (int i = 0; i < n; ++i) out[i] = r.f32_at(pos + 4 * std::size_t(i));
}
}  // namespace

bool read_effect_def(const ByteReader& r, EffectDef* out) {
  if (!r.has(0, effect_def_size)) return false;
  EffectDef d{};
  floats_at(r, 0, d.start_colour, 4);
  floats_at(r, 16, d.end_colour, 4);
  floats_at(r, 32, d.start_colour_range, 4);
  d.box_width = r.f32_at(48);
  d.box_depth = r.f32_at(52);
  d.box_height = r.f32_at(56);
  d.floor_height = r.f32_at(60);
  d.life_min = r.f32_at(64);
  d.life_range = r.f32_at(68);
  d.gravity_start_min = r.f32_at(72);
  d.gravity_start_range = r.f32_at(76);
  d.gravity_end = r.f32_at(80);
  d.spread = r.f32_at(84);
  floats_at(r, 88, d.velocity, 6);
  d.size_start_min = r.f32_at(112);
  d.size_end_min = r.f32_at(116);
  d.size_start_range = r.f32_at(120);
  d.alpha_start_min = r.f32_at(124);
  d.alpha_end = r.f32_at(128);
  d.alpha_start_range = r.f32_at(132);
  d.rate = r.f32_at(136);
  d.size_end_range = r.f32_at(152);
  d.count = r.u16_at(194);
  d.act = r.u16_at(196);
  d.qq = r.u16_at(198);
  d.max_total = r.u16_at(200);
  d.speed_min = r.u16_at(202);
  d.speed_range = r.u16_at(204);
  d.attract = r.u8_at(216);
  d.horizontal_attract = r.u8_at(217);
  d.random_target = r.u8_at(218);
  d.spin = r.u8_at(219);
  d.continuous = r.i32_at(224);
  *out = d;
  return true;
}

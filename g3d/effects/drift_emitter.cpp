// The drifting weather emitter.
#include "g3d/effects/drift_emitter.h"

#include <cmath>

#include "g3d/effects/act_quad_draw.h"
#include "g3d/effects/effect_random.h"
#include "g3d/effects/particle_math.h"

namespace {
constexpr float calm_angle = -1.0f;  // no wind direction: a small drift on both axes
constexpr float calm_span = 0.02f;
}  // namespace

DriftEmitter::DriftEmitter(int n, float x, float y, float z, float w, float width, float depth, float limit,
                           std::uint16_t particle_act, std::uint16_t particle_qq)
    : ParticleEmitter(n, x, y, z, w) {
  box_width = width;
  box_depth = depth;
  limit_height = limit;
  act = particle_act;
  qq = particle_qq;
}

float DriftEmitter::drift_life() { return effect_r() * 0.7f + 0.3f; }

void DriftEmitter::set_wind(float angle, float speed, float fall) {
  wind_angle = angle;
  drift_speed = speed + 0.0005f;
  fall_speed = fall + 0.0049f;
  const float f = speed + 0.001f;
  if (angle == calm_angle) {
    drift_span_x = drift_span_z = calm_span;
    return;
  }
  const float a = angle * g3d_deg_to_rad;
  drift_span_x = f * std::sin(a) + 0.001f;
  drift_span_z = -f * std::cos(a) + 0.001f;
}

void DriftEmitter::respawn(int i) {
  Particle& p = particles_[std::size_t(i)];
  p.pos.x = (effect_r() - 0.5f) * box_width + position.x;
  p.pos.y = position.y;
  p.pos.z = (effect_r() - 0.5f) * box_depth + position.z;
  p.vel.x = effect_r() * drift_span_x - drift_speed;
  const float fall = fall_speed + effect_r() * fall_speed;
  p.vel.y = inverted ? fall : -fall;
  p.vel.z = effect_r() * drift_span_z - drift_speed;
  p.accel[0] = p.accel[1] = p.accel[2] = 0;
  p.size = effect_r() * size_start_range + size_start_min;
  p.anim.act = act;
  p.anim.qq = qq;
  p.age = 0;
  p.life = drift_life();
  p.size_rate = size_end_min > 0 ? per_life(size_end_min - size_start_min, p.life) : 0;
}

void DriftEmitter::update(unsigned ms) {
  const float step = float(ms);
  for (int i = 0; i < count; ++i) {
    Particle& p = particles_[std::size_t(i)];
    p.age += step / 1000.0f;
    p.pos.x += p.vel.x * step;
    p.pos.y += p.vel.y * step;
    p.pos.z += p.vel.z * step;
    p.vel.x += p.accel[0];
    p.vel.y += p.accel[1];
    p.vel.z += p.accel[2];
    if (p.age > p.life) {
      p.age = 0;
      p.life = drift_life();
    }
    if (inverted ? p.pos.y > limit_height : p.pos.y < limit_height) respawn(i);
  }
}

int DriftEmitter::draw() {
  for (int i = 0; i < count; ++i) {
    Particle& p = particles_[std::size_t(i)];
    if (!Take_3dActData(&p.anim)) return 0;
    if (p.anim.kind == 1) draw_act_quad_at(&p.anim, p.pos.x, p.pos.y, p.pos.z, p.anim.color, p.anim.draw_flags);
  }
  return 1;
}

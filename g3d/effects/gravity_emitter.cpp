// The falling weather emitter.
#include "g3d/effects/gravity_emitter.h"

#include "g3d/effects/act_quad_draw.h"
#include "g3d/effects/effect_random.h"
#include "g3d/effects/particle_math.h"
#include "g3d/renderer.h"

namespace {
constexpr float gravity = 9.8f;
constexpr std::uint32_t streak_head = 0x32FFFFFF, streak_tail = 0x96FFFFFF;
constexpr std::uint32_t additive = 1;
}  // namespace

void GravityEmitter::respawn(int i) {
  Particle& p = particles_[std::size_t(i)];
  p.pos.x = (effect_r() - 0.5f) * box_width + position.x;
  p.pos.y = position.y;
  // The spawn box is offset along Z.
  p.pos.z = (effect_r() - 0.2f) * box_depth + position.z;
  // The particle's own position: a new drop's first streak starts where it falls, not at the centre.
  p.prev = p.pos;
  p.age = 0;
  p.life = effect_r() * 0.3f + 0.2f;
  p.vel.x = 0;
  p.vel.y = inverted ? effect_r() * fall_speed : -(fall_speed + effect_r() * fall_speed);
  p.vel.z = 0;
  p.vel.y *= float(speed_min) + effect_r() * float(speed_range);
  p.gravity = gravity_start_min * gravity + effect_r() * gravity_start_range * gravity;
  p.gravity_rate = per_life(gravity_end * gravity - p.gravity, p.life);
  p.size = effect_r() * size_start_range + size_start_min;
  p.size_rate = size_end_min > 0 ? per_life(size_end_min - size_start_min, p.life) : 0;
  p.anim.act = act;
  p.anim.qq = qq;
}

void GravityEmitter::update(unsigned ms) {
  const float dt = float(ms) / 1000.0f;
  last_step = dt;
  unsigned n = spawn_budget(rate, dt, carry, count);
  for (int i = 0; i < count; ++i) {
    Particle& p = particles_[std::size_t(i)];
    if (p.life > 0) {
      p.prev = p.pos;
      p.pos.x += p.vel.x * dt;
      p.pos.y += p.vel.y * dt;
      p.pos.z += p.vel.z * dt;
      p.vel.y += (inverted ? gravity : -gravity) * p.gravity * dt;
      p.gravity += p.gravity_rate * dt;
    }
    if (inverted ? p.pos.y > limit_height : p.pos.y < limit_height) p.life = 0;
    if (n > 0 && p.life == 0) {
      respawn(i);
      --n;
    }
  }
}

int GravityEmitter::draw() {
  for (int i = 0; i < count; ++i) {
    Particle& p = particles_[std::size_t(i)];
    if (p.life == 0) continue;
    if (p.anim.act == 0) {
      renderer.draw_line_2c(p.pos, p.prev, streak_head, streak_tail, additive);
      continue;
    }
    if (!Take_3dActData(&p.anim)) return 0;
    if (p.anim.kind == 1) draw_act_quad_at(&p.anim, p.pos.x, p.pos.y, p.pos.z, streak_tail, p.anim.draw_flags);
  }
  return 1;
}

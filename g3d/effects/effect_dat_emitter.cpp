// The Effect.dat emitter.
#include "g3d/effects/effect_dat_emitter.h"

#include <cmath>

#include "core/random_r250.h"
#include "g3d/ani_matrix.h"
#include "g3d/effects/act_quad_draw.h"
#include "g3d/effects/effect_def.h"
#include "g3d/effects/effect_random.h"
#include "g3d/effects/particle_math.h"
#include "g3d/model_cache.h"
#include "g3d/renderer.h"
#include "sound/sfx_bank.h"

namespace {

constexpr float gravity = 9.8f;
constexpr float pi = 3.14159f;
constexpr float rest_speed = -5.0f;      // slower falls than this come to rest on the floor
constexpr float arrived_life = 0.00001f;  // the particle dies in the next update
constexpr std::uint32_t additive = 1;
constexpr std::uint32_t grey_from_alpha = 0x4;
constexpr std::uint8_t kind_model = 0, kind_quad = 1;

float clamp_byte(float v) { return v < 0 ? 0 : (v >= 255 ? 255 : v); }

// The unit vector of v, or no vector for a zero one.
G3dVector unit_or_zero(const G3dVector& v) {
  G3dVector out{0, 0, 0, v.w};
  if (vec_length(&v) > 0) vec_normalize(&out, &v);
  return out;
}

std::uint32_t argb(float a, float r, float g, float b) {
  return saturate_byte(a) << 24 | saturate_byte(r) << 16 | saturate_byte(g) << 8 | saturate_byte(b);
}

}  // namespace

EffectDatEmitter::EffectDatEmitter(int n, float x, float y, float z, float w, float width, float depth, float height,
                                   float floor, std::uint16_t particle_act, std::uint16_t particle_qq)
    : ParticleEmitter(n, x, y, z, w) {
  box_width = width;
  box_depth = depth;
  box_height = height;
  limit_height = floor;
  act = particle_act;
  qq = particle_qq;
}

void EffectDatEmitter::configure(const EffectDef& d) {
  for (int c = 0; c < 4; ++c) {
    start_colour[c] = d.start_colour[c];
    end_colour[c] = d.end_colour[c];
    start_colour_range[c] = d.start_colour_range[c];
  }
  life_min = d.life_min;
  life_range = d.life_range;
  gravity_start_min = d.gravity_start_min;
  gravity_start_range = d.gravity_start_range;
  gravity_end = d.gravity_end;
  spread = d.spread;
  bool ranges = false;
  for (float v : d.velocity) ranges = ranges || v != 0;
  if (ranges) {
    velocity_mode = 1.0f;
    vel_x_min = d.velocity[0];
    vel_x_max = d.velocity[1];
    vel_y_min = d.velocity[2];
    vel_y_max = d.velocity[3];
    vel_z_min = d.velocity[4];
    vel_z_max = d.velocity[5];
  }
  size_start_min = d.size_start_min;
  size_end_min = d.size_end_min;
  size_start_range = d.size_start_range;
  size_end_range = d.size_end_range;
  alpha_start_min = d.alpha_start_min;
  alpha_end = d.alpha_end;
  alpha_start_range = d.alpha_start_range;
  rate = d.rate;
  max_total = d.max_total;
  speed_min = d.speed_min;
  speed_range = d.speed_range;
  attract = d.attract;
  horizontal_attract = d.horizontal_attract;
  random_target = d.random_target;
  spin = d.spin;
  continuous = d.continuous;
}

bool EffectDatEmitter::winding_down(Particle& p) {
  if (!started) return false;
  if (continuous != 0 && !(max_total > 0 && emitted >= max_total)) return false;
  p.dead = 1;
  if (live_count == 0) finished = 1;
  return true;
}

void EffectDatEmitter::spawn_direction(Particle& p) {
  // Four raw draws make two triangular angles around 0.
  const int a = effect_rand(), b = effect_rand(), c = effect_rand(), d = effect_rand();
  const float yaw = float(a - b) / float(effect_rand_max) * pi * 2;
  const float tilt = float(c - d) / float(effect_rand_max) * spread * pi / 180.0f;
  if (velocity_mode == -1.0f) {
    p.vel.y = std::cos(tilt);
    p.vel.x = std::cos(yaw) * std::sin(tilt);
    p.vel.z = std::sin(yaw) * std::sin(tilt);
  } else {
    p.vel.y = vel_y_min + effect_r() * (vel_y_max - vel_y_min);
    p.vel.x = vel_x_min + effect_r() * (vel_x_max - vel_x_min);
    p.vel.z = vel_z_min + effect_r() * (vel_z_max - vel_z_min);
  }
  if (converge == 1) {
    G3dVector towards;
    vec_sub(&towards, &position, &p.pos);
    p.vel = unit_or_zero(towards);
  }
}

void EffectDatEmitter::respawn(int i) {
  Particle& p = particles_[std::size_t(i)];
  p.age = 0;
  p.life = 0;
  if (winding_down(p)) return;
  p.life = effect_r() * life_range + life_min;
  p.alpha = clamp_byte(effect_r() * alpha_start_range + alpha_start_min);
  // The rate runs from the minimum, not from the drawn alpha.
  p.alpha_rate = per_life(alpha_end - alpha_start_min, p.life);
  for (int c = 0; c < 3; ++c) p.colour[c] = clamp_byte(effect_r() * start_colour_range[c] + start_colour[c]);
  for (int c = 0; c < 3; ++c) p.colour_rate[c] = per_life(end_colour[c] - start_colour[c], p.life);
  p.size = effect_r() * size_start_range + size_start_min;
  p.size_rate = 0;
  if (size_end_min > 0) p.size_rate = per_life(effect_r() * size_end_range + size_end_min - size_start_min, p.life);
  p.pos.x = (effect_r() - 0.5f) * box_width + position.x;
  p.pos.z = (effect_r() - 0.5f) * box_depth + position.z;
  p.pos.y = (effect_r() - 0.5f) * box_height + position.y;
  p.prev = p.pos;
  p.target = origin;
  if (attract == 1 && random_target == 1) {
    p.pos.y = position.y;
    p.target = p.pos;
    p.target.x += (effect_r() - 0.5f) * box_width;
    p.target.y += effect_r() * box_height;
    p.target.z += (effect_r() - 0.5f) * box_depth;
  }
  p.streak = low_u16(effect_r() * float(streak_range) + float(streak_start));
  p.streak_rate = streak_end > 0 ? low_u16(per_life(float(streak_end) - float(streak_start), p.life)) : 0;
  spawn_direction(p);
  float s = float(speed_min) + effect_r() * float(speed_range);
  if (inverted) s = -s;
  p.vel.x *= s;
  p.vel.y *= s;
  p.vel.z *= s;
  p.gravity = gravity_start_min * gravity + effect_r() * gravity_start_range * gravity;
  p.gravity_rate = per_life(gravity_end * gravity - p.gravity, p.life);
  p.spin1 = p.heading = p.spin2 = 0;
  if (spin == 1) {
    const G3dVector h = unit_or_zero({p.vel.x, 0, p.vel.z, 0});
    float a = 0;
    // A vertical velocity has no heading.
    if (h.x != 0 || h.z != 0) {
      a = vec_angle_deg({0, 0, -1, 0}, h);
      if (h.x < 0) a = 360 - a;
    }
    p.heading = std::fmod(a, 360.0f);
    p.spin_rate = -s;
  }
  p.anim = ActInstance{};
  p.anim.act = act;
  p.anim.qq = random_qq_count ? std::uint16_t(rand_below(random_qq_count)) : qq;
  p.dead = 0;
  ++live_count;
  if (max_total > 0 && emitted < max_total) ++emitted;
}

void EffectDatEmitter::move(Particle& p, float dt) {
  p.prev = p.pos;
  p.pos.x += p.vel.x * dt;
  p.pos.y += p.vel.y * dt;
  p.pos.z += p.vel.z * dt;
  if (limit_height != 0 && p.pos.y < limit_height) {
    if (p.vel.y > rest_speed) {
      p.pos.y = limit_height;
      p.vel.y = 0;
    } else {
      p.pos.y = p.prev.y;
      p.vel.y = -p.vel.y * bounce;
    }
  }
  p.vel.y += (inverted ? gravity : -gravity) * p.gravity * dt;
  p.gravity += p.gravity_rate * dt;
  if (attract == 1 || converge == 1) {
    G3dVector d;
    vec_sub(&d, &p.target, &p.pos);
    if (horizontal_attract) d.y = 0;
    const float dist = vec_length(&d);
    const G3dVector pull = unit_or_zero(d);
    p.vel.x += pull.x * attraction * dt;
    p.vel.y += pull.y * attraction * dt;
    p.vel.z += pull.z * attraction * dt;
    if (dist <= arrival_radius) p.life = arrived_life;
  }
  p.age += dt;
  p.alpha += p.alpha_rate * dt;
  p.size += p.size_rate * dt;
  p.streak = low_u16(float(p.streak) + float(p.streak_rate) * dt);
  for (int c = 0; c < 3; ++c) p.colour[c] += p.colour_rate[c] * dt;
  if (spin) {
    p.spin1 = std::fmod(p.spin1 + p.spin_rate * dt, 360.0f);
    p.spin2 = std::fmod(p.spin2 + p.spin_rate * dt, 360.0f);
  }
}

void EffectDatEmitter::update(unsigned ms) {
  const float dt = float(ms) / 1000.0f;
  last_step = dt;
  unsigned n = 1;
  if (continuous == 1) n = spawn_budget(rate, dt, carry, count);
  if (hold == 1) {
    n = 0;
    carry = 0;
  }
  for (int i = 0; i < count; ++i) {
    if (finished) break;
    Particle& p = particles_[std::size_t(i)];
    if (p.dead) continue;
    if (p.age + dt >= p.life) {
      if (live_count > 0 && p.life > 0) --live_count;
      p.age = 0;
      p.life = 0;
    } else {
      move(p, dt);
    }
    if (n > 0 && p.life == 0) {
      respawn(i);
      --n;
    }
  }
}

G3dVector EffectDatEmitter::streak_tail(int i) const {
  const Particle& p = particles_[std::size_t(i)];
  G3dVector d;
  vec_sub(&d, &p.pos, &p.prev);
  if (vec_length(&d) <= 1.0f) return p.prev;
  G3dVector u;
  vec_normalize(&u, &d);
  const float len = float(p.streak);
  return {p.prev.x - u.x * len, p.prev.y - u.y * len, p.prev.z - u.z * len, p.prev.w};
}

void EffectDatEmitter::draw_animated(Particle& p) {
  ActInstance& a = p.anim;
  if (a.sound) {
    play_sfx(a.sound, 1);
    a.sound = 0;
  }
  std::uint32_t colour = argb(p.alpha, p.colour[0], p.colour[1], p.colour[2]);
  if (a.draw_flags & grey_from_alpha) {
    const std::uint32_t v = saturate_byte(p.alpha);
    colour = v << 24 | v << 16 | v << 8 | v;
  }
  const float saved[3] = {a.scale[0], a.scale[1], a.scale[2]};
  for (float& s : a.scale) s += p.size;
  a.rotation[2] = angle_0_359(p.spin2);
  if (a.kind == kind_quad) {
    draw_act_quad_at(&a, p.pos.x, p.pos.y, p.pos.z, colour, a.draw_flags);
  } else if (a.kind == kind_model) {
    if (G3dPoly* model = GetPoly(a.resource)) {
      if (spin) a.rotation[0] = angle_0_359(p.spin1);
      G3dMatrix m;
      set_ani_matrix(&m, &a, p.pos.x, p.pos.y, p.pos.z, p.heading);
      renderer.draw_model(&m, a.picture, model, colour, a.draw_flags);
    }
  }
  for (int k = 0; k < 3; ++k) a.scale[k] = saved[k];
}

int EffectDatEmitter::draw() {
  for (int i = 0; i < count; ++i) {
    Particle& p = particles_[std::size_t(i)];
    if (p.dead || p.life == 0) continue;
    if (p.anim.act == 0) {
      const std::uint32_t head = argb(p.alpha, start_colour[0], start_colour[1], start_colour[2]);
      const std::uint32_t tail = argb(p.alpha, end_colour[0], end_colour[1], end_colour[2]);
      p.prev = streak_tail(i);  // kept: a second draw without an update reaches further back
      renderer.draw_line_2c(p.pos, p.prev, head, tail, additive);
      continue;
    }
    if (!Take_3dActData(&p.anim)) return 0;
    draw_animated(p);
  }
  return 1;
}

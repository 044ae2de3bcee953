#pragma once
// The particle emitters: the one class family with virtual operations. An emitter owns a fixed
// array of particles, spawns them around its position, moves them by the elapsed time and draws
// each as an animated quad or model, or as a streak when it has no animation. Owners delete an
// emitter through its virtual destructor; updates and draws never allocate.
#include <cstdint>
#include <memory>

#include "g3d/act_animation.h"
#include "g3d/g3d_math.h"

struct Particle {
  ActInstance anim;  // act and qq come from the emitter at respawn
  G3dVector pos, prev, vel;
  float accel[3];    // added to the velocity by the drift update; always 0
  G3dVector target;
  float age, life;   // seconds; a life of 0 means not alive
  float size, size_rate;
  float alpha, alpha_rate;
  float gravity, gravity_rate;
  float spin1, heading, spin2, spin_rate;  // degrees, degrees per second
  std::uint16_t streak, streak_rate;
  float colour[3], colour_rate[3];
  std::uint8_t dead;  // 1: not spawned again
};

class ParticleEmitter {
 public:
  ParticleEmitter(int count, float x, float y, float z, float w);
  virtual ~ParticleEmitter();
  ParticleEmitter(const ParticleEmitter&) = delete;
  ParticleEmitter& operator=(const ParticleEmitter&) = delete;

  virtual void restart();
  virtual void start();
  virtual void respawn(int i) = 0;
  virtual void update(unsigned elapsed_ms) = 0;
  virtual int draw() = 0;  // 0 when a missing animation cut the pass short

  void set_pos(G3dVector p) { position = p; }
  void set_xyz(float x, float y, float z) { position = {x, y, z, position.w}; }
  void set_continuous(int on) { continuous = on; }
  int is_finished() const { return finished; }
  // A model frame reached: the stop key, when it is that frame, ends continuous emission.
  void stop_on_frame(std::uint32_t key);

  Particle* particles() { return particles_.get(); }
  const Particle* particles() const { return particles_.get(); }

  // Settings, public as the owners set them after creation.
  int live_count = 0;
  int finished = 0;
  int started = 0;
  int continuous = 1;
  G3dVector origin{};
  float start_colour[4] = {255, 255, 255, 255};
  float end_colour[4] = {255, 255, 255, 255};
  float start_colour_range[4] = {0, 0, 0, 0};
  float last_step = 0;  // seconds
  float life_min = 0.5f, life_range = 0;
  float gravity_start_min = 0, gravity_start_range = 0, gravity_end = 0;  // units of 9.8
  float box_width = 0, box_depth = 0, box_height = 0;
  float limit_height = 0;  // weather: recycling height; Effect.dat emitters: floor (0 = none)
  float spread = 180.0f;
  float velocity_mode = -1.0f;  // -1 cone, 1 per-axis ranges
  float vel_x_min = 0, vel_x_max = 0, vel_y_min = 0, vel_y_max = 0, vel_z_min = 0, vel_z_max = 0;
  float alpha_start_min = 255, alpha_end = 0, alpha_start_range = 0;
  float size_start_min = 0, size_end_min = 0, size_start_range = 0, size_end_range = 0;
  float rate = 0, carry = 0;  // particles per second (the count by default)
  float bounce = 0.5f, attraction = 500.0f, arrival_radius = 0;
  int count = 0, max_total = 0, emitted = 0;
  std::uint16_t streak_start = 10, streak_end = 0, streak_range = 0;
  std::uint16_t act = 0, qq = 0, random_qq_count = 0;
  std::uint16_t speed_min = 10, speed_range = 0;
  std::uint16_t stop_key = 0;
  std::uint8_t attract = 0, inverted = 0, converge = 0, horizontal_attract = 0, random_target = 0, spin = 0;
  int hold = 0;
  G3dVector position{};

 protected:
  std::unique_ptr<Particle[]> particles_;
};

#pragma once
// Weather particles that drift down through a box around the player (snow) and are recycled
// when they pass the limit height; and the wind both weather emitters share.
#include "g3d/effects/particle_emitter.h"

class DriftEmitter : public ParticleEmitter {
 public:
  DriftEmitter(int count, float x, float y, float z, float w, float box_width, float box_depth, float limit_height,
               std::uint16_t act, std::uint16_t qq);
  void respawn(int i) override;
  void update(unsigned elapsed_ms) override;
  int draw() override;

  void set_center(float x, float z) {
    position.x = x;
    position.z = z;
  }
  void set_wind(float angle, float speed, float fall);

  // The wind: velocities of the drift are in units per millisecond, of the rain per second.
  float wind_angle = 0;
  float drift_speed = 0.0005f, fall_speed = 0.0049f;
  float drift_span_x = 0.001f, drift_span_z = 0.001f;

 protected:
  // A fresh life span of a drifting particle.
  static float drift_life();
};

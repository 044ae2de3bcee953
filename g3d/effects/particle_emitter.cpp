// The emitter base.
#include "g3d/effects/particle_emitter.h"

ParticleEmitter::ParticleEmitter(int n, float x, float y, float z, float w)
    : origin{x, y, z, w}, rate(float(n < 0 ? 0 : n)), count(n < 0 ? 0 : n), position{x, y, z, w},
      particles_(new Particle[std::size_t(count)]()) {}

ParticleEmitter::~ParticleEmitter() = default;

void ParticleEmitter::start() {
  if (!continuous)
    for (int i = 0; i < count; ++i) respawn(i);
  started = 1;
}

void ParticleEmitter::restart() {
  finished = 0;
  started = 0;
  if (!continuous)
    for (int i = 0; i < count; ++i) {
      respawn(i);
      particles_[std::size_t(i)].dead = 0;
    }
  started = 1;
}

void ParticleEmitter::stop_on_frame(std::uint32_t key) {
  const std::uint16_t frame = std::uint16_t(key);
  if (frame != 0 && frame == stop_key) {
    set_continuous(0);
    stop_key = 0;
  }
}

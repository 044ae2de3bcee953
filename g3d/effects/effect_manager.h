#pragma once
// An effect manager: running emitters by id.
#include <cstdint>

class ParticleEmitter;

class EffectManager {
 public:
  // A new emitter of an Effect.dat type at the point, not yet started; its id in *out_id (when
  // given). Null, and id -1, when none can be made.
  ParticleEmitter* add(std::uint16_t type, float x, float y, float z, int* out_id);
  // Deletes every emitter and resets the id counter.
  void clear();
};

// Starting an effect.
#include "g3d/effects/spawn_effect.h"

int spawn_effect(EffectManager* manager, int type, float x, float y, float z) {
  int id = -1;
  ParticleEmitter* emitter = manager ? manager->add(type, x, y, z, &id) : nullptr;
  // Without an emitter there is nothing to start, and no id to hand out.
  if (!emitter) return -1;
  emitter->start();
  return id;
}

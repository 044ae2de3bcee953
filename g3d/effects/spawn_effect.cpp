// Starting an effect.
#include "g3d/effects/spawn_effect.h"

int spawn_effect(EffectManager* manager, int type, float x, float y, float z) {
  int id = -1;
  if (ParticleEmitter* e = manager->add(type, x, y, z, &id)) e->start();
  return id;
}

#pragma once
// Effect definitions (the folder's "Effect.dat") and the emitter built from one. This first
// version reads no definition; its emitters do nothing.
#include "g3d/effects/particle_emitter.h"

class EffectDatEmitter : public ParticleEmitter {
 public:
  void restart() override {}
  void start() override {}
  void respawn(int) override {}
  void update(int) override {}
  void draw() override {}
};

void set_effect_path(const char* directory);
// A new emitter of the definition type (counted from 1) at x, y, z, owned by the caller.
ParticleEmitter* create_effect(int type, float x, float y, float z);

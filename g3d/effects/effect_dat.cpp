// Effect definitions.
#include "g3d/effects/effect_dat.h"

#include <string>

namespace {
std::string effect_file;
}

void set_effect_path(const char* directory) {
  effect_file = std::string(directory ? directory : "") + "\\Effect.dat";
}

ParticleEmitter* create_effect(int, float, float, float) { return new EffectDatEmitter; }

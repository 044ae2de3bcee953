// The field's effects.
#include "field/map_effects.h"

ParticleEmitter* weather_emitters[2] = {};
EffectManager field_effects;

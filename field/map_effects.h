#pragma once
// The field's effects: its two map emitters (or null), made by the map set-up, and its effect
// manager.
#include "g3d/effects/effect_manager.h"
#include "g3d/effects/particle_emitter.h"

extern ParticleEmitter* weather_emitters[2];
extern EffectManager field_effects;

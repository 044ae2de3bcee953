#pragma once
// The field's effects: its two map emitters (or null), made by the map set-up, and its effect
// manager.
#include "g3d/effects/effect_manager.h"
#include "g3d/effects/drift_emitter.h"

extern DriftEmitter* weather_emitters[2];  // snow, rain; both follow the player
extern EffectManager field_effects;

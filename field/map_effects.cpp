// The field's effects.
#include "field/map_effects.h"

DriftEmitter* weather_emitters[2] = {};
EffectManager field_effects;

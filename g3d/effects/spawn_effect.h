#pragma once
// Starting an effect by type at a point. Least version, enough for the effects; the animation
// drawing kit replaces it.
#include "g3d/effects/effect_manager.h"

// Adds the effect with EffectManager::add and starts it; its id (-1 when none was made).
int spawn_effect(EffectManager* manager, int type, float x, float y, float z);

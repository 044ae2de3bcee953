// Effect managers.
#include "g3d/effects/effect_manager.h"

void EffectManager::clear() {}

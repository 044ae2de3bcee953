// The map effect list.
#include "g3d/effects/effect_list.h"

void del_all_effect_list() {}

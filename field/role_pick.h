#pragma once
// Which role lies under a screen point: a role's animation box, enlarged by its scale, placed at
// its position (and turned by its DIR when asked) and tested with the view's pick.
#include "g3d/g3d_math.h"

struct MapRole;

// The role's animation box, enlarged by (1 + scale) when its scale is not 0.
G3dBox scaled_role_box(const MapRole& role);

// True on a hit, with the depth of the hit.
bool pick_role_box(const MapRole& role, float x, float y, bool turned, float* depth);

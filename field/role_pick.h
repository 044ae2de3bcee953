#pragma once
// Which role lies under a screen point: a role's animation box, enlarged by its scale, placed at
// its position (and turned by its DIR when asked) and tested with the view's pick.
struct MapRole;

// True on a hit, with the depth of the hit.
bool pick_role_box(const MapRole& role, float x, float y, bool turned, float* depth);

// Picking a role by its box.
#include "field/role_pick.h"

#include "data/map_role.h"
#include "g3d/geometry.h"
#include "g3d/renderer.h"

G3dBox scaled_role_box(const MapRole& r) {
  G3dBox box = r.anim.box;
  if (r.scale != 0.0f)
    for (float* v : {&box.min.x, &box.min.y, &box.min.z, &box.max.x, &box.max.y, &box.max.z}) *v *= 1.0f + r.scale;
  return box;
}

bool pick_role_box(const MapRole& r, float x, float y, bool turned, float* depth) {
  G3dMatrix m;
  renderer.make_scale_matrix(&m, r.X, r.Y, r.Z, 1, 1, 1, 0, turned ? r.DIR : 0.0f, 0);
  return g3d_pick_box(x, y, depth, m, scaled_role_box(r)) != 0;
}

// Geometry tests.
#include "g3d/geometry.h"

int g3d_box_overlap(const G3dBox& a, const G3dBox& b) {
  return a.min.x < b.max.x && a.max.x > b.min.x && a.min.y < b.max.y && a.max.y > b.min.y &&
         a.min.z < b.max.z && a.max.z > b.min.z;
}

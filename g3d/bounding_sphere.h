#pragma once
// The 20-byte bounding sphere of models and world objects: a centre (w not read) and a size.
// The culling test takes half the size as the radius across the screen and the whole size as
// the radius in depth.
#include "g3d/g3d_math.h"

struct G3dSphere {
  G3dVector centre;
  float size;
};

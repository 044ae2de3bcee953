#pragma once
// The matrix of an animation instance placed in the world, and the ground-plane offset of a
// heading. Least versions, enough for the effects; the animation drawing kit replaces them.
#include "g3d/g3d_math.h"

struct ActInstance;

// out = the instance's matrix at (x, y, z): its scale, its offset (scaled), its rotation with
// extra_yaw added to the yaw, then the point. Flat instances (draw flags 0x4000000 or
// 0x8000000) get z = 0.
void set_ani_matrix(G3dMatrix* out, const ActInstance* a, float x, float y, float z, float extra_yaw);
// The ground-plane offset of radius r at a heading in degrees.
void polar_offset(float angle, float radius, float* dx, float* dz);

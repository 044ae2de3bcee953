#pragma once
// Geometry tests over the engine's types.
#include "g3d/math3d.h"

// 1 when the two boxes overlap, with strict comparisons on all six sides; else 0.
int g3d_box_overlap(const G3dBox& a, const G3dBox& b);

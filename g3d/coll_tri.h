#pragma once
// A collision triangle of a world: three corners, the plane normal (any length) and the plane
// distance d, so that n . p = d for the points p of the plane.

struct CollTri {
  float k0[3], k1[3], k2[3];
  float n[3];
  float d;
};
static_assert(sizeof(CollTri) == 52);

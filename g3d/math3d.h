#pragma once
// The 3D engine's basic types: a point or direction of four floats, and an axis-aligned box
// (the lower corner, then the upper corner).
struct G3dVector {
  float x, y, z, w;
};

struct G3dBox {
  G3dVector min, max;
};

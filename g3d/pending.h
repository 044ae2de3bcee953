#pragma once
// Placeholders for the 3D engine's records and operations that the game data uses, under their
// final names and signatures, with the least behaviour the data needs. The 3D engine's own
// units replace them.
#include <cstdint>

struct G3dVector {
  float x, y, z, w;
};

// An axis-aligned box: the lower corner, then the upper corner.
struct G3dBox {
  G3dVector min, max;
};

// The playing state of one ACT animation, as far as the game data touches it.
struct ActInstance {
  G3dBox box;  // model box of the current frame, valid once the animation is loaded
  std::uint16_t act = 0;
  std::uint16_t qq = 0;
  float base_height = 0.0f;
};

// Advances the animation one tick; 0 when its act is 0 (the placeholder loads no animation).
int Take_3dActData(ActInstance* instance);

// 1 when the boxes overlap, with strict comparisons on all six sides.
int g3d_box_overlap(const G3dBox& a, const G3dBox& b);

#pragma once
// Drawing an animation's current frame as a quad at a screen position.
#include <cstdint>

struct ActInstance;

void draw_act_3d(ActInstance* instance, float x, float y, float z, float rx, float ry, float rz,
                 float sx, float sy, float sz, std::uint32_t colour, int flags);

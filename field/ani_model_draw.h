#pragma once
// Drawing a scene animation's model frame.
#include <cstdint>

struct AniNode;

// As draw_act_model for the node's instance.
void draw_ani_model(AniNode* node, float x, float y, float z, float rx, float ry, float rz, float sx, float sy,
                    float sz, std::uint32_t colour, std::uint32_t flags);

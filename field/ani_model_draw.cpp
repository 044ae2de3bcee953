// Drawing a scene animation's model frame.
#include "field/ani_model_draw.h"

#include "field/scene_anim.h"
#include "g3d/act_draw.h"

void draw_ani_model(AniNode* node, float x, float y, float z, float rx, float ry, float rz, float sx, float sy,
                    float sz, std::uint32_t colour, std::uint32_t flags) {
  draw_act_model(&node->instance, x, y, z, rx, ry, rz, sx, sy, sz, colour, flags);
}

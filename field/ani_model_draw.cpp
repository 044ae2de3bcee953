// Drawing a scene animation's model frame.
#include "field/ani_model_draw.h"

#include "field/map_effects.h"
#include "field/scene_anim.h"
#include "g3d/act_draw.h"
#include "g3d/effects/model_attachments.h"
#include "g3d/model_cache.h"

void draw_ani_model(AniNode* node, float x, float y, float z, float rx, float ry, float rz, float sx, float sy,
                    float sz, std::uint32_t colour, std::uint32_t flags) {
  ActInstance* a = &node->instance;
  if (a->resource == 0) return;
  // The attachments need the model's matrix before the model is drawn with it.
  if (a->attach_count != 0) {
    if (G3dPoly* model = GetPoly(a->resource)) {
      G3dMatrix m;
      act_model_matrix(a, &m, x, y, z, rx, ry, rz, sx, sy, sz);
      attach_model_effects(&field_effects, &m, a, model, node->slots);
    }
  }
  draw_act_model(a, x, y, z, rx, ry, rz, sx, sy, sz, colour, flags);
}

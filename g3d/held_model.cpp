// Drawing a held model at its body's tagged point.
#include "g3d/held_model.h"

#include "g3d/ani_matrix.h"
#include "g3d/model_cache.h"
#include "g3d/renderer.h"

namespace {
constexpr int held_point_tag = 0;
}

bool draw_held_model(const G3dPoly* body, const ActInstance& body_anim, ActInstance* held, float x, float y, float z,
                     float yaw) {
  G3dMatrix m;
  if (!renderer.get_part_matrix(body, body_anim.picture, held_point_tag, body_anim.scale[0], body_anim.scale[1],
                                body_anim.scale[2], &m))
    return true;
  if (Take_3dActData(held) != 1) return false;
  mul_ani_matrix(&m, held, x, y, z, yaw);
  if (G3dPoly* model = GetPoly(held->resource)) renderer.draw_model(&m, held->picture, model, held->color, held->draw_flags);
  return true;
}

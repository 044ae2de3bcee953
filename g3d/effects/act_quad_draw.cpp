// Instance quads in the world.
#include "g3d/effects/act_quad_draw.h"

#include "g3d/act_animation.h"
#include "g3d/ani_matrix.h"
#include "g3d/renderer.h"
#include "gfx2d/memoryer.h"

void draw_act_quad_at(const ActInstance* a, float x, float y, float z, std::uint32_t colour, std::uint32_t flags) {
  const TswPic* pic = Memoryer_GetPic(a->resource, a->picture);
  if (!pic || !pic->image) return;
  G3dMatrix m;
  set_ani_matrix(&m, a, x, y, z, 0);
  const G3dRect source{a->src_rect[0], a->src_rect[1], a->src_rect[2], a->src_rect[3]};
  // The sprite key keeps pictures past 255 apart; it is given as it stands.
  renderer.draw_image(&m, g3d_sprite_texture_key(a->resource, a->picture), pic->image, &source, colour,
                      flags | G3D_KEY_AS_GIVEN);
}

// Drawing a monster's model.
#include "ui/monster_model.h"

#include "data/item_data.h"
#include "data/maps_lookups.h"
#include "g3d/act_draw.h"
#include "g3d/ani_matrix.h"
#include "g3d/held_model.h"
#include "g3d/model_cache.h"
#include "g3d/part_textures.h"
#include "g3d/renderer.h"

namespace {

constexpr std::uint16_t weapon_qq = 1;

// The ACT table row: [0] 1 when found, then three model parts, three ACTs and three QQs.
enum : int { row_found = 0, row_parts = 1, row_acts = 4, row_qqs = 7, row_words = 10 };

}  // namespace

std::uint16_t monster_weapon_act(const ItemData& monster) { return monster.word_98; }

bool draw_monster_model(ActInstance* inst, std::uint16_t monster, std::uint16_t qq, const MonsterModelPlace& place,
                        std::uint16_t weapon_act) {
  if (inst->act != monster || inst->qq != qq) {
    *inst = ActInstance{};
    inst->act = monster;
    inst->qq = qq;
  }
  Take_3dActData(inst);
  if (inst->kind != act_kind_model || inst->resource == 0) return false;
  G3dPoly* model = GetPoly(inst->resource);
  if (!model) return false;
  // The size is the caller's, for this draw only: the instance keeps its own scale.
  ActInstance sized = *inst;
  for (float& s : sized.scale) s *= place.scale;
  G3dMatrix m;
  set_ani_matrix(&m, &sized, place.x, place.y, place.z, place.yaw);
  std::uint16_t row[row_words] = {};
  read_maps_act(monster, row);
  // The textures go back after the draw: the cached model is shared with every other drawer.
  PartTextureSwaps swaps;
  if (row[row_found]) apply_part_textures(model, &row[row_parts], &row[row_acts], &row[row_qqs], swaps);
  renderer.draw_model(&m, inst->picture, model, inst->color, inst->draw_flags);
  restore_part_textures(model, swaps);
  if (place.sounds) play_act_sound(inst);
  if (weapon_act) {
    // A fresh instance each frame: the weapon shows its first step only.
    ActInstance weapon;
    weapon.act = weapon_act;
    weapon.qq = weapon_qq;
    draw_held_model(model, sized, &weapon, place.x, place.y, place.z, place.yaw);
  }
  return true;
}

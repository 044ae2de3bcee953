// Drawing the log's monster model.
#include "ui/menu/menu_log_model.h"

#include "data/item_data.h"
#include "data/maps_lookups.h"
#include "g3d/act_draw.h"
#include "g3d/ani_matrix.h"
#include "g3d/held_model.h"
#include "g3d/model_cache.h"
#include "g3d/part_textures.h"
#include "g3d/renderer.h"
#include "ui/menu/menu_system.h"

namespace {

constexpr std::uint16_t monster_pose_qq = 55;
constexpr std::uint16_t weapon_qq = 1;

// The ACT table row: [0] 1 when found, then three model parts, three ACTs and three QQs.
enum : int { row_found = 0, row_parts = 1, row_acts = 4, row_qqs = 7, row_words = 10 };

void play_pose(std::uint16_t monster) {
  if (menu_model.act != monster || menu_model.qq != monster_pose_qq) {
    menu_model = ActInstance{};
    menu_model.act = monster;
    menu_model.qq = monster_pose_qq;
  }
  Take_3dActData(&menu_model);
}

void draw_weapon(const G3dPoly* body, std::uint16_t weapon_act) {
  if (weapon_act == 0) return;
  // A fresh instance each frame: the log shows the weapon's first step only.
  ActInstance weapon;
  weapon.act = weapon_act;
  weapon.qq = weapon_qq;
  draw_held_model(body, menu_model, &weapon, 0, 0, 0, 0);
}

}  // namespace

std::uint16_t monster_weapon_act(const ItemData& monster) { return monster.word_98; }

void draw_log_monster_model(std::uint16_t monster, std::uint16_t weapon_act) {
  play_pose(monster);
  if (menu_model.kind != act_kind_model || menu_model.resource == 0) return;
  G3dPoly* model = GetPoly(menu_model.resource);
  if (!model) return;
  G3dMatrix m;
  set_ani_matrix(&m, &menu_model, 0, 0, 0, 0);
  std::uint16_t row[row_words] = {};
  read_maps_act(monster, row);
  // The textures go back after the draw: the cached model is shared with every other drawer.
  PartTextureSwaps swaps;
  if (row[row_found]) apply_part_textures(model, &row[row_parts], &row[row_acts], &row[row_qqs], swaps);
  renderer.draw_model(&m, menu_model.picture, model, menu_model.color, menu_model.draw_flags);
  restore_part_textures(model, swaps);
  play_act_sound(&menu_model);
  draw_weapon(model, weapon_act);
}

// Drawing the log's monster model.
#include "ui/menu/menu_log_model.h"

#include "ui/menu/menu_system.h"
#include "ui/monster_model.h"

namespace {
constexpr std::uint16_t monster_pose_qq = 55;
}  // namespace

void draw_log_monster_model(std::uint16_t monster, std::uint16_t weapon_act) {
  draw_monster_model(&menu_model, monster, monster_pose_qq, MonsterModelPlace{0, 0, 0, 0, 1, true}, weapon_act);
}

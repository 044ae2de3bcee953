// The least command menu and results step.
#include "battle/fight_menu.h"

#include "battle/atk_script.h"
#include "battle/fight.h"
#include "battle/fight_action.h"
#include "battle/fight_globals.h"
#include "battle/fight_man.h"
#include "core/grp_input.h"
#include "sound/sfx_bank.h"

int fight_menu_state = 0;
int fight_menu_open = 0;
int result_wait = 220;

namespace {
constexpr int menu_opens_sound = 301;
int menu_unit = -1;
bool ended = false;

int first_standing_enemy() {
  for (int k = fight_first_enemy; k < fight_first_enemy + fight_enemy_count && k < fight_unit_slots; ++k)
    if (!gmFightMan[k].IsDead() && !gmFightMan[k].IsWithdrawn()) return k;
  return -1;
}
}  // namespace

void fight_menu_reset() {
  fight_menu_state = 0;
  fight_menu_open = 0;
  result_wait = 220;
  menu_unit = -1;
  ended = false;
}

void fight_open_menu(int unit) {
  fight_menu_state = 1;
  fight_menu_open = 1;
  fight_flags &= ~(fight_turn_ended | fight_list_keys);
  menu_unit = unit;
  play_sfx(menu_opens_sound, 1);
}

void fight_cmd_input() {
  if (grp_input.key_repeat(key_enter)) fight_menu_attack();
}

void fight_menu_attack() {
  if (fight_menu_state != 1 || !fight_menu_open || menu_unit < 0) return;
  const int target = first_standing_enemy();
  if (target < 0) return;
  FightMan& u = gmFightMan[menu_unit];
  fight_menu_state = 0;
  fight_menu_open = 0;
  u.SetTarget(target);
  u.SetCommand(1);
  fight_main_target = target;
  fight_action.actor = &u;
  fight_action.targets[0] = &gmFightMan[target];
  fight_action.target_count = 1;
  menu_unit = -1;
  fight_atk_start(u.GetAtkNumber(), &u, fight_action.targets, 1);
}

void fight_menu_draw(int, int) {}

void fight_result_update() {
  if (ended || !(fight_flags & fight_decided) || !battle_over) return;
  ended = true;
  fight_end();
}

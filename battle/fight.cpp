// The battle controller.
#include "battle/fight.h"

#include "battle/fight_globals.h"
#include "battle/fight_man.h"
#include "data/battle_fields.h"

#include "core/flags.h"
#include "core/game_flags.h"
#include "core/game_mode.h"
#include "g3d/renderer.h"

int fight_from_talk = 0;

void fight_input() {}
void fight_update() {}
void fight_draw() { renderer.present(); }
void fight_end() { GameMode = mode_field; }

// The battle itself comes with the battle controller; until then it only switches the mode.
int SFLB_Call_Fight(std::uint16_t) {
  set_flag(flag_battle);
  GameMode = mode_battle;
  return 1;
}

void fight_unit_fell(FightMan* u) {
  if (!u) return;
  if (u->IsEnemy()) {
    ++fight_enemies_out;
    chosen_action = u->monster;
    const int rank5 = item_rank(chosen_action) == 5;
    battle_exp += item_exp_value(chosen_action) * (rank5 ? 3 : 1);
    battle_money += item_money_value(chosen_action) * (rank5 ? 2 : 1);
    battle_metal += item_cost_metal(chosen_action);
    battle_wood += item_cost_wood(chosen_action);
    battle_coal += item_cost_coal(chosen_action);
    return;
  }
  ++fight_fallen_count;
}

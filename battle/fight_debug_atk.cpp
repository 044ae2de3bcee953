// The developer's forced enemy action.
#include "battle/fight_debug_atk.h"

#include "battle/atk_script.h"
#include "battle/fight.h"
#include "battle/fight_action.h"
#include "battle/fight_globals.h"
#include "battle/fight_man.h"
#include "battle/fight_menu.h"
#include "core/log.h"
#include "data/object_db.h"

std::uint16_t debug_atk_enemy = 0, debug_atk_script = 0;

void fight_debug_atk(std::uint16_t n, std::uint16_t atk) {
  debug_atk_enemy = n;
  debug_atk_script = atk;
  if (n == 0) return;
  // Slot n + 5 must be one of this battle's enemies.
  if (n > fight_enemy_count || n + 5 >= fight_unit_slots) {
    log_trace("atk: no enemy %d in this battle", int(n));
    return;
  }
  fight_close_turn();
  ActMan = n + 5;
  fight_main_target = 0;
  FightMan& u = gmFightMan[ActMan];
  u.SetCommand(2);
  u.SetTurnDone(0);
  read_Item(debug_atk_action, &chosen_action);
  u.SetAction(chosen_action);
  fight_action.actor = &u;
  fight_action.targets[0] = &gmFightMan[0];
  fight_action.target_count = 1;
  fight_atk_start(atk, fight_action.actor, fight_action.targets, 1);
  fight_menu_state = 0;
  fight_menu_open = 0;
}

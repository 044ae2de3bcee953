// The action being prepared, in its least form: starting an ATK script only counts it.
#include "battle/fight_action.h"

FightAction fight_action;
std::uint8_t talisman_gauge_element = 0;
std::uint8_t talisman_gauge_count = 0;
int fight_companion_room = 0;
int fight_atk_started = 0;
std::uint16_t fight_last_atk = 0;

void fight_atk_start(std::uint16_t atk, FightMan*, FightMan**, int) {
  if (atk == 0) return;
  ++fight_atk_started;
  fight_last_atk = atk;
}

int fight_can_call_companion() { return fight_companion_room; }

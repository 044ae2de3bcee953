// The battle controller.
#include "battle/fight.h"

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

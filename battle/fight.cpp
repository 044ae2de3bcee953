// The battle controller.
#include "battle/fight.h"

#include "core/game_mode.h"
#include "g3d/renderer.h"

void fight_input() {}
void fight_update() {}
void fight_draw() { renderer.present(); }
void fight_end() { GameMode = mode_field; }

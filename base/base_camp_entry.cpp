// The base camp's entry from the menu.
#include "base/base_camp.h"

#include "core/game_mode.h"

void enter_base_camp() { GameMode = SavedGameMode; }

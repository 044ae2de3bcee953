// The game mode and the quit request.
#include "core/game_mode.h"

int GameMode = mode_field;
int SavedGameMode = mode_field;
int quit_request = 0;

#pragma once
// The save screen (game mode 2) and the load screen (game mode 3).
#include <cstdint>

// The screens' entries under the mode-switch convention (core/game_mode.h), with one exception:
// neither enters while the save or the load screen is current. Leaving restores SavedGameMode
// and sets it to 0.
void call_save_system(std::uint32_t flags, int, int);
void call_load_system(std::uint32_t flags, int, int);
void input_save_system();
void input_load_system();
void update_load_system();
void draw_save_system();

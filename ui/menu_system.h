#pragma once
#include <cstdint>

// The menu system, game mode 1.
void input_menu_system();
void draw_menu_system();
// The menu's entry: MODE_ENTER opens it over the current mode, any other value but MODE_RESUME
// closes it.
int SFLB_call_menu_system(std::uint32_t flags, int, int);

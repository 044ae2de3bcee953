#pragma once
#include <cstdint>

// The menu system, game mode 1.
void input_menu_system();
void draw_menu_system();
// The menu's entry: MODE_ENTER opens it over the current mode, any other value but MODE_RESUME
// closes it.
int SFLB_call_menu_system(std::uint32_t flags, int, int);

// Completes a pending use of the save item once the save screen has saved.
void consume_save_item();
// The footer picture (act 9041, QQ 0) at (x, y); the save and load screens draw it too.
void draw_menu_footer(int x, int y);
// The options panel, which the title screen shows too.
void init_options_panel();
void input_options_panel();
void draw_options_panel();

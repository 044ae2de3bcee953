#pragma once
// The menu system, game mode 1.
void input_menu_system();
void draw_menu_system();

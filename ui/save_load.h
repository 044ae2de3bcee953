#pragma once
// The save screen (game mode 2) and the load screen (game mode 3).
void input_save_system();
void input_load_system();
void update_load_system();
void draw_save_system();

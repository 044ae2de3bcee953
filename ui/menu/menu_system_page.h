#pragma once
// The menu's system page (menu page 7): save, load, options and quit.

enum : int { system_tab_save = 0, system_tab_load = 1, system_tab_options = 2, system_tab_quit = 3 };
enum : int { system_state_commands = 0, system_state_options = 3, system_state_quit = 4 };
constexpr int system_tab_count = 4;

extern int system_tab;
extern int system_state;
extern int system_quit_question;
extern int system_tab_strip;  // 1 while the menu page draws its tab strip

void enter_system_page();
void leave_system_page();
void input_system_page();
void draw_system_page();

#pragma once
// The battle's command menu: the wheel of four commands around the acting party character, the
// second wheels behind its side slots, the item and arts lists, the treasure commands' option
// lists and the guardian panel. Every screen is a value of fight_menu_state, stepped once a
// frame; what a confirm, a cancel or a direction does in each state comes from the tables of
// fight_cmd_table.cpp. Target selection (state 3) is fight_target.cpp.
#include <cstdint>

#include "ui/scroll_list.h"
#include "ui/tween.h"
#include "ui/ui_numbers.h"

// fight_menu_state.
enum FightMenuState : int {
  menu_closed = 0,
  menu_wheel = 1,
  menu_subwheel = 2,
  menu_target = 3,
  menu_items = 4,
  menu_magic = 5,
  menu_martial = 6,
  menu_special = 7,
  menu_guardians = 8,
  menu_defence = 10,
  menu_resist = 11,
  menu_mechanisms = 12,
  menu_results_first = 99,  // 99-300: the results and defeat screens
};

// Command numbers the menu treats by name.
enum FightCommand : int {
  cmd_attack = 1, cmd_magic = 2, cmd_martial = 3, cmd_items = 4, cmd_defend = 5, cmd_special = 6,
  cmd_capture = 7, cmd_guardians = 8, cmd_mechanisms = 9, cmd_use_tool = 10, cmd_skills = 11,
  cmd_book = 12, cmd_attack_row1 = 13, cmd_none = 14, cmd_see_through = 15, cmd_gather = 16,
  cmd_dragon_claw = 17, cmd_perfect = 18, cmd_liuhe = 19, cmd_final_hand = 20, cmd_qiankun = 21,
  cmd_hide = 22, cmd_double = 23, cmd_treasure_flee = 24, cmd_group_attack = 25, cmd_cannon = 26,
  cmd_machine_special = 27, cmd_repair = 28, cmd_escape = 50, cmd_rage_strike = 52,
};
constexpr int first_treasure_command = 15, last_treasure_command = 49;

// The sound of a menu opening (the others are the interface's).
constexpr int sfx_menu_opens = 301;

extern int fight_menu_state;
extern int fight_menu_open;  // 1 while a party character's menu is open: gauges stand still
extern int menu_command;     // the highlighted command; after confirm the one carried out
extern int wheel_slot, subwheel_slot;  // 0 up, 1 down, 2 left, 3 right
extern int subwheel_open;
extern int subwheel_cmds[4];
extern std::uint16_t subwheel_treasures[4];
extern Tween wheel_tweens[4];
extern ScrollList menu_list;
extern ScrollList item_tab_lists[3];
extern ScrollList arts_tab_lists[3][3];
extern int list_tab;
extern int last_item_tab, last_magic_tab, last_martial_tab, last_mechanism_tab;
extern int guardian_cursor, guardian_count;
extern int option_cursor, option_rows;
extern int resist_column;  // 0 water, 1 fire
extern int fight_auto;
extern std::uint16_t chosen_item;
extern int result_wait;

// The pointer state the screens share: keyboard mode (a key moved a highlight; hover is ignored
// until the mouse moves or a button is held), frames without mouse movement, the pointer hidden
// after 300 of them, and the mouse position of the last frame it moved.
struct PointerSnapshot {
  int x = -1, y = -1;
};
extern int pointer_keyboard_mode;
extern int pointer_idle_frames;
extern int pointer_hidden;
extern PointerSnapshot input_snapshot;

// The tables the menu runs on (fight_cmd_table.cpp).
extern int fight_cmd_wheel[16][4];
constexpr int fight_cmd_name_count = 28;
extern const char* const fight_cmd_names[fight_cmd_name_count];
// A command's name, or null for a command without one (0, 29 and above).
const char* fight_cmd_name(int command);
constexpr int wheel_solo_row = 9;
constexpr int wheel_slot_x[4] = {180, 180, 120, 240}, wheel_slot_y[4] = {86, 214, 150, 150};
constexpr int wheel_centre_x = 180, wheel_centre_y = 150;
constexpr std::uint8_t tab_masks[3] = {0x80, 0x40, 0x20};
// The option rows of the defence and resistance lists: their rage costs and whether a row
// takes every ally.
constexpr int option_row_count = 5;
constexpr int option_rage_cost[option_row_count] = {30, 50, 30, 50, 30};
extern const char* const defence_labels[option_row_count];
extern const char* const resist_labels[option_row_count];
// Rows offered for a treasure of level 1-10 (two levels a row); 0 for no level.
int option_rows_for_level(int level);
// The rage cost a treasure command sets on its record when confirmed on the wheel; -1 keeps
// the record's own.
int treasure_rage_cost(int command);

// A battle starts: the menu's selection and tabs as a battle begins (the mechanism tab is kept).
void fight_menu_reset();
// A party member's turn has begun: its wheel opens.
void fight_open_menu(int unit);
void open_cmd_wheel(int right);
// kind 0 magic, 1 martial, 2 mechanisms.
void open_arts_list(int kind);
// The character index (0-2) of the acting unit, whose wheel rows the menu shows.
int menu_character();
// The command of a slot of the acting character's main wheel.
int wheel_command(int slot);

void fight_cmd_input();
void fight_cmd_mouse();
void fight_cmd_confirm();
void fight_cmd_cancel();
// A tab of the open tabbed list, as the left and right keys change it.
void fight_menu_select_tab(int tab);
void fight_cmd_up();
void fight_cmd_down();
void fight_cmd_left();
void fight_cmd_right();
// Ends the menu: closed and not open.
void fight_menu_end();
// A refusal: sound 309, every box closed, the text in a timed box; the state stays.
void fight_menu_refuse(const char* text);

// The menu's drawing (fight_menu_draw.cpp).
void fight_cmd_draw(int x, int y);
class FightMan;
// One entry of the HUD's side list of allied guests: plate, name and HP gauge.
void draw_guest_entry(FightMan* unit, int row);

// The results screens' confirm and cancel (their screens own them).
void fight_result_confirm();
void fight_result_cancel();
void fight_result_update();

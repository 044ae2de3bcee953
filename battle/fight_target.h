#pragma once
// Target selection (menu state 3): choosing the unit or units an action is aimed at, the cost
// and talisman checks before it opens, the confirm that hands the action to the unit and its
// ATK script, the double command's two actions, and the fading of called monsters around it.
#include <cstdint>

#include "data/item_data.h"
#include "g3d/g3d_math.h"

class FightMan;

extern int SelMan;  // enemy side: an enemy number (unit - 6); party side: a unit index
extern int target_on_allies;
extern int target_all;
extern int target_switch;
extern int target_screen_pos[2];
extern G3dVector target_point;
extern std::uint16_t chosen_command;
extern int auto_target;  // the unit auto-battle keeps attacking; -1 none
extern int double_unit;  // the unit that chose the double command; -1 none
extern std::uint16_t double_stage;

// One saved choice of the menu, kept whole for the double command.
struct MenuSelection {
  ItemData chosen_action{};
  std::uint16_t chosen_item = 0;
  std::uint16_t chosen_command = 0;
  int main_target = -1;
  int target_all = 0;
  int target_on_allies = 0;
  int target_switch = 0;
  FightMan* actor = nullptr;
  FightMan* targets[16] = {};
  int target_count = 0;
};
extern MenuSelection double_first, double_second;
MenuSelection current_selection();
void restore_selection(const MenuSelection& s);

// A battle starts: no double command, no remembered auto target, the cursor at the first enemy.
void fight_target_reset();
// The acting unit, null when none acts.
FightMan* menu_actor();

// A wheel command that takes a target: the enemy side with the weapon's record.
void target_from_wheel();
// Confirm in a list or an option list: cost and talisman checks, then target selection.
void fight_cmd_target();
// 1 when the talisman requirements of chosen_action are met, else 0 after the refusal.
int check_talisman();
// After a side switch: the cursor to the first unit of the side it may stop on.
void fight_target_first();
// Every called monster that is not dead fades out, except unit keep (-1 none).
void fade_called_monsters(int keep);
// The cursor one unit back (-1) or forward (1) on its side; sound 302.
void target_step(int by);
// Up and down: the other side, when the action allows switching.
void target_switch_side();
// The highlighted target's screen point and position; the actor turns toward it.
void target_highlight();
void fight_target_confirm();
// The rage the double command takes: 100 / its treasure's level, a level below 1 counting as 1.
int double_cost(FightMan* a);
void fight_target_cancel();
void fight_target_mouse();
// The unit under the pointer for the current selection: of the units the cursor may be on that
// the hit test finds within depth 1.0, the nearest, a later slot winning a tie; -1 for none.
using UnitHitTest = int (*)(int unit, int x, int y, float* depth);
int pick_target_at(int x, int y, UnitHitTest hit);
// The arts list of the character's left second wheel's first command (the double command).
void open_double_arts_list();
// The solo hero's actions by slot: 0 cannon, 1 special, 2 repair.
std::uint16_t solo_hero_action(int slot);
// After a turn ended: the pending second action of the double command.
void run_second_action();

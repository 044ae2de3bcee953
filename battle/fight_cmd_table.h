#pragma once
// The command menu's tables: what confirming each command does, what each direction does in
// each menu state, where cancel leads from each state, and where cancelling a target
// selection returns for each command. fight_menu.cpp and fight_target.cpp only follow them.
#include <cstdint>

// What confirming a command on a wheel does.
enum class CmdAction : std::uint8_t {
  none,           // an empty slot
  target,         // target selection with the weapon's record
  group_target,   // 群攻: target selection on every enemy
  arts_list,      // arg: 0 magic, 1 martial, 2 mechanisms; refused under status 0x20
  items,          // the item list
  defend,         // the unit defends itself; no script
  special_list,   // the special techniques; refused under status 0x8
  guardians,      // the guardian panel
  side_wheel,     // 技能, 天書, 用器: a second wheel opens first; in a solo scene a target
  self_state,     // 聚勁, 完璧, 隱身: the unit's state carries it out; arg 1 also charges
  option_list,    // arg: the menu state of the option list (10 or 11)
  double_cmd,     // 雙重: two arts in one turn
  treasure_flee,  // 遁逃: the whole party flees
  repair,         // 修復: the solo hero repairs itself
  escape,         // the escape key: the party tries to flee
};
struct CommandRule {
  CmdAction action;
  std::uint8_t arg;
};
CommandRule command_rule(int command);

// What a direction does in a menu state; slot actions take the slot of the direction
// (up 0, down 1, left 2, right 3).
enum class DirAction : std::uint8_t {
  nothing, slot, slot_if_filled, switch_side, prev_target, next_target, prev_tab, next_tab,
  guardian_prev, guardian_next, option_prev, option_next, column_prev, column_next,
};
enum Direction : int { dir_up = 0, dir_down = 1, dir_left = 2, dir_right = 3 };
DirAction direction_action(int state, Direction d);

// What cancel does in a menu state.
enum class CancelAction : std::uint8_t { nothing, to_wheel, leave_target, to_tool_wheel, leave_list, results };
CancelAction cancel_action(int state);

// The state a cancelled target selection returns to for the command that opened it, and
// whether that state is a list (which takes the keys through the list); 0 for the main wheel.
struct TargetReturn {
  int state;
  bool list;
};
TargetReturn target_return(int command);

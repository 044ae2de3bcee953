// The command menu's tables.
#include "battle/fight_cmd_table.h"

#include "battle/fight_menu.h"

// Row c (0-2) is character c's main wheel, c + 3 its left and c + 6 its right second wheel;
// row 9 is the machine wheel a solo scene copies over row 0. Rows 10-15 are never read.
int fight_cmd_wheel[16][4] = {
    {1, 5, 11, 10}, {13, 5, 12, 10}, {1, 5, 11, 10},  // main wheels
    {3, 6, 0, 0},   {2, 0, 7, 8},    {9, 6, 0, 0},    // left second wheels
    {4, 0, 0, 0},   {4, 0, 0, 0},    {4, 0, 0, 0},    // right second wheels
    {1, 28, 26, 27},                                   // the machine wheel
};

const char* const fight_cmd_names[fight_cmd_name_count] = {
    "\xA7\xF0\xC0\xBB",  // 攻擊
    "\xA9_\xB3N",        // 奇術
    "\xAAZ\xB3N",        // 武術
    "\xAA\xAB\xAB~",     // 物品
    "\xA8\xBE\xBFm",     // 防禦
    "\xB5\xB4\xA7\xDE",  // 絕技
    "\xA6\xAC\xA5\xF1",  // 收伏
    "\xC5@\xBEr",        // 護駕
    "\xBE\xF7\xC3\xF6",  // 機關
    "\xA5\xCE\xBE\xB9",  // 用器
    "\xA7\xDE\xAF\xE0",  // 技能
    "\xA4\xD1\xAE\xD1",  // 天書
    "\xA7\xF0\xC0\xBB",  // 攻擊
    "\xB5L",             // 無
    "\xB5\xF8\xAF}",     // 視破
    "\xBB\x45\xABl",      // 聚勁
    "\xC0s\xA4\xF6",     // 龍爪
    "\xA7\xB9\xC2z",     // 完璧
    "\xA4\xBB\xA6X",     // 六合
    "\xB5\xB4\xA4\xE2",  // 絕手
    "\xB0\xAE\xA9[",     // 乾坤
    "\xC1\xF4\xA8\xAD",  // 隱身
    "\xC2\xF9\xAD\xAB",  // 雙重
    "\xB9P\xB0k",        // 遁逃
    "\xB8s\xA7\xF0",     // 群攻
    "\xAF\xA5\xC0\xBB",  // 砲擊
    "\xAFS\xAE\xED",     // 特殊
    "\xAD\xD7\xB4_",     // 修復
};

// Treasure commands 29-49 have no name: a wheel slot that holds one draws none.
const char* fight_cmd_name(int command) {
  return command >= 1 && command <= fight_cmd_name_count ? fight_cmd_names[command - 1] : nullptr;
}

const char* const defence_labels[option_row_count] = {
    "\xB3\xE6\xA4H\xA8\xBE\xBFm30%",   // 單人防禦30%
    "\xA5\xFE\xC5\xE9\xA8\xBE\xBFm30%",  // 全體防禦30%
    "\xB3\xE6\xA4H\xA8\xBE\xBFm70%",   // 單人防禦70%
    "\xA5\xFE\xC5\xE9\xA8\xBE\xBFm70%",  // 全體防禦70%
    "\xB3\xE6\xA4H\xA8\xBE\xBFm100%",  // 單人防禦100%
};
const char* const resist_labels[option_row_count] = {
    "\xB3\xE6\xA4H\xA7\xDC\xA9\xCA\xA7\xEF\xC5\xDC""30%",   // 單人抗性改變30%
    "\xA5\xFE\xC5\xE9\xA7\xDC\xA9\xCA\xA7\xEF\xC5\xDC""30%",  // 全體抗性改變30%
    "\xB3\xE6\xA4H\xA7\xDC\xA9\xCA\xA7\xEF\xC5\xDC""70%",   // 單人抗性改變70%
    "\xA5\xFE\xC5\xE9\xA7\xDC\xA9\xCA\xA7\xEF\xC5\xDC""70%",  // 全體抗性改變70%
    "\xB3\xE6\xA4H\xA7\xDC\xA9\xCA\xA7\xEF\xC5\xDC""100%",  // 單人抗性改變100%
};

int option_rows_for_level(int level) {
  if (level < 1) return 0;
  return level > 10 ? 5 : (level + 1) / 2;
}

int treasure_rage_cost(int command) {
  switch (command) {
    case cmd_gather: return 30;
    case cmd_dragon_claw: return 20;
    case cmd_perfect: return 10;
    case cmd_final_hand: return 30;
    case cmd_hide: return 50;
    case cmd_treasure_flee: return 5;
    case cmd_group_attack: return 30;
    default: return -1;
  }
}

CommandRule command_rule(int command) {
  using A = CmdAction;
  switch (command) {
    case cmd_attack: case cmd_attack_row1: case cmd_none: case cmd_capture: case cmd_see_through:
    case cmd_dragon_claw: case cmd_final_hand: case cmd_cannon: case cmd_machine_special:
      return {A::target, 0};
    case cmd_magic: return {A::arts_list, 0};
    case cmd_martial: return {A::arts_list, 1};
    case cmd_mechanisms: return {A::arts_list, 2};
    case cmd_items: return {A::items, 0};
    case cmd_defend: return {A::defend, 0};
    case cmd_special: return {A::special_list, 0};
    case cmd_guardians: return {A::guardians, 0};
    case cmd_use_tool: case cmd_skills: case cmd_book: return {A::side_wheel, 0};
    case cmd_gather: return {A::self_state, 1};
    case cmd_perfect: case cmd_hide: return {A::self_state, 0};
    case cmd_liuhe: return {A::option_list, menu_defence};
    case cmd_qiankun: return {A::option_list, menu_resist};
    case cmd_double: return {A::double_cmd, 0};
    case cmd_treasure_flee: return {A::treasure_flee, 0};
    case cmd_group_attack: return {A::group_target, 0};
    case cmd_repair: return {A::repair, 0};
    case cmd_escape: return {A::escape, 0};
    default:
      if (command > cmd_repair && command <= last_treasure_command) return {A::target, 0};
      return {A::none, 0};
  }
}

namespace {
struct DirectionRow {
  int state;
  DirAction d[4];  // up, down, left, right
};
using D = DirAction;
constexpr DirectionRow direction_rows[] = {
    {menu_wheel, {D::slot, D::slot, D::slot, D::slot}},
    {menu_subwheel, {D::slot_if_filled, D::slot_if_filled, D::slot_if_filled, D::slot_if_filled}},
    {menu_target, {D::switch_side, D::switch_side, D::prev_target, D::next_target}},
    {menu_items, {D::nothing, D::nothing, D::prev_tab, D::next_tab}},
    {menu_magic, {D::nothing, D::nothing, D::prev_tab, D::next_tab}},
    {menu_martial, {D::nothing, D::nothing, D::prev_tab, D::next_tab}},
    {menu_mechanisms, {D::nothing, D::nothing, D::prev_tab, D::next_tab}},
    {menu_guardians, {D::guardian_prev, D::guardian_next, D::nothing, D::nothing}},
    {menu_defence, {D::option_prev, D::option_next, D::nothing, D::nothing}},
    {menu_resist, {D::option_prev, D::option_next, D::column_prev, D::column_next}},
};
}  // namespace

DirAction direction_action(int state, Direction d) {
  for (const DirectionRow& r : direction_rows)
    if (r.state == state) return r.d[d];
  return DirAction::nothing;  // the special list moves by its own keys only
}

CancelAction cancel_action(int state) {
  switch (state) {
    case menu_subwheel: return CancelAction::to_wheel;
    case menu_target: return CancelAction::leave_target;
    case menu_items: case menu_defence: case menu_resist: return CancelAction::to_tool_wheel;
    case menu_magic: case menu_martial: case menu_special: case menu_guardians: case menu_mechanisms:
      return CancelAction::leave_list;
    case 100: return CancelAction::results;
    default: return CancelAction::nothing;  // the main wheel: a character always acts
  }
}

TargetReturn target_return(int command) {
  switch (command) {
    case cmd_items: return {menu_items, true};
    case cmd_magic: return {menu_magic, true};
    case cmd_martial: return {menu_martial, true};
    case cmd_mechanisms: return {menu_mechanisms, true};
    case cmd_special: return {menu_special, true};
    case cmd_capture: case cmd_see_through: case cmd_dragon_claw: case cmd_final_hand: case cmd_group_attack:
    case cmd_double:
      return {menu_subwheel, false};
    case cmd_liuhe: return {menu_defence, false};
    case cmd_qiankun: return {menu_resist, false};
    default: return {menu_wheel, false};
  }
}

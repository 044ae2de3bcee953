// The battle's command menu: opening it, its keys and mouse, and confirm and cancel on the
// wheels, the lists, the option lists and the guardian panel.
#include "battle/fight_menu.h"

#include "battle/atk_script.h"
#include "battle/fame.h"
#include "battle/fight_action.h"
#include "battle/fight_cmd_table.h"
#include "battle/fight_globals.h"
#include "battle/fight_hud.h"
#include "battle/fight_man.h"
#include "battle/fight_choice.h"
#include "battle/fight_message.h"
#include "battle/fight_result_screen.h"
#include "battle/fight_target.h"
#include "battle/monster_panel.h"
#include "base/escort.h"
#include "core/flags.h"
#include "core/grp_input.h"
#include "core/key_mapping.h"
#include "data/item_list.h"
#include "data/object_db.h"
#include "data/party.h"
#include "sound/sfx_bank.h"
#include "ui/menu/menu_system.h"

int fight_menu_state = 0;
int fight_menu_open = 0;
int menu_command = 0;
int wheel_slot = 0, subwheel_slot = 0;
int subwheel_open = 0;
int subwheel_cmds[4] = {};
std::uint16_t subwheel_treasures[4] = {};
Tween wheel_tweens[4];
ScrollList menu_list;
ScrollList item_tab_lists[3];
ScrollList arts_tab_lists[3][3];
int list_tab = 0;
int last_item_tab = 1, last_magic_tab = 0, last_martial_tab = 0, last_mechanism_tab = 0;
int guardian_cursor = 0, guardian_count = 2;
int option_cursor = 0, option_rows = 1;
int resist_column = 0;
int fight_auto = 0;
std::uint16_t chosen_item = 0;
int result_wait = 220;

int pointer_keyboard_mode = 0;
int pointer_idle_frames = 0;
int pointer_hidden = 0;
PointerSnapshot input_snapshot;

namespace {
constexpr char cannot_escape[] = "\xB5L\xAAk\xB2\xE6\xC2\xF7\xBE\xD4\xB0\xAB!!%Q";  // 無法脫離戰鬥!!%Q
constexpr char not_now[] = "\xB2{\xA6""b\xB5L\xAAk\xA8\xCF\xA5\xCE!!%Q";              // 現在無法使用!!%Q
constexpr char cost_short[] =
    "\xAE\xF8\xAF\xD3\xC2I\xBC\xC6\xA4\xA3\xA8\xAC\xA1""A\xB5L\xAAk\xA8\xCF\xA5\xCE!!%Q";  // 消耗點數不足，無法使用!!%Q
constexpr char no_strength_to_call[] = "\xC5\xE9\xA4O\xA4\xA3\xA8\xAC,\xB5L\xAAk\xA9I\xB3\xEA!!%Q";  // 體力不足,無法呼喚!!%Q
constexpr std::uint16_t list_bar_act = 9137, list_bar_qq = 1;
constexpr int list_bar_width = 13, list_bar_height = 144, list_rows = 6, special_rows = 7;
constexpr std::uint32_t status_sealed = 0x20, status_no_special = 0x8;
constexpr int pointer_idle_limit = 300;
constexpr int kind_item = 201, kind_martial = 300, kind_magic = 303, kind_mechanism = 304, kind_special = 305;
constexpr int solo_repair_slot = 2;

void reset_list(ScrollList& l, int rows, int total) {
  l = ScrollList{};
  l.bar_act = list_bar_act;
  l.bar_qq = list_bar_qq;
  l.thumb_width = list_bar_width;
  l.track_length = list_bar_height;
  l.visible_rows = rows;
  l.item_count = total;
}

// The party slot (0-2) whose arts tabs the acting unit keeps.
int arts_slot() { return ActMan >= 0 && ActMan < 3 ? ActMan : 0; }

ItemNode* actor_arts() {
  FightMan* a = menu_actor();
  return a && a->GetRole() ? &a->GetRole()->arts : nullptr;
}

int arts_total(int kind, std::uint8_t mask) {
  ItemNode* arts = actor_arts();
  if (!arts) return 0;
  if (kind == 0) return count_item_type_flag(arts, kind_magic, mask) + count_item_type_flag(arts, kind_martial, mask);
  return count_item_type_flag(arts, kind == 1 ? kind_martial : kind_mechanism, mask);
}

int& last_tab_of(int state) {
  switch (state) {
    case menu_items: return last_item_tab;
    case menu_magic: return last_magic_tab;
    case menu_martial: return last_martial_tab;
    default: return last_mechanism_tab;
  }
}

ScrollList& saved_tab(int state, int tab) {
  return state == menu_items ? item_tab_lists[tab] : arts_tab_lists[arts_slot()][tab];
}

void open_list_state(int state) {
  fight_menu_state = state;
  fight_flags |= fight_list_keys;
}

void open_item_list() {
  for (int t = 0; t < 3; ++t) reset_list(item_tab_lists[t], list_rows, count_item_type_flag(&party_bag, kind_item, tab_masks[t]));
  list_tab = last_item_tab;
  menu_list = item_tab_lists[list_tab];
  open_list_state(menu_items);
}

void open_special_list() {
  ItemNode* arts = actor_arts();
  reset_list(menu_list, special_rows, arts ? count_item_type_exact(arts, kind_special) : 0);
  open_list_state(menu_special);
}

bool is_tabbed_list(int state) {
  return state == menu_items || state == menu_magic || state == menu_martial || state == menu_mechanisms;
}

void change_tab(int tab) {
  if (!is_tabbed_list(fight_menu_state)) return;
  play_sfx(sfx_tab, 1);
  saved_tab(fight_menu_state, list_tab) = menu_list;
  list_tab = ((tab % 3) + 3) % 3;
  last_tab_of(fight_menu_state) = list_tab;
  menu_list = saved_tab(fight_menu_state, list_tab);
  reset_tab_bounce();
}

// Selecting a wheel slot; on a second wheel only a slot with a command.
void select_slot(int slot, bool only_filled) {
  int& current = fight_menu_state == menu_subwheel ? subwheel_slot : wheel_slot;
  const int command = fight_menu_state == menu_subwheel ? subwheel_cmds[slot] : wheel_command(slot);
  if (only_filled && command == 0) return;
  if (current != slot) play_sfx(sfx_cursor, 1);
  current = slot;
  menu_command = command;
}

void step_cursor(int& cursor, int count, int by, bool sound) {
  if (count <= 0) return;
  const int next = ((cursor + by) % count + count) % count;
  if (sound && next != cursor) play_sfx(sfx_cursor, 1);
  cursor = next;
}

void run_direction(Direction d) {
  switch (direction_action(fight_menu_state, d)) {
    case DirAction::slot: select_slot(d, false); break;
    case DirAction::slot_if_filled: select_slot(d, true); break;
    case DirAction::switch_side: target_switch_side(); break;
    case DirAction::prev_target: target_step(-1); break;
    case DirAction::next_target: target_step(1); break;
    case DirAction::prev_tab: change_tab(list_tab - 1); break;
    case DirAction::next_tab: change_tab(list_tab + 1); break;
    case DirAction::guardian_prev: step_cursor(guardian_cursor, guardian_count, -1, false); break;
    case DirAction::guardian_next: step_cursor(guardian_cursor, guardian_count, 1, false); break;
    case DirAction::option_prev: step_cursor(option_cursor, option_rows, -1, false); break;
    case DirAction::option_next: step_cursor(option_cursor, option_rows, 1, false); break;
    case DirAction::column_prev: resist_column = resist_column == 0 ? 1 : resist_column - 1; break;
    case DirAction::column_next: resist_column = resist_column == 1 ? 0 : resist_column + 1; break;
    case DirAction::nothing: break;
  }
}

// The self-targeted commands: the acting unit is its own single target.
void self_target(FightMan* a) {
  fight_main_target = ActMan;
  fight_action.actor = a;
  fight_action.targets[0] = a;
  fight_action.target_count = 1;
}

// 奇術, 武術 and 機關 are sealed by status 0x20; 絕技 by 0x8.
bool sealed(std::uint32_t status) {
  FightMan* a = menu_actor();
  if (!a || !a->HasStatus(status)) return false;
  fight_menu_refuse(not_now);
  return true;
}

void every_party_member_flees() {
  for (int k = 0; k < fight_ally_count && k < fight_first_enemy; ++k)
    if (!gmFightMan[k].IsDead()) gmFightMan[k].SetCommand(cmd_escape);
}

int strongest_living_enemy_level() {
  int level = 0;
  for (int k = fight_first_enemy; k < fight_first_enemy + fight_enemy_count && k < fight_unit_slots; ++k)
    if (!gmFightMan[k].IsDead() && gmFightMan[k].monster.level > level) level = gmFightMan[k].monster.level;
  return level;
}

void confirm_treasure_flee(FightMan* a) {
  if (escape_forbidden) {
    fight_menu_refuse(cannot_escape);
    return;
  }
  a->PayCost();
  const int level = a->TreasureLevel(chosen_action.treasure_code);
  flee_granted = 1;
  every_party_member_flees();
  battle_money = 5 * (1 - level);
  fight_camera_overview();
  fight_menu_end();
  chosen_action = ItemData{};
}

void confirm_escape(FightMan* a) {
  flee_granted = a->FleeChance(std::uint16_t(strongest_living_enemy_level()));
  every_party_member_flees();
  fight_menu_end();
  fight_flags &= ~fight_list_keys;
  chosen_action = ItemData{};
  fight_camera_overview();
}

void confirm_repair(FightMan* a) {
  self_target(a);
  chosen_action = ItemData{};
  read_Item(solo_hero_action(solo_repair_slot), &chosen_action);
  a->SetAction(chosen_action);
  if (!a->CanPayCost(&chosen_action)) {
    fight_menu_refuse(cost_short);
    return;
  }
  menu_command = cmd_mechanisms;
  a->PayCost();
  a->SetCommand(cmd_mechanisms);
  fight_menu_end();
  fight_camera_overview();
  fight_atk_start(a->GetAtkNumber(), a, fight_action.targets, 1);
}

void confirm_self_state(FightMan* a, bool charges) {
  self_target(a);
  a->SetCommand(std::uint16_t(menu_command));
  if (charges) a->AddCondition(cond_charged);
  a->PayCost();
  fight_camera_overview();
  fight_menu_end();
}

void confirm_double(FightMan*) {
  if (sealed(status_sealed)) return;
  double_stage = 0;
  double_unit = ActMan;
  open_double_arts_list();
}

// Step 4 of a wheel confirm: a treasure command takes its treasure's record and rage cost.
bool treasure_command_ready(FightMan* a) {
  if (menu_command < first_treasure_command || menu_command > last_treasure_command) return true;
  if (menu_command == cmd_double) {
    const RoleData* r = a->GetRole();
    if (!r || r->rage < double_cost(a)) {
      fight_menu_refuse(cost_short);
      return false;
    }
  }
  chosen_action = ItemData{};
  read_Item(subwheel_treasures[subwheel_slot & 3], &chosen_action);
  if (const int cost = treasure_rage_cost(menu_command); cost >= 0) chosen_action.rage_cost = std::int16_t(cost);
  if (!a->CanPayCost(&chosen_action)) {
    fight_menu_refuse(cost_short);
    return false;
  }
  a->SetAction(chosen_action);
  return true;
}

void open_option_list(int state) {
  // The treasure behind the highlighted slot sets how many rows are offered.
  if (const FameNode* n = fame_find(subwheel_treasures[subwheel_slot & 3], fame_type_treasure)) {
    if (const int rows = option_rows_for_level(n->level)) option_rows = rows;
  }
  option_cursor = 0;
  fight_menu_state = state;
}

bool opens_second_wheel() {
  return subwheel_open == 0 && fight_auto == 0 && menu_command != cmd_escape && menu_command != cmd_defend &&
         !(fight_flags & fight_solo_scene) && (wheel_slot == 2 || wheel_slot == 3);
}

void confirm_wheel() {
  if (menu_command == 0) return;
  if (opens_second_wheel()) {
    fight_menu_state = menu_subwheel;
    subwheel_open = 1;
    open_cmd_wheel(wheel_slot == 3 ? 1 : 0);
    menu_command = subwheel_cmds[0];
    subwheel_slot = 0;
    return;
  }
  FightMan* a = menu_actor();
  if (!a) return;
  guardian_cursor = 0;
  target_on_allies = target_all = target_switch = 0;
  fight_command_outcome = 0;
  chosen_action = ItemData{};
  if (!treasure_command_ready(a)) return;
  if (fight_auto == 1) menu_command = wheel_command(0);
  const CommandRule rule = command_rule(menu_command);
  switch (rule.action) {
    case CmdAction::none: break;
    case CmdAction::side_wheel:  // only reached in a solo scene or with auto-battle
    case CmdAction::target: target_from_wheel(); break;
    case CmdAction::group_target:
      target_all = 1;
      target_from_wheel();
      break;
    case CmdAction::arts_list:
      if (!sealed(status_sealed)) open_arts_list(rule.arg);
      break;
    case CmdAction::items: open_item_list(); break;
    case CmdAction::defend:
      self_target(a);
      a->SetCommand(cmd_defend);
      fight_menu_end();
      break;
    case CmdAction::special_list:
      if (!sealed(status_no_special)) open_special_list();
      break;
    case CmdAction::guardians:
      guardian_count = escort_count;
      fight_menu_state = menu_guardians;
      break;
    case CmdAction::self_state: confirm_self_state(a, rule.arg == 1); break;
    case CmdAction::option_list: open_option_list(rule.arg); break;
    case CmdAction::double_cmd: confirm_double(a); break;
    case CmdAction::treasure_flee: confirm_treasure_flee(a); break;
    case CmdAction::repair: confirm_repair(a); break;
    case CmdAction::escape: confirm_escape(a); break;
  }
}

void confirm_guardian() {
  if (guardian_count == 0 || guardian_cursor < 0 || guardian_cursor >= escort_count ||
      escort_data[guardian_cursor].object_id == 0) {
    play_sfx(sfx_refuse, 1);
    return;
  }
  FightMan* a = menu_actor();
  if (!a) return;
  ItemData& guardian = escort_data[guardian_cursor];
  if (!a->CanPayCost(&guardian)) {
    fight_menu_refuse(no_strength_to_call);
    return;
  }
  a->SetAction(guardian);
  a->PayCost();
  a->SetCommand(cmd_guardians);
  chosen_action = guardian;
  guardians_called[guardian_cursor] = guardian.object_id;
  guardian.object_id = 0;
  fight_menu_end();
  fight_camera_overview();
}

void confirm_option() {
  chosen_action.byte_240 = 1;  // target_start: the own side
  chosen_action.target_mode = (option_cursor & 1) ? 1 : 0;
  if (FightMan* a = menu_actor()) a->SetAction(chosen_action);
  fight_cmd_target();
}

// Cancel in a list or the guardian panel: back to the second wheel it came from (the main
// wheel in a solo scene).
void leave_list() {
  if (fight_flags & fight_solo_scene) {
    fight_menu_state = menu_wheel;
    open_cmd_wheel(0);
    return;
  }
  fight_menu_state = menu_subwheel;
  fight_flags &= ~fight_list_keys;
  if (double_unit != -1) {
    // Leaving the double command's list drops the double command.
    subwheel_open = 1;
    menu_command = cmd_double;
    double_unit = -1;
    double_stage = 0;
    open_cmd_wheel(1);
  } else {
    open_cmd_wheel(0);
  }
}
}  // namespace

FightMan* menu_actor() { return ActMan >= 0 && ActMan < fight_unit_slots ? &gmFightMan[ActMan] : nullptr; }

int menu_character() {
  const int c = ActMan >= 0 && ActMan < 4 ? fight_party_slot[ActMan] : 0;
  return c >= 0 && c < 3 ? c : 0;
}

int wheel_command(int slot) { return fight_cmd_wheel[menu_character()][slot & 3]; }

void fight_menu_refuse(const char* text) {
  play_sfx(sfx_refuse, 1);
  fight_message(text, 100);
}

void fight_menu_end() {
  fight_menu_state = menu_closed;
  fight_menu_open = 0;
  subwheel_open = 0;
}

void fight_menu_reset() {
  fight_menu_state = menu_closed;
  fight_menu_open = 0;
  menu_command = 0;
  wheel_slot = subwheel_slot = 0;
  subwheel_open = 0;
  for (int& c : subwheel_cmds) c = 0;
  for (std::uint16_t& t : subwheel_treasures) t = 0;
  last_item_tab = 1;
  last_magic_tab = last_martial_tab = 0;
  list_tab = 0;
  guardian_cursor = option_cursor = resist_column = 0;
  chosen_item = 0;
  result_screen_reset();
  fight_target_reset();
  fight_hud_reset();
}

void fight_open_menu(int unit) {
  ActMan = turn_unit = unit;
  wheel_slot = subwheel_slot = 0;
  fight_menu_state = menu_wheel;
  fight_menu_open = 1;
  fight_flags &= ~(fight_turn_ended | fight_list_keys);
  open_cmd_wheel(0);
  menu_command = wheel_command(0);
  play_sfx(sfx_menu_opens, 1);
  fight_camera_actor();
}

void open_cmd_wheel(int right) {
  for (int i = 0; i < 4; ++i) {
    wheel_tweens[i].set_mode(3);
    wheel_tweens[i].set_speed(3);
    wheel_tweens[i].set_move(wheel_centre_x, wheel_centre_y, wheel_slot_x[i], wheel_slot_y[i]);
  }
  const int c = menu_character();
  const int row = wheel_slot == 2 ? c + 3 : c + 6;  // by the highlighted slot, not by the argument
  for (int i = 0; i < 4; ++i) subwheel_cmds[i] = fight_cmd_wheel[row][i];
  if (right != 1) return;
  FightMan* a = menu_actor();
  const RoleData* r = a ? a->GetRole() : nullptr;
  if (!r) return;
  for (int e = 4; e <= 5; ++e) {
    if (!r->equip[e]) continue;
    subwheel_treasures[e - 2] = r->equip[e];
    ItemData t{};
    if (read_Item(r->equip[e], &t) && t.treasure_code >= first_treasure_command && t.treasure_code <= last_treasure_command)
      subwheel_cmds[e - 2] = t.treasure_code;
  }
}

void open_arts_list(int kind) {
  const int s = arts_slot();
  for (int t = 0; t < 3; ++t) reset_list(arts_tab_lists[s][t], list_rows, arts_total(kind, tab_masks[t]));
  const int state = kind == 0 ? menu_magic : kind == 1 ? menu_martial : menu_mechanisms;
  list_tab = last_tab_of(state);
  menu_list = arts_tab_lists[s][list_tab];
  open_list_state(state);
}

void fight_cmd_up() { run_direction(dir_up); }
void fight_cmd_down() { run_direction(dir_down); }
void fight_cmd_left() { run_direction(dir_left); }
void fight_cmd_right() { run_direction(dir_right); }

void fight_menu_select_tab(int tab) { change_tab(tab); }

void fight_cmd_confirm() {
  switch (fight_menu_state) {
    case menu_wheel: case menu_subwheel: confirm_wheel(); break;
    case menu_items: case menu_magic: case menu_martial: case menu_special: case menu_mechanisms:
      if (menu_list.item_count > 0) fight_cmd_target();
      break;
    case menu_guardians: confirm_guardian(); break;
    case menu_defence: case menu_resist: confirm_option(); break;
    case menu_target: fight_target_confirm(); break;
    default:
      if (fight_menu_state >= menu_results_first) fight_result_confirm();
      break;
  }
}

void fight_cmd_cancel() {
  switch (cancel_action(fight_menu_state)) {
    case CancelAction::nothing: break;
    case CancelAction::to_wheel:
      fight_menu_state = menu_wheel;
      subwheel_open = 0;
      open_cmd_wheel(0);
      break;
    case CancelAction::leave_target: fight_target_cancel(); break;
    case CancelAction::to_tool_wheel:
      fight_menu_state = menu_subwheel;
      fight_flags &= ~fight_list_keys;
      open_cmd_wheel(1);
      break;
    case CancelAction::leave_list: leave_list(); break;
    case CancelAction::results: fight_result_cancel(); break;
  }
}

namespace {
bool pressed_any(std::initializer_list<KeyCode> keys, int (GrpInput::*read)(KeyCode) const) {
  for (KeyCode k : keys)
    if ((grp_input.*read)(k)) return true;
  return false;
}

constexpr KeyCode slot_keys[4] = {key_up, key_down, key_left, key_right};
constexpr KeyCode key_escape_letter = 'r', key_auto = 'a';

// A wheel turn: the mouse wheel steps the highlighted slot (a second wheel past empty slots)
// and puts the pointer beside it, where the hover picks it up.
void turn_wheel(int dz) {
  const bool second = fight_menu_state == menu_subwheel;
  int slot = second ? subwheel_slot : wheel_slot;
  for (int tries = 0; tries < 4; ++tries) {
    slot = (slot + (dz < 0 ? 1 : 3)) % 4;
    if (!second || subwheel_cmds[slot]) break;
  }
  if (second) {
    run_direction(Direction(slot));
  } else {
    wheel_slot = slot;
  }
  mouse_x = wheel_tweens[slot].get_x() + 50;
  mouse_y = wheel_tweens[slot].get_y();
}

// States 1 and 2: the wheel turn, and the direction key of the highlighted slot confirms it.
// True when it confirmed (the rest of the frame's input is skipped).
bool wheel_keys() {
  if (const int dz = grp_input.get_mouse_dz()) turn_wheel(dz);
  const int slot = fight_menu_state == menu_subwheel ? subwheel_slot : wheel_slot;
  if (!grp_input.key_repeat(slot_keys[slot & 3])) return false;
  play_sfx(sfx_select, 1);
  pointer_keyboard_mode = 1;
  fight_cmd_confirm();
  return true;
}

void direction_keys() {
  struct Pair {
    KeyCode key, pad;
    void (*op)();
  };
  static constexpr Pair pairs[] = {{key_up, key_pad_0 + 8, fight_cmd_up},
                                   {key_down, key_pad_0 + 2, fight_cmd_down},
                                   {key_left, key_pad_0 + 4, fight_cmd_left},
                                   {key_right, key_pad_0 + 6, fight_cmd_right}};
  for (const Pair& p : pairs) {
    if (!grp_input.key_repeat(p.key) && !grp_input.key_repeat(p.pad)) continue;
    pointer_keyboard_mode = 1;
    p.op();
  }
}

void escape_key() {
  if (!grp_input.key_repeat(key_escape_letter)) return;
  if (escape_forbidden == 1) {
    fight_menu_refuse(cannot_escape);
    return;
  }
  pointer_keyboard_mode = 1;
  menu_command = cmd_escape;
  fight_cmd_confirm();
}

// Returns true when the frame's input ends here.
bool open_menu_keys() {
  if (ActMan == -1) ActMan = turn_unit;
  const bool on_wheel = fight_menu_state == menu_wheel || fight_menu_state == menu_subwheel;
  if (fight_flags & fight_list_keys) {
    input_scroll_list(&menu_list);
  } else if (on_wheel && wheel_keys()) {
    return true;
  }
  direction_keys();
  if (on_wheel) escape_key();
  return false;
}
}  // namespace

void fight_cmd_input() {
  if (++pointer_idle_frames >= pointer_idle_limit) pointer_hidden = 1;
  if (monster_info_shown == 1 &&
      pressed_any({key_enter, key_space, key_mouse1, key_mouse2, key_lctrl, key_rctrl, key_escape}, &GrpInput::key_press))
    monster_info_shown = 0;
  if (fight_menu_open == 1 && open_menu_keys()) return;
  fight_cmd_mouse();
  if (grp_input.key_press(key_auto) && battle_over == 0) {
    if (fight_auto == 1) {
      fight_cmd_cancel();
    } else if (fight_menu_open == 1) {
      fight_auto = 1;
      fight_menu_state = menu_wheel;
      fight_cmd_confirm();
    }
  }
  if (pressed_any({key_enter, key_space, key_pad_0 + 5}, &GrpInput::key_repeat)) {
    pointer_keyboard_mode = 1;
    fight_cmd_confirm();
  }
  if (pressed_any({key_escape, key_lctrl, key_rctrl}, &GrpInput::key_press) || grp_input.key_repeat_fast(key_mouse2) ||
      grp_input.key_repeat(key_pad_0)) {
    if (fight_menu_open == 0) fight_auto = 0;
    fight_cmd_cancel();
  }
}

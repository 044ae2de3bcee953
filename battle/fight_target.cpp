// Target selection, its checks and confirm, the double command and the called monsters' fades.
#include "battle/fight_target.h"

#include "base/residents.h"
#include "battle/atk_script.h"
#include "battle/fight_action.h"
#include "battle/fight_cmd_table.h"
#include "battle/fight_globals.h"
#include "battle/fight_hud.h"
#include "battle/fight_man.h"
#include "battle/fight_menu.h"
#include "battle/fight_choice.h"
#include "battle/monster_panel.h"
#include "core/flags.h"
#include "core/game_flags.h"
#include "core/grp_input.h"
#include "core/key_mapping.h"
#include "data/battle_fields.h"
#include "data/encounters.h"
#include "data/item_list.h"
#include "data/object_db.h"
#include "data/party.h"
#include "sound/sfx_bank.h"

int SelMan = 0;
int target_on_allies = 0;
int target_all = 0;
int target_switch = 0;
int target_screen_pos[2] = {};
G3dVector target_point{};
std::uint16_t chosen_command = 0;
int double_unit = -1;
std::uint16_t double_stage = 0;
MenuSelection double_first, double_second;

namespace {
constexpr char no_talisman[] = "\xA8S\xA6\xB3\xB2\xBD\xB2\xC5\xB5L\xAAk\xACI\xAEi!!%Q";  // 沒有祭符無法施展!!%Q
constexpr char wrong_talisman[] =
    "\xB2\xBD\xB2\xC5\xC4\xDD\xA9\xCA\xA4\xA3\xB9\xEF\xB5L\xAAk\xACI\xAEi!!%Q";  // 祭符屬性不對無法施展!!%Q
constexpr char talisman_too_few[] =
    "\xB2\xBD\xB2\xC5\xB5\xA5\xAF\xC5\xA4\xA3\xB0\xF7\xB5L\xAAk\xACI\xAEi!!%Q";  // 祭符等級不夠無法施展!!%Q
constexpr char talisman_full[] =
    "\xB2\xBD\xB2\xC5\xB5\xA5\xAF\xC5\xA4w\xA8\xEC\xA4W\xAD\xAD\xA4""F!!%Q";  // 祭符等級已到上限了!!%Q
constexpr char no_room[] =
    "\xA9\xC7\xAA\xAB\xA9~\xA6\xED\xAA\xC5\xB6\xA1\xA4\xA3\xB0\xF7\xA1""A\xB5L\xAAk\xA6\xAC\xA4\xC6!!%Q";  // 怪物居住空間不夠，無法收化!!%Q
constexpr char machine_cost_short[] =
    "\xC5\xE9\xA4O\xAD\xC8\xA4\xA3\xA8\xAC\xA1""A\xB5L\xAAk\xA8\xCF\xA5\xCE!!%Q";  // 體力值不足，無法使用!!%Q
constexpr std::uint8_t flag_needs_talisman = 0x80, flag_adds_talisman = 0x1;
constexpr std::uint32_t status_rage_bonus = 0x10000;
constexpr std::uint32_t cond_guard_liuhe = 0x200, cond_guard_qiankun = 0x400;
constexpr int talisman_max = 3;
constexpr float pick_depth_limit = 1.0f;

int party_end() { return fight_ally_count < fight_first_enemy ? fight_ally_count : fight_first_enemy; }
int enemy_end() {
  const int end = fight_first_enemy + fight_enemy_count;
  return end < fight_unit_slots ? end : fight_unit_slots;
}

bool is_called_monster(const FightMan& u) { return u.IsGuest() && !u.IsPet(); }

// Whether the party-side cursor may rest on unit k for the chosen action: never on a unit whose
// pet has fallen; with an action that switches sides, never on the actor, and for a talisman
// action never on a called monster. Fallen members are valid (revival).
bool may_stop_on_ally(int k) {
  const FightMan& u = gmFightMan[k];
  if (u.IsPetFallen()) return false;
  if (chosen_action.target_side != 1) return true;
  if (k == ActMan) return false;
  return !((chosen_action.action_flags & flag_needs_talisman) && is_called_monster(u));
}

// The cursor from SelMan on to the first living enemy, one pass at most; false (the cursor
// kept) when none is alive.
bool seek_living_enemy(int by) {
  if (fight_enemy_count <= 0) return false;
  if (SelMan < 0 || SelMan >= fight_enemy_count) SelMan = 0;
  int k = SelMan;
  for (int tries = 0; tries < fight_enemy_count; ++tries) {
    if (!gmFightMan[fight_first_enemy + k].IsDead()) {
      SelMan = k;
      return true;
    }
    k = ((k + by) % fight_enemy_count + fight_enemy_count) % fight_enemy_count;
  }
  return false;
}

// The party-side cursor from unit `from` on, stepping by `by`, to the first unit it may rest
// on; one pass at most, false when there is none.
bool seek_ally(int from, int by) {
  const int n = party_end();
  for (int tries = 0, k = from; tries < n; ++tries, k = ((k + by) % n + n) % n)
    if (k >= 0 && k < n && may_stop_on_ally(k)) {
      SelMan = k;
      return true;
    }
  return false;
}

void list_living_enemies() {
  int n = 0;
  for (int k = fight_first_enemy; k < enemy_end(); ++k)
    if (!gmFightMan[k].IsDead()) fight_action.targets[n++] = &gmFightMan[k];
  fight_action.target_count = n;
}

void list_party_side() {
  int n = 0;
  for (int k = 0; k < party_end(); ++k) fight_action.targets[n++] = &gmFightMan[k];
  fight_action.target_count = n;
}

void fade_in_called_monsters() {
  for (int k = 0; k < party_end(); ++k) {
    FightMan& u = gmFightMan[k];
    if (!u.IsDead() && is_called_monster(u)) u.StartFade(0, 20);
  }
}

void open_target_state() {
  fight_menu_state = menu_target;
  fight_flags &= ~fight_list_keys;
  fight_camera_overview();
}

FightMan* main_target() {
  return fight_main_target >= 0 && fight_main_target < fight_unit_slots ? &gmFightMan[fight_main_target] : nullptr;
}

// The rage strike may replace 攻擊 (command 1 only, never the solo hero): true when it did.
bool roll_strike(FightMan* a) {
  if (menu_command != cmd_attack || a->IsSoloHero() || !a->GetRole()) return false;
  std::uint8_t& counter = role_strike_counter(*a->GetRole());
  const std::uint16_t percent = a->HasStatus(status_rage_bonus) ? 50 : 0;
  ++counter;
  if (roll_rage_strike(std::uint16_t(ActMan), counter, percent, std::uint16_t(a->HpTier()), 0) != 1) return false;
  a->SetCommand(cmd_rage_strike);
  counter = 0;
  return true;
}

void fill_confirmed_targets() {
  if (target_all) {
    if (target_on_allies) {
      list_party_side();
    } else {
      list_living_enemies();
      fade_called_monsters(-1);
    }
    return;
  }
  fight_action.target_count = 1;
  fight_action.targets[0] = main_target();
  if (FightMan* a = menu_actor()) a->SetTarget(fight_main_target);
  fade_called_monsters(fight_main_target);
}

void guard_targets(std::uint32_t bit, std::uint8_t column) {
  for (int i = 0; i < fight_action.target_count; ++i) {
    FightMan* t = fight_action.targets[i];
    if (!t || t->IsDead()) continue;
    t->AddCondition(bit);
    t->SetGuard(bit, std::uint8_t(option_cursor), column);
  }
}

void start_action_script(FightMan* a) {
  fight_atk_start(a->GetAtkNumber(), fight_action.actor, fight_action.targets, fight_action.target_count);
  set_hud_visible(0);
  fight_menu_end();
}
}  // namespace

std::uint16_t solo_hero_action(int slot) {
  // The machine the solo scene builds: its later form once the tower is had.
  ItemData hero{};
  if (!read_Item(test_flag(flag_mechanism_2) ? 502 : 501, &hero)) return 0;
  return hero.ai_actions[slot];
}

MenuSelection current_selection() {
  MenuSelection s;
  s.chosen_action = chosen_action;
  s.chosen_item = chosen_item;
  s.chosen_command = chosen_command;
  s.main_target = fight_main_target;
  s.target_all = target_all;
  s.target_on_allies = target_on_allies;
  s.target_switch = target_switch;
  s.actor = fight_action.actor;
  for (int i = 0; i < 16; ++i) s.targets[i] = fight_action.targets[i];
  s.target_count = fight_action.target_count;
  return s;
}

void restore_selection(const MenuSelection& s) {
  chosen_action = s.chosen_action;
  chosen_item = s.chosen_item;
  chosen_command = s.chosen_command;
  fight_main_target = s.main_target;
  target_all = s.target_all;
  target_on_allies = s.target_on_allies;
  target_switch = s.target_switch;
  fight_action.actor = s.actor;
  for (int i = 0; i < 16; ++i) fight_action.targets[i] = s.targets[i];
  fight_action.target_count = s.target_count;
}

void fight_target_reset() {
  SelMan = 0;
  target_on_allies = target_all = target_switch = 0;
  chosen_command = 0;
  auto_target = -1;
  double_unit = -1;
  double_stage = 0;
  double_first = double_second = MenuSelection{};
}

void fade_called_monsters(int keep) {
  for (int k = 0; k < party_end(); ++k) {
    FightMan& u = gmFightMan[k];
    if (k != keep && !u.IsDead() && is_called_monster(u)) u.StartFade(1, 20);
  }
}

void target_highlight() {
  FightMan* t = main_target();
  if (target_all || !t) return;
  t->GetScreenPos(&target_screen_pos[0], &target_screen_pos[1]);
  t->GetPos4(&target_point);
  FightMan* a = menu_actor();
  if (a && t != a) a->TurnToward(target_point.x, target_point.y, target_point.z);
}

void target_from_wheel() {
  fight_camera_overview();
  if (!seek_living_enemy(1)) return;  // nobody to attack: the menu stays where it was
  fight_menu_state = menu_target;
  target_on_allies = 0;
  fight_main_target = SelMan + fight_first_enemy;
  chosen_action = ItemData{};
  if (FightMan* a = menu_actor()) a->GetWeaponRecord(&chosen_action);
  if (chosen_action.target_mode == 1) target_all = 1;
  if (menu_command == cmd_dragon_claw) target_all = 0;
  if (target_all) list_living_enemies();
  else target_highlight();
}

int check_talisman() {
  const ItemData& c = chosen_action;
  if ((c.action_flags & flag_needs_talisman) && (c.talisman_element || c.talisman_count)) {
    const char* refusal = nullptr;
    if (talisman_count == 0 && talisman_element == 0) refusal = no_talisman;
    else if (c.talisman_element != talisman_element) refusal = wrong_talisman;
    else if (talisman_count < c.talisman_count) refusal = talisman_too_few;
    if (refusal) {
      fight_menu_refuse(refusal);
      return 0;
    }
  }
  if ((c.action_flags & flag_adds_talisman) && c.talisman_element == talisman_element && talisman_count >= talisman_max) {
    fight_menu_refuse(talisman_full);
    return 0;
  }
  return 1;
}

void fight_cmd_target() {
  FightMan* a = menu_actor();
  if (!a) return;
  if (!a->CanPayCost(&chosen_action)) {
    play_sfx(sfx_refuse, 1);
    return;
  }
  if (!check_talisman()) return;
  const std::uint8_t start = item_target_start(chosen_action);
  if (start == 1) {
    SelMan = fight_main_target = ActMan;
    target_on_allies = 1;
  } else if (start == 0 || start == 2) {
    if (!seek_living_enemy(1)) return;
    fight_main_target = SelMan + fight_first_enemy;
    target_on_allies = 0;
  }
  if (chosen_action.target_side == 1) target_switch = 1;
  if (chosen_action.target_mode == 1) target_all = 1;
  if (target_all) {
    if (target_on_allies) list_party_side();
    else list_living_enemies();
  } else {
    target_highlight();
  }
  if (target_on_allies) fade_in_called_monsters();
  open_target_state();
}

void fight_target_first() {
  SelMan = 0;
  if (target_on_allies) {
    if (seek_ally(0, 1)) fight_main_target = SelMan;
  } else if (seek_living_enemy(1)) {
    fight_main_target = SelMan + fight_first_enemy;
  }
  target_highlight();
}

void target_step(int by) {
  if (target_all == 1 || chosen_action.target_mode == 2) return;
  play_sfx(sfx_cursor, 1);
  if (target_on_allies) {
    const int n = party_end();
    if (n > 0 && seek_ally(((SelMan + by) % n + n) % n, by)) fight_main_target = SelMan;
  } else if (fight_enemy_count > 0) {
    const int kept = SelMan;
    SelMan = ((SelMan + by) % fight_enemy_count + fight_enemy_count) % fight_enemy_count;
    if (seek_living_enemy(by)) fight_main_target = SelMan + fight_first_enemy;
    else SelMan = kept;
  }
  target_highlight();
}

void target_switch_side() {
  if (target_switch != 1) return;
  play_sfx(sfx_cursor, 1);
  target_on_allies = !target_on_allies;
  fight_target_first();
}

void open_double_arts_list() {
  const int command = fight_cmd_wheel[menu_character() + 3][0];
  const CommandRule rule = command_rule(command);
  if (rule.action != CmdAction::arts_list) return;
  open_arts_list(rule.arg);
  menu_command = command;
}

int double_cost(FightMan* a) {
  const int level = a->TreasureLevel(cmd_double);
  return 100 / (level < 1 ? 1 : level);  // no fame record leaves level 0: never divide by it
}

void fight_target_confirm() {
  FightMan* a = menu_actor();
  if (!a) return;
  if (menu_command == cmd_capture && !has_free_resident_slot()) {
    fight_menu_refuse(no_room);
    return;
  }
  fight_flags &= ~fight_list_keys;
  subwheel_open = 0;
  const bool struck = roll_strike(a);
  chosen_command = std::uint16_t(menu_command);
  fight_action.actor = a;
  fill_confirmed_targets();
  if (fight_auto == 1) auto_target = fight_main_target;
  if (menu_command == cmd_items) {
    del_item(&party_bag, chosen_item, 1);
    chosen_item = 0;
  }
  if (menu_command == cmd_capture) {
    a->SetCommand(cmd_capture);
    a->StartCapture(main_target());
    fight_menu_end();
    return;
  }
  if (double_unit != -1) {
    if (double_stage == 0) {
      double_first = current_selection();
      double_stage = 1;
      open_double_arts_list();
      return;
    }
    double_second = current_selection();
    restore_selection(double_first);
    a->SetAction(chosen_action);
    target_highlight();
    if (RoleData* r = a->GetRole()) r->rage -= double_cost(a);
  }
  if (menu_command == cmd_cannon || menu_command == cmd_machine_special) {
    chosen_action = ItemData{};
    read_Item(solo_hero_action(menu_command == cmd_cannon ? 0 : 1), &chosen_action);
    a->SetAction(chosen_action);
    if (!a->CanPayCost(&chosen_action)) {
      fight_menu_refuse(machine_cost_short);
      return;
    }
    menu_command = cmd_mechanisms;
  }
  if (fight_main_target == ActMan) a->SetFacing(0, 180, 0);
  if (!struck) a->SetCommand(std::uint16_t(menu_command));
  a->PayCost();
  switch (menu_command) {
    case cmd_see_through:
      if (FightMan* t = main_target()) {
        t->GetMonsterRecord(&chosen_action);
        see_through_result = a->TreasureLevelAllows(chosen_action.level, subwheel_treasures[subwheel_slot & 3]);
      }
      fight_menu_end();
      return;
    case cmd_dragon_claw: case cmd_final_hand: case cmd_group_attack: fight_menu_end(); return;
    case cmd_liuhe:
      guard_targets(cond_guard_liuhe, 0);
      fight_menu_end();
      return;
    case cmd_qiankun:
      guard_targets(cond_guard_qiankun, std::uint8_t(resist_column));
      fight_menu_end();
      return;
    default: start_action_script(a); return;
  }
}

void fight_target_cancel() {
  fade_called_monsters(-1);
  fight_camera_actor();
  FightMan* a = menu_actor();
  if (a) a->SetFacing(0, 180, 0);
  target_on_allies = target_all = target_switch = 0;
  fight_main_target = -1;
  chosen_action = ItemData{};
  if (a) a->SetAction(chosen_action);
  const TargetReturn back = target_return(menu_command);
  if (menu_command == cmd_double) {
    fight_menu_state = menu_subwheel;
    double_stage = 0;
    open_cmd_wheel(1);
    return;
  }
  if (back.state != menu_wheel) {
    fight_menu_state = back.state;
    if (back.list) fight_flags |= fight_list_keys;
    return;
  }
  fight_menu_state = menu_wheel;
  if (fight_auto == 1) {
    fight_flags &= ~fight_list_keys;
    open_cmd_wheel(1);
    subwheel_open = 0;
    fight_auto = 0;
  } else {
    open_cmd_wheel(0);
  }
}

namespace {
bool pickable(int k) {
  const FightMan& u = gmFightMan[k];
  if (target_switch == 1) {
    if (u.IsDead()) return false;
    if (k == ActMan && chosen_action.target_side == 1) return false;
    return !((chosen_action.action_flags & flag_needs_talisman) && is_called_monster(u));
  }
  return target_on_allies || !u.IsDead();
}

int unit_pick_test(int unit, int x, int y, float* depth) { return gmFightMan[unit].PickTest(x, y, depth); }
}  // namespace

int pick_target_at(int x, int y, UnitHitTest hit) {
  float best = pick_depth_limit;
  int found = -1;
  auto test = [&](int k) {
    float depth = 0;
    if (!pickable(k) || !hit(k, x, y, &depth) || depth > best) return;
    best = depth;  // not greater: a later unit wins a tie
    found = k;
  };
  const bool allies = target_switch == 1 || target_on_allies;
  const bool enemies = target_switch == 1 || !target_on_allies;
  if (allies)
    for (int k = 0; k < party_end(); ++k) test(k);
  if (enemies)
    for (int k = fight_first_enemy; k < enemy_end(); ++k) test(k);
  return found;
}

void fight_target_mouse() {
  if (grp_input.key_press(key_mouse1)) {
    fight_target_confirm();
    if (fight_menu_state != menu_target) return;
  }
  if (target_all == 1 || chosen_action.target_mode == 2) return;
  if (const int dz = grp_input.get_mouse_dz()) {
    target_step(dz < 0 ? -1 : 1);
    return;
  }
  const int before = fight_main_target;
  if (const int picked = pick_target_at(mouse_x, mouse_y, unit_pick_test); picked >= 0) {
    fight_main_target = picked;
    gmFightMan[picked].GetScreenPos(&target_screen_pos[0], &target_screen_pos[1]);
  }
  FightMan* t = main_target();
  if (!t) return;
  if (fight_main_target != before) play_sfx(sfx_cursor, 1);
  t->GetPos4(&target_point);
  if (FightMan* a = menu_actor()) a->TurnToward(target_point.x, target_point.y, target_point.z);
}

void run_second_action() {
  if (double_stage == 0) return;
  ActMan = double_unit;
  double_stage = 0;
  double_unit = -1;
  if (fight_enemies_out >= fight_enemy_count) return;
  restore_selection(double_second);
  FightMan* a = menu_actor();
  if (!a) return;
  if (!target_on_allies) {
    // Only the saved enemy targets that still stand.
    int n = 0;
    for (int i = 0; i < double_second.target_count; ++i)
      if (double_second.targets[i] && !double_second.targets[i]->IsDead()) fight_action.targets[n++] = double_second.targets[i];
    fight_action.target_count = n;
    if (n == 0) {
      ActMan = -1;
      return;
    }
  }
  a->SetAction(chosen_action);
  if (!a->CanPayCost(&chosen_action)) {
    ActMan = -1;
    play_sfx(sfx_refuse, 1);
    return;
  }
  if (!check_talisman()) {
    ActMan = -1;
    return;
  }
  a->SetCommand(chosen_command);
  a->PayCost();
  a->SetTarget(fight_main_target);
  target_highlight();
  if (fight_main_target == ActMan) a->SetFacing(0, 180, 0);
  start_action_script(a);
}

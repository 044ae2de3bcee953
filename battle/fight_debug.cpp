// The battle's developer keys and the debug ATK call.
#include "battle/fight_debug.h"

#include "battle/atk_script.h"
#include "battle/battlefield.h"
#include "battle/fame.h"
#include "battle/fight_action.h"
#include "battle/fight_debug_atk.h"
#include "battle/fight_globals.h"
#include "battle/fight_hud.h"
#include "battle/fight_man.h"
#include "battle/fight_menu.h"
#include "battle/monster_panel.h"
#include "core/flags.h"
#include "core/game_flags.h"
#include "core/grp_input.h"
#include "data/object_db.h"
#include "g3d/act_animation.h"
#include "g3d/model_cache.h"
#include "g3d/renderer.h"
#include "ui/talk_msg.h"

int& fight_invincible = fight_hp_changes_suspended;
int fight_no_flee = 0;
int fight_enemy_lock = 0;
int fight_party_lock = 0;

namespace {
constexpr char invincible_on[] = "\xB6}\xB1\xD2\xB5L\xBC\xC4!!%Q";              // 開啟無敵!!%Q
constexpr char invincible_off[] = "\xC3\xF6\xB3\xAC\xB5L\xBC\xC4!!%Q";         // 關閉無敵!!%Q
constexpr char enemy_lock_on[] = "\xB6}\xB1\xD2\xC2\xEA\xA9w\xBC\xC4\xA4H!!%Q";   // 開啟鎖定敵人!!%Q
constexpr char enemy_lock_off[] = "\xC3\xF6\xB3\xAC\xC2\xEA\xA9w\xBC\xC4\xA4H!!%Q";  // 關閉鎖定敵人!!%Q
constexpr char party_lock_on[] = "\xB6}\xB1\xD2\xC2\xEA\xA9w\xA7\xDA\xA4\xE8!!%Q";   // 開啟鎖定我方!!%Q
constexpr char party_lock_off[] = "\xC3\xF6\xB3\xAC\xC2\xEA\xA9w\xA7\xDA\xA4\xE8!!%Q";  // 關閉鎖定我方!!%Q
constexpr char no_flee_on[] = "\xA4\xA3\xAF\xE0\xB0k\xB6]!!%Q";  // 不能逃跑!!%Q
constexpr char no_flee_off[] = "\xA5i\xA5H\xB0k\xB6]!!%Q";       // 可以逃跑!!%Q
constexpr int key_box_ms = 200;
constexpr int last_field_index = 999;

void toggle(int& value, const char* on, const char* off) {
  value = !value;
  add_txt_msg(224, 176, 192, 64, key_box_ms, 100, value ? on : off, 2);
}

bool ctrl_held() { return grp_input.key_down(key_lctrl) || grp_input.key_down(key_rctrl); }

int party_count() { return fight_ally_count < fight_first_enemy ? fight_ally_count : fight_first_enemy; }
int enemy_end() {
  const int end = fight_first_enemy + fight_enemy_count;
  return end < fight_unit_slots ? end : fight_unit_slots;
}

// The battlefield world of record index, only the world model: the record, fog and units stay.
void rebuild_world(std::uint16_t index) {
  BattlefieldRecord scratch{};
  load_field(&scratch, index);
  renderer.flush_textures();
  fight_field_world = nullptr;
  fight_ground_world = nullptr;
  fight_field_anim = ActInstance{};
  fight_field_anim.act = scratch.world_act;
  fight_field_anim.qq = scratch.world_qq;
  Take_3dActData(&fight_field_anim);
  fight_field_world = MapMemory(fight_field_anim.resource);
  fight_ground_world = fight_field_world;
}

void heal_party() {
  const int was = fight_invincible;
  fight_invincible = 0;  // the heal goes through even for an invincible party
  for (int k = 0; k < party_count(); ++k) {
    FightMan& u = gmFightMan[k];
    if (u.IsDead()) continue;
    u.ChangeHp(-9999, 9999, 9999);
    u.GainRage(1, 100, -1);
  }
  fight_invincible = was;
}

void wound_party() {
  for (int k = 0; k < party_count(); ++k) {
    FightMan& u = gmFightMan[k];
    if (u.IsDead() || u.IsWithdrawn()) continue;
    if (u.ChangeHp(50, 0, 0)) fight_unit_fell(&u);
  }
  fight_flags |= fight_turn_ended;
}

void defeat_enemies() {
  for (int k = fight_first_enemy; k < enemy_end(); ++k) {
    FightMan& u = gmFightMan[k];
    if (u.IsDead()) continue;
    u.hit_state = 1;
    u.ChangeHp(99999, 0, 0);
    fight_unit_fell(&u);
    ItemData rec{};
    u.GetMonsterRecord(&rec);
    treasure_event(6, 1, rec.level);
  }
  fight_flags |= fight_turn_ended;
  battle_over = 1;
}

void speed_up_party() {
  for (int k = 0; k < party_count(); ++k) {
    FightMan& u = gmFightMan[k];
    if (u.IsDead()) continue;
    u.SetSpeed(50);
    if (u.role && u.role->object_id) u.role->stats[stat_attack] = 999;
  }
}

void ctrl_keys() {
  if (grp_input.key_repeat_fast('1') && fight_field_index > 0) rebuild_world(--fight_field_index);
  if (grp_input.key_repeat_fast('2') && fight_field_index < last_field_index) rebuild_world(++fight_field_index);
  if (grp_input.key_repeat_fast('3')) talisman_gain(2, 1, 5, 320, 240);
  if (grp_input.key_repeat_fast('4')) talisman_gain(2, 2, 3, 320, 240);
  if (grp_input.key_press('c')) heal_party();
  if (grp_input.key_press('d')) wound_party();
  if (grp_input.key_press('x')) toggle(fight_invincible, invincible_on, invincible_off);
  if (grp_input.key_press('w')) defeat_enemies();
  if (grp_input.key_press('z')) speed_up_party();
  if (grp_input.key_press('v')) toggle(fight_enemy_lock, enemy_lock_on, enemy_lock_off);
  if (grp_input.key_press('t')) toggle(fight_party_lock, party_lock_on, party_lock_off);
  if (grp_input.key_press('r')) fight_debug_atk(debug_atk_enemy, debug_atk_script);
  if (grp_input.key_press('f')) toggle(fight_no_flee, no_flee_on, no_flee_off);
  if (grp_input.key_down('q') && test_flag(flag_battle)) fight_end();
}
}  // namespace

int fight_side_locked(int unit) {
  return unit >= fight_first_enemy ? fight_enemy_lock : fight_party_lock;
}

void fight_debug_input() {
  if (!test_flag(flag_developer_keys)) {
    fight_cmd_input();
    return;
  }
  if (test_flag(flag_console_open)) return;
  if (grp_input.key_press(key_f1)) {
    free_fight_atk_data();
    open_fight_atk_data();
  }
  if (grp_input.key_press(key_f1 + 1)) fight_edit_toggle();
  if (grp_input.key_press(key_f1 + 3)) test_flag(flag_collision_view) ? clear_flag(flag_collision_view) : set_flag(flag_collision_view);
  if (test_flag(flag_edit_mode)) {
    fight_edit_input();
    return;
  }
  if (ctrl_held()) ctrl_keys();
  if (grp_input.key_press(key_f1 + 2)) see_through_result = monster_info_shown = monster_info_shown ? 0 : 1;
  fight_cmd_input();
}

// Action choice and costs: the battle AI's choice among a monster's actions, the cost test and
// payment, the automatic attack, reinforcements and the turn's camera presets.
#include "battle/fight_choice.h"

#include <algorithm>

#include "base/resources.h"
#include "battle/battlefield.h"
#include "battle/fight.h"
#include "battle/fight_action.h"
#include "battle/fight_globals.h"
#include "battle/fight_man.h"
#include "battle/fight_menu.h"
#include "battle/fight_target.h"
#include "core/flags.h"
#include "core/game_flags.h"
#include "core/random_r250.h"
#include "data/object_db.h"
#include "data/party.h"
#include "g3d/effects/spawn_effect.h"
#include "g3d/geometry.h"
#include "g3d/view_zoom.h"
#include "sound/sfx_bank.h"

int auto_target = -1;
Camera fight_cam_saved;

namespace {
constexpr std::uint16_t choice_attack = 1, choice_pass = 2, choice_first_slot = 3, choice_last_slot = 7;
constexpr std::uint16_t command_attack = 1, command_action = 2;
constexpr std::uint8_t flag_skip_stat_change = 0x20, flag_test_statuses = 0x80;
constexpr std::uint16_t kind_resource_art = 304;
constexpr int companion_effect = 1005, companion_sound = 208;

FightCamSetup fight_cam_setup_saved;

// A called monster (a guest that is not the pet) fades in as it acts.
void fade_in_if_called(FightMan& u) {
  if (u.IsGuest() && !u.IsPet()) u.StartFade(0, 20);
}

// What keeps an AI action from being taken on its target: a stat change it already carries,
// a status it already has, or a talisman gauge that cannot pay.
bool action_refused(const ItemData& a, const FightMan* target) {
  if ((a.action_flags & flag_skip_stat_change) && target && target->HasStatChange(target->GetStatChangeBits(&a)))
    return true;
  if (!(a.action_flags & flag_test_statuses)) return false;
  if (a.status_low && target && target->HasStatus(a.status_low)) return true;
  if (a.talisman_element || a.talisman_count) {
    if (!talisman_gauge_element && !talisman_gauge_count) return true;
    if (talisman_gauge_element != a.talisman_element || talisman_gauge_count < a.talisman_count) return true;
  }
  return false;
}

void pay(std::int32_t& have, int cost) {
  if (cost) have = std::max(0, have - cost);
}
void pay16(std::int16_t& have, int cost) {
  if (cost) have = std::int16_t(std::max(0, have - cost));
}

bool standing_enemy(int slot) { return slot >= fight_first_enemy && slot < fight_unit_slots && !gmFightMan[slot].IsDead(); }

G3dBox unit_box(const FightMan& u) {
  const G3dBox& b = u.body.box;
  return G3dBox{{b.min.x + u.pos.x, b.min.y + u.pos.y, b.min.z + u.pos.z, 0},
                {b.max.x + u.pos.x, b.max.y + u.pos.y, b.max.z + u.pos.z, 0}};
}

int first_free_spot() {
  for (int i = 0; i < companion_spot_count; ++i)
    if (companion_spot_free(i)) return i;
  return -1;
}

int first_dead_enemy() {
  for (int k = fight_first_enemy; k < fight_first_enemy + fight_enemy_count && k < fight_unit_slots; ++k)
    if (gmFightMan[k].IsDead()) return k;
  return -1;
}

void set_camera_speeds(Camera& c, float angle_speed, float dist_speed, float angle_divisor, float dist_divisor) {
  c.set_mode(camera_mode_orbit);
  c.set_point_interp(1), c.set_angle_interp(1), c.set_dist_interp(1);
  c.set_angle_speed(angle_speed), c.set_dist_speed(dist_speed);
  c.set_angle_divisor(angle_divisor), c.set_dist_divisor(dist_divisor);
}

void aim_camera(Camera& c, const FightCamSetup& s) {
  c.set_point(s.point[0], s.point[1], s.point[2]);
  c.set_angles(s.angles[0], s.angles[1], s.angles[2]);
  c.set_distance(s.distance[0]);
  c.set_look_distance(s.distance[1]);
}
}  // namespace

int FightMan::AiChooseAction(std::uint16_t choice, FightMan* target_unit, ItemData* out) {
  if (choice == choice_attack) {
    fade_in_if_called(*this);
    SetCommand(command_attack);
    // The AI lists the attack's targets from the record the command loaded.
    if (out) *out = action;
    if (target_unit) target = int(target_unit - gmFightMan);
    return 1;
  }
  if (choice == choice_pass) {
    EndTurn();
    return 1;
  }
  if (choice < choice_first_slot || choice > choice_last_slot || HasStatus(status_confusion)) return 0;
  const int slot = choice - choice_first_slot;
  if (monster.ai_uses[slot] == 0 || monster.ai_actions[slot] == 0) return 0;
  fade_in_if_called(*this);
  if (!read_Item(monster.ai_actions[slot], &action) || action_refused(action, target_unit)) return 0;
  if (out) *out = action;
  atk = action.atk_script;
  --monster.ai_uses[slot];
  if (target_unit) target = int(target_unit - gmFightMan);
  SetCommand(command_action);
  return 1;
}

int FightMan::CanPayCost(const ItemData* a) const {
  if (!a || !role) return 1;
  if (role->hp < a->hp_cost || role->mp < a->mp_cost || role->sp < a->sp_cost || role->rage < a->rage_cost)
    return 0;
  if (a->kind != kind_resource_art) return 1;
  return party_metal >= a->cost_metal && party_wood >= a->cost_wood && party_coal >= a->cost_coal &&
         party_money >= a->cost_money;
}

void FightMan::PayCost() {
  if (!role) return;
  pay(role->hp, action.hp_cost);
  pay16(role->mp, action.mp_cost);
  pay16(role->sp, action.sp_cost);
  pay(role->rage, action.rage_cost);
  if (action.kind != kind_resource_art) return;
  pay(party_metal, action.cost_metal);
  pay(party_wood, action.cost_wood);
  pay(party_coal, action.cost_coal);
  pay(party_money, action.cost_money);
}

int fight_auto_targets(int auto_battle_on) {
  if (ActMan < 0 || ActMan >= fight_unit_slots) return 0;
  FightMan& u = gmFightMan[ActMan];
  const bool mad = u.HasStatus(status_madness) != 0;
  if (!auto_battle_on && !mad) return 0;
  if (mad || (auto_target >= 0 && !standing_enemy(auto_target))) auto_target = -1;
  u.GetWeaponRecord(&chosen_action);
  fight_action.target_count = 0;
  if (chosen_action.target_mode == 1) {
    for (int k = fight_first_enemy; k < fight_unit_slots; ++k)
      if (standing_enemy(k) && k < fight_first_enemy + fight_enemy_count)
        fight_action.targets[fight_action.target_count++] = &gmFightMan[k];
    return 1;
  }
  if (auto_target < 0) {
    // One pass from a random enemy: the first standing one from there on.
    const int n = std::max<int>(fight_enemy_count, 1);
    const int from = int(rand_below(unsigned(n)));
    for (int i = 0; i < n && auto_target < 0; ++i) {
      const int slot = fight_first_enemy + (from + i) % n;
      if (standing_enemy(slot)) auto_target = slot;
    }
    if (auto_target < 0) return 0;
  }
  fight_main_target = auto_target;
  fight_action.targets[0] = &gmFightMan[auto_target];
  fight_action.target_count = 1;
  return 1;
}

int fight_auto_turn() {
  if (!fight_auto_targets(fight_auto)) return 0;
  // The choice goes through the target step as the player's would, so that its costs, strike
  // roll and ATK start are the same.
  target_all = chosen_action.target_mode == 1;
  target_on_allies = target_switch = 0;
  if (!target_all) SelMan = auto_target - fight_first_enemy;
  fight_menu_state = menu_target;
  menu_command = wheel_command(0);
  fight_target_confirm();
  return 1;
}

void companion_spot(int i, float* x, float* z) {
  *x = float(-200 + 100 * (i % 5));
  *z = i < 5 ? 0.0f : 250.0f;
}

int companion_spot_free(int i) {
  float x = 0, z = 0;
  companion_spot(i, &x, &z);
  if (!fight_ground_exists(x, 80, z)) return 0;
  const G3dBox spot{{x - 40, 80, z - 40, 0}, {x + 40, 180, z + 40, 0}};
  for (int k = fight_first_enemy; k < fight_unit_slots; ++k) {
    const FightMan& e = gmFightMan[k];
    if (e.IsEnemy() && !e.IsDead() && g3d_box_overlap(spot, unit_box(e))) return 0;
  }
  return 1;
}

int fight_can_call_companion() {
  if (first_free_spot() < 0) return 0;
  return first_dead_enemy() >= 0 || fight_enemy_count + fight_first_enemy <= 15 ? 1 : 0;
}

int fight_call_companion(std::uint16_t monster) {
  const int spot = first_free_spot();
  if (spot < 0) return 0;
  int slot = first_dead_enemy();
  if (slot >= 0) {
    fight_enemies_out = std::int16_t(std::max(0, fight_enemies_out - 1));
  } else {
    slot = fight_enemy_count + fight_first_enemy;
    if (slot >= fight_unit_slots) return 0;
    if (fight_unit_count < fight_unit_slots) fight_unit_list[fight_unit_count++] = std::uint16_t(slot);
    ++fight_enemy_count;
  }
  float x = 0, z = 0;
  companion_spot(spot, &x, &z);
  FightMan& u = gmFightMan[slot];
  u.Reset();
  u.SetSide(side_enemy);
  u.SetupMonster(monster);
  u.SetPosition(x, 80, z);
  u.SetFacing(0, 0, 0);
  u.SetCompanion();
  u.UpdateAnim();
  spawn_effect(&fight_unit_effects, companion_effect, x, 80, z);
  play_sfx(companion_sound, 1);
  return 1;
}

void fight_camera_actor() {
  if (test_flag(flag_battle_camera_held) || ActMan < 0 || ActMan >= fight_unit_slots) return;
  fight_cam_saved = fight_camera;
  fight_cam_setup_saved = fight_cam_setup;
  FightCamSetup& s = fight_cam_setup;
  float angles[2] = {10, 205}, distance = 380;
  G3dVector offset{65, 70, -32, 0};
  if (fight_flags & fight_solo_scene) angles[0] = 6, angles[1] = 201, distance = 788;
  // The close view is tested after the machine, so its angles and distance win.
  if (fight_flags & fight_view_two) {
    angles[0] = 6, angles[1] = 201, distance = 288;
    view_scale = 30.0f;
    offset = G3dVector{25, 16, -22, 0};
  }
  // For the point the machine wins.
  if (fight_flags & fight_solo_scene) offset = G3dVector{118, 120, -22, 0};
  const G3dVector p = gmFightMan[ActMan].pos;
  s.point[0] = p.x + offset.x, s.point[1] = p.y + offset.y, s.point[2] = p.z + offset.z;
  s.angles[0] = angles[0], s.angles[1] = angles[1];
  s.distance[0] = s.distance[1] = distance;
  set_camera_speeds(fight_camera, 10.0f, 50.0f, 20.0f, 20.0f);
  aim_camera(fight_camera, s);
}

void fight_camera_overview() {
  if (test_flag(flag_battle_camera_held)) return;
  view_scale = 10.0f;
  fight_cam_setup = fight_cam_setup_saved;
  fight_camera = fight_cam_saved;
  set_camera_speeds(fight_camera, 5000.0f, 200.0f, 5.0f, 20.0f);
  aim_camera(fight_camera, fight_cam_setup);
}

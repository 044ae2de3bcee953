// The battle controller: entering a battle, its frame, the result and the way back.
#include "battle/fight.h"

#include <algorithm>
#include <cstdio>

#include "battle/atk_script.h"
#include "battle/fight_action.h"
#include "battle/fight_globals.h"
#include "battle/fight_hud.h"
#include "battle/fight_man.h"
#include "battle/fight_debug.h"
#include "battle/fight_guardians.h"
#include "battle/fight_menu.h"
#include "battle/fight_target.h"
#include "battle/fight_talk.h"
#include "battle/fight_numbers.h"
#include "battle/monster_panel.h"
#include "core/flags.h"
#include "core/frame_timer.h"
#include "core/game_flags.h"
#include "core/game_mode.h"
#include "core/log.h"
#include "core/random_r250.h"
#include "data/battle_fields.h"
#include "data/item_list.h"
#include "data/party.h"
#include "field/map_change.h"
#include "field/map_file.h"
#include "g3d/act_archive.h"
#include "g3d/act_draw.h"
#include "g3d/effects/afterimages.h"
#include "g3d/effects/effect_manager.h"
#include "g3d/effects/scripted_effects.h"
#include "g3d/effects/trail_manager.h"
#include "g3d/model_cache.h"
#include "g3d/renderer.h"
#include "g3d/screen_tile_fade.h"
#include "g3d/view_zoom.h"
#include "gfx2d/memoryer.h"
#include "script/fight_ai.h"
#include "sound/sfx_bank.h"
#include "ui/console_hook.h"
#include "ui/cursor.h"
#include "ui/screen_fade.h"
#include "ui/talk_msg.h"
#include "ui/title/title_screen.h"

int fight_from_talk = 0;
BattlefieldRecord fight_field_record;
std::uint16_t fight_field_index = 0, fight_field_act = 0, fight_field_qq = 0;
ActInstance fight_field_anim, fight_field_deco;
G3dWld* fight_field_world = nullptr;
Camera fight_camera;
FightCamSetup fight_cam_setup;

namespace {
constexpr char no_world_text[] =
    "BattleField\xAA\xBA\xB8\xEA\xAE\xC6\xB3]\xA9w\xA6\xB3\xB0\xDD\xC3""D,\xBD\xD0\xC0\xCB\xAC""d!!";
constexpr char number_refused[] = "SFLB_Call_Fight: battle %u refused (1..1000, none running)";
constexpr char next_refused[] = "fight_next_battle: battle %u refused (1..1000, in a battle)";
constexpr std::uint8_t every_tag = 255;
constexpr char battles_left_text[] = "\xC1\xD9\xA6\xB3%d\xB3\xF5\xBE\xD4\xB0\xAB!!%%Q";
constexpr char no_battles_text[] = "\xA8S\xA6\xB3\xBE\xD4\xB0\xAB\xA4""F!!%%Q";
constexpr int battle_frame_rate = 35;
constexpr int start_sound = 501, defeat_sound = 504;
constexpr std::uint16_t default_pet = 3;
constexpr int party_units_max = 6;

int cursor_hidden_at_start = 0;
std::uint32_t ambient_at_start = 0xFFFFFFFF;
int stats_restored[party_units_max] = {};

// The party's x by the number of party-side units (slot order); 0 keeps the unit's own x.
constexpr float party_x[4][4] = {{0, 0, 0, 0}, {-150, 150, 0, 0}, {-200, 0, 200, 0}, {-250, -100, 50, 200}};

void add_unit_to_list(int slot) {
  if (fight_unit_count < 16) fight_unit_list[fight_unit_count++] = std::uint16_t(slot);
}

void setup_party() {
  for (int i = 0; i < party_member_count; ++i) {
    if (!test_flag(party_member_flags[i])) continue;
    RoleData& r = gmRoleData[i];
    role_rage_turns(r) = 0;
    role_madness_count(r) = 0;
    const int slot = fight_unit_count;
    FightMan& u = gmFightMan[slot];
    u.SetSide(side_party);
    u.SetupMember(std::uint16_t(r.object_id), &r);
    u.SetPosition(0, 80, -400);
    u.SetFacing(0, 180, 0);
    u.SetWeaponAct(r.equip[0]);
    if (i == 0) u.SetFace(10001, 5);
    if (i == 1) u.SetFace(10002, 6);
    fight_party_slot[slot] = i;
    add_unit_to_list(slot);
  }
  for (int k = 0; k < fight_unit_count; ++k) fight_fallen_count = std::int16_t(fight_fallen_count + gmFightMan[k].IsDead());
  if (test_flag(flag_pet) && fight_unit_count < party_units_max) {
    const int slot = fight_unit_count;
    FightMan& u = gmFightMan[slot];
    u.SetSide(side_party);
    u.SetGuest(1);
    u.SetupMonster(pet_monster ? pet_monster : default_pet);
    u.SetupPet();
    u.SetPosition(100, 80, -400);
    u.SetFacing(0, 180, 0);
    u.SetFace(10003, 5);
    add_unit_to_list(slot);
    fight_pet_unit = std::uint16_t(slot);
    ++fight_guest_count;
  }
  const int n = fight_unit_count;
  if (n >= 2 && n <= 4)
    for (int k = 0; k < n; ++k) gmFightMan[k].SetPosition(party_x[n - 1][k], 80, -400);
  fight_ally_count = std::int16_t(n);
}

void setup_enemies(int head_start) {
  for (int i = 0; i < fight_field_record.enemy_count; ++i) {
    const int slot = fight_first_enemy + i;
    FightMan& u = gmFightMan[slot];
    add_unit_to_list(slot);
    u.SetSide(side_enemy);
    u.SetupMonster(fight_field_record.enemy[i]);
    G3dVector p{fight_field_record.spot[i][0], fight_field_record.spot[i][1], fight_field_record.spot[i][2],
                fight_field_record.spot[i][3]};
    u.SetPositionV(&p);
    u.SetFacing(0, fight_field_record.yaw[i], 0);
    const unsigned ticks = rand_below(unsigned(head_start));
    for (unsigned t = 0; t < ticks; ++t) u.TickAtb();
  }
  fight_enemy_count = std::int16_t(fight_field_record.enemy_count);
}

void party_magic_arts(int add) {
  RoleData& r = gmRoleData[1];
  for (int i = 0; i < party_magic_slots; ++i) {
    const std::uint16_t object = party_magic[i].item.object_id;
    if (!object) continue;
    if (add) add_item(&r.arts, object, 1, 2);
    else del_item(&r.arts, object, 1);
  }
  sort_item_list(&r.arts);
}

void start_camera() {
  FightCamSetup& s = fight_cam_setup;
  s = FightCamSetup{};
  s.point[0] = 15, s.point[1] = 40, s.point[2] = -240;
  s.angles[0] = 16, s.angles[1] = 359;
  s.distance[0] = s.distance[1] = 1600;
  Camera& c = fight_camera;
  c.set_mode(1);
  c.set_point_interp(1), c.set_angle_interp(1), c.set_dist_interp(1);
  c.set_point(s.point[0], s.point[1], s.point[2]);
  c.set_angles(s.angles[0], s.angles[1], s.angles[2]);
  c.set_look_distance(s.distance[1]);
  c.set_distance(s.distance[0]);
  c.update();
  c.apply_view();
  c.set_point_interp(1), c.set_angle_interp(2), c.set_dist_interp(3);
  c.set_point_speed(10), c.set_angle_speed(500), c.set_dist_speed(25);
  c.set_point_divisor(4), c.set_angle_divisor(3), c.set_dist_divisor(4);
}

void restore_party_stats() {
  for (int k = 0; k < fight_ally_count && k < party_units_max; ++k) {
    FightMan& u = gmFightMan[k];
    if (u.IsGuest() || u.IsPet() || !u.GetRole() || u.stats_restored) continue;
    u.RestoreStats();
  }
}

// Battle n's record, fog and world numbers.
void load_battlefield(std::uint16_t n) {
  fight_talk_number = n;
  fight_field_record = BattlefieldRecord{};
  load_field(&fight_field_record, std::uint16_t(n - 1));
  fight_field_index = std::uint16_t(n - 1);
  set_chart_map(&fight_field_record.fog);
  fight_field_act = fight_field_record.world_act;
  fight_field_qq = fight_field_record.world_qq;
}

void chained_battle_message() {
  if (!test_flag(flag_battle_sequence) || battle_sequence_left == 0) return;
  --battle_sequence_left;
  char text[64];
  if (battle_sequence_left) std::snprintf(text, sizeof text, battles_left_text, int(battle_sequence_left));
  else std::snprintf(text, sizeof text, no_battles_text);
  add_time_msg(320, 180, 0, 300, text, 2);
}
}  // namespace

void load_field_world(std::uint16_t act, std::uint16_t qq) {
  fight_field_anim = ActInstance{};
  fight_field_deco = ActInstance{};
  fight_field_anim.act = act;
  fight_field_anim.qq = qq;
  Take_3dActData(&fight_field_anim);
  fight_field_world = MapMemory(fight_field_anim.resource);
  fight_ground_world = fight_field_world;
}

int SFLB_Call_Fight(std::uint16_t n) {
  // Refused before anything is torn down: no record 0 or past the file, and no second entry
  // into a running battle (its party magic would be lent twice).
  if (n < 1 || n > battlefield_record_count || test_flag(flag_battle)) {
    report_error(number_refused, unsigned(n));
    return 0;
  }
  unload_map();
  start_screen_tile_fade();
  set_screen_tile_fade_step(10);
  play_sfx(start_sound, 1);
  if (!test_flag(flag_speed_up)) set_frame_rate(battle_frame_rate);
  set_flag(flag_battle);
  cursor_hidden_at_start = test_flag(flag_cursor_hidden);
  clear_flag(flag_cursor_hidden);
  GameMode = mode_battle;
  ambient_at_start = map_record.tint;
  map_record.tint = 0xFFFFFFFF;
  scene_light.step = 0;
  ActMan = turn_unit = -1;
  fight_last_hit_missed = 0;
  view_scale = 10.0f;
  reset_fight_ai();
  set_hud_visible(1);
  fight_clear_block();
  fight_victory_wait = fight_victory_frames;
  fight_menu_reset();
  fight_unit_count = 0;
  for (int& r : stats_restored) r = 0;
  for (FightMan& u : gmFightMan) u.Reset();
  load_battlefield(n);
  if (fight_field_act == 0) {
    report_error("%s", no_world_text);
    fight_end();
    return 0;
  }
  load_field_world(fight_field_act, fight_field_qq);
  setup_party();
  setup_enemies(10);
  party_magic_arts(1);
  start_camera();
  fight_talk_start(n);
  start_fade(255, 0, 0, 0, 0, 255);
  return 1;
}

namespace {
// What the next battle of a fight-talk script leaves behind of the last: the enemies, the AI's
// decision, the effects, trails and special effects, and the battlefield with the caches.
void clear_for_next_battle() {
  for (int i = 0; i < fight_unit_count; ++i) {
    FightMan& u = gmFightMan[fight_unit_list[i] % fight_unit_slots];
    if (u.IsEnemy()) u.Reset();
  }
  reset_fight_ai();
  renderer.flush_textures();
  fight_unit_effects.clear();
  fight_effects.clear();
  trail_manager.free_all();
  fight_field_world = nullptr;
  fight_ground_world = nullptr;
  FreeMapMemory();
  Act_Memoryer_Free(every_tag);
  FreePolyMemory(every_tag);
  Memoryer_Free(every_tag);
  clear_special_effect_list(1);
}
}  // namespace

int fight_next_battle(std::uint16_t n) {
  // Refused like a battle's entry: no record 0 or past the file, and only inside a battle.
  if (n < 1 || n > battlefield_record_count || !test_flag(flag_battle)) {
    report_error(next_refused, unsigned(n));
    return 0;
  }
  clear_for_next_battle();
  load_battlefield(n);
  load_field_world(fight_field_act, fight_field_qq);
  for (int i = 0; i < fight_unit_count; ++i) gmFightMan[fight_unit_list[i] % fight_unit_slots].SnapToGround();
  // The old enemies leave the list; a guardian called in after them keeps its place.
  const auto end = fight_unit_list + std::clamp(fight_unit_count, 0, fight_unit_slots);
  fight_unit_count = int(std::remove_if(fight_unit_list, end, [](std::uint16_t k) { return k >= fight_first_enemy; }) -
                         fight_unit_list);
  setup_enemies(20);
  fight_enemies_out = 0;
  fight_talk_start(n);
  return 1;
}

void fight_end() {
  fight_debug_end();
  fight_guardians_write_back();
  party_magic_arts(0);
  restore_party_stats();
  view_scale = 10.0f;
  free_fight_atk_slots();
  stop_all_sfx();
  if (cursor_hidden_at_start) set_flag(flag_cursor_hidden);
  clear_flag(flag_battle);
  clear_flag(flag_edit_mode);
  for (FightMan& u : gmFightMan) u.Reset();
  ActMan = turn_unit = -1;
  fight_unit_count = 0;
  reset_fight_ai();
  scene_light.step = 0;
  map_record.tint = ambient_at_start;
  start_fade(255, 0, 0, 0, 0, 10);
  fight_unit_effects.clear();
  fight_effects.clear();
  afterimage_list.clear();
  clear_special_effect_list(1);
  fight_field_world = nullptr;
  fight_ground_world = nullptr;
  set_chart_map(nullptr);
  GameMode = mode_field;
  const bool defeat = (fight_flags & fight_defeat) != 0;
  if (defeat && !(fight_flags & fight_may_lose)) {
    // The game is over: the title is entered as at start-up, whose entry resets the game (flags,
    // roles, bag, talks, effects), so that a new game chosen there starts as in a fresh process.
    // Only switching the mode would keep the lost game's state and the title's last screen.
    SFLB_call_game_start(MODE_ENTER, 0, 0);
  } else {
    if (defeat)
      for (int i = 0; i < party_member_count; ++i) {
        gmRoleData[i].hp = 1;
        gmRoleData[i].flags &= ~1;
      }
    reload_map();
  }
  if (!test_flag(flag_speed_up)) set_frame_rate(battle_frame_rate);
  fight_clear_block();
  chained_battle_message();
}

void fight_unit_fell(FightMan* u) {
  if (!u) return;
  if (u->IsEnemy()) {
    ++fight_enemies_out;
    chosen_action = u->monster;
    const int rank5 = item_rank(chosen_action) == 5;
    battle_exp += item_exp_value(chosen_action) * (rank5 ? 3 : 1);
    battle_money += item_money_value(chosen_action) * (rank5 ? 2 : 1);
    battle_metal += item_cost_metal(chosen_action);
    battle_wood += item_cost_wood(chosen_action);
    battle_coal += item_cost_coal(chosen_action);
    return;
  }
  if (u->IsGuest() && !u->IsPet()) return fight_guardian_fell(*u);
  if (u->IsPet()) return fight_pet_fell();
  ++fight_fallen_count;
}

void fight_animate_field() { Take_3dActData(&fight_field_anim); }

namespace {
// The unit the end camera frames: the last turn's unit, else a standing party member, else
// party unit 0; one bounded pass.
int posing_unit() {
  if (turn_unit >= 0 && turn_unit < fight_unit_slots && !(gmFightMan[turn_unit].IsGuest() && !gmFightMan[turn_unit].IsPet()))
    return turn_unit;
  for (int k = 0; k < fight_ally_count; ++k)
    if (!gmFightMan[k].IsGuest() && !gmFightMan[k].IsDead()) return k;
  return 0;
}

void declare_victory() {
  fight_victory_wait = fight_victory_frames;
  const int u = posing_unit();
  gmFightMan[u].SetFacing(0, 180, 0);
  fight_flags |= fight_victory | fight_decided;
  fight_menu_state = 100;
  battle_over = 1;
  fight_end_view = int(rand_below(fight_ally_count < 2 ? 2 : 3));
  if (fight_flags & (fight_solo_scene | fight_view_two)) fight_end_view = 2;
  fight_snap_victory_camera(u);
  for (int k = 0; k < fight_ally_count; ++k) {
    FightMan& m = gmFightMan[k];
    if (m.IsDead() || (m.IsGuest() && !m.IsPet())) continue;
    m.SetPose((fight_flags & fight_victory_pose_22) ? 22 : 34);
    m.ClearWeaponEmitters();
  }
}

bool auto_revive_pending() {
  if (fight_flags & fight_solo_scene) return false;
  for (int k = 0; k < fight_ally_count; ++k)
    if (!gmFightMan[k].IsSoloHero() && (gmFightMan[k].GetTreasureBits() & 4)) return true;
  return false;
}
}  // namespace

void fight_check_result() {
  if (!(fight_flags & fight_turn_ended) || fight_talk_hold) return;
  if (fight_flags & fight_decided) {
    fight_end_camera_step();
    return;
  }
  if (fight_enemies_out >= fight_enemy_count) {
    fight_auto = 0;
    if (!(fight_flags & fight_victory_allowed)) {
      fight_turns_left = 0;
    } else if (--fight_victory_wait <= 0) {
      declare_victory();
    }
  }
  if (fight_fallen_count >= fight_ally_count - fight_guest_count) {
    if (auto_revive_pending()) return;
    fight_auto = 0;
    play_sfx(defeat_sound, 1);
    fight_flags |= fight_defeat | fight_decided;
    fight_menu_state = 200;
    battle_over = 1;
    // Framed: the unit whose turn came last, or party unit 0 before the first turn.
    fight_snap_defeat_camera(turn_unit >= 0 && turn_unit < fight_unit_slots ? turn_unit : 0);
  }
}

void fight_close_turn() {
  fight_cam_follow = 0;
  fight_command_outcome = 0;
  fight_main_target = -1;
  ActMan = -1;
  if (fight_turns_left != -1) --fight_turns_left;
  fight_flags |= fight_turn_ended;
}

// The developer keys' battle step runs the command menu's input unless a tool holds the keys.
void fight_input() { fight_debug_input(); }

namespace {
void end_of_action() {
  if (ActMan < 0 || ActMan >= fight_unit_slots || !gmFightMan[ActMan].IsTurnDone()) return;
  FightMan& u = gmFightMan[ActMan];
  u.SetTurnDone(0);
  fade_called_monsters(-1);
  if (fight_main_target >= 0 && fight_main_target < fight_unit_slots && !gmFightMan[fight_main_target].IsDead()) {
    FightMan& t = gmFightMan[fight_main_target];
    t.SetFacing(0, t.IsAlly() ? 180.0f : 0.0f, 0);
  }
  fight_close_turn();
  set_hud_visible(1);
  run_second_action();
}
}  // namespace

void fight_update() {
  if (test_flag(flag_edit_mode)) return;
  fight_talk_step();
  if (test_flag(flag_battle)) {
    fight_check_result();
    fight_animate_field();
    fight_ally_turns();
    fight_enemy_turns();
    end_of_action();
  }
  fight_atk_run();
  fight_apply_pending_hp();
  fight_camera.set_point(fight_cam_setup.point[0], fight_cam_setup.point[1] + fight_shake_offset(),
                         fight_cam_setup.point[2]);
}

namespace {
// The camera moves one frame; its current state goes into the goal block's current fields, which
// the end camera and the ATK camera commands read.
void update_fight_camera() {
  Camera& c = fight_camera;
  FightCamSetup& s = fight_cam_setup;
  c.update();
  c.apply_view();
  c.get_point(nullptr, nullptr, nullptr, &s.current_point[0], &s.current_point[1], &s.current_point[2]);
  c.get_angles(nullptr, nullptr, nullptr, &s.current_angles[0], &s.current_angles[1], &s.current_angles[2]);
  c.get_look_distance(nullptr, &s.current_distance[1]);
  c.get_distance(nullptr, &s.current_distance[0]);
}

void draw_field() {
  const FightCamSetup& s = fight_cam_setup;
  const G3dVector angles{s.current_angles[0], s.current_angles[1], s.current_angles[2], 0};
  const G3dVector point{s.current_point[0], s.current_point[1], s.current_point[2], 0};
  renderer.set_cull_box(&angles, &point);
  G3dMatrix m;
  renderer.identity_matrix(&m);
  if (fight_field_world) renderer.draw_world(&m, fight_field_anim.picture, fight_field_world, map_record.tint, 0);
  // The record's decoration model, when its animation has data.
  if (fight_field_record.deco_act == 0) return;
  fight_field_deco.act = fight_field_record.deco_act;
  fight_field_deco.qq = fight_field_record.deco_qq;
  if (Take_3dActData(&fight_field_deco) == 1 && fight_field_deco.kind == act_kind_model)
    draw_act_model(&fight_field_deco, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0xFFFFFFFF, 0);
}

void draw_units() {
  for (int i = 0; i < fight_unit_count; ++i) gmFightMan[fight_unit_list[i] % fight_unit_slots].Draw();
  for (int i = 0; i < fight_unit_count; ++i) {
    FightMan& u = gmFightMan[fight_unit_list[i] % fight_unit_slots];
    u.DrawGhost();
    u.UpdateHitNumbers();
  }
}

void draw_scene() {
  renderer.draw_rect(0, 0, 640, 480, 0, 0x8000000);
  renderer.set_viewport(0, 0, 640, 480, view_scale, 200.0f, 15000.0f);
  if (!test_flag(flag_battle)) return;
  draw_field();
  draw_units();
  g3d_enable_fog(0);
  afterimage_list.draw();
  play_special_effect_back();
  trail_manager.draw_all();
  if (test_flag(flag_edit_mode)) return;
  if (!fight_talk_hold) fight_hud_draw(100, 374);
  fight_cmd_draw(180, 150);
}
}  // namespace

void fight_draw() {
  update_fight_camera();
  // A hidden scene ends the frame here, unpresented.
  if (test_flag(flag_scene_hidden)) return;
  draw_scene();
  fight_result_update();
  draw_fade();
  fight_debug_overlay();
  if (monster_info_shown == 1) draw_target_monster_panel();
  show_talkmsg();
  if (fight_menu_state != 0) draw_mouse_cursor();
  play_special_effect_front();
  fight_unit_effects.update(frame_elapsed_ms);
  fight_unit_effects.draw();
  fight_effects.update(frame_elapsed_ms);
  fight_effects.draw();
  g3d_enable_fog(1);
  fade_scene_light();
  run_console_frame();
  draw_screen_tile_fade();
  renderer.present();
}

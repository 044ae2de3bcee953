// The new-game reset and the party set-up.
#include "ui/title/new_game.h"

#include <cstring>

#include "base/escort.h"
#include "base/houses.h"
#include "base/resources.h"
#include "battle/fame.h"
#include "core/flags.h"
#include "core/frame_timer.h"
#include "core/game_flags.h"
#include "core/game_ini.h"
#include "core/game_mode.h"
#include "core/key_mapping.h"
#include "data/item_list.h"
#include "data/level_tables.h"
#include "data/magic_study.h"
#include "data/map_role.h"
#include "data/maps_db.h"
#include "data/object_db.h"
#include "data/party.h"
#include "data/party_stats.h"
#include "field/compass.h"
#include "field/field_camera_state.h"
#include "field/field_controller.h"
#include "field/map_change.h"
#include "field/map_file.h"
#include "field/role_path.h"
#include "field/scene_anim.h"
#include "g3d/effects/effect_random.h"
#include "g3d/renderer.h"
#include "script/talk_queue.h"
#include "script/talk_state_words.h"
#include "ui/cursor.h"
#include "ui/screen_button.h"
#include "ui/screen_fade.h"
#include "ui/talk_msg.h"
#include "ui/talk_text.h"
#include "ui/text_button.h"

namespace {

constexpr std::uint32_t no_override_colour = 0xFFFFFFFF;

// The field camera a fresh game starts with.
constexpr float start_angles[3] = {10, 0, 0};
constexpr float start_distance = 1250;
constexpr float start_point_speed = 10, start_angle_speed = 1, start_dist_speed = 25;
constexpr float start_point_divisor = 4, start_angle_divisor = 3, start_dist_divisor = 4;
constexpr float start_eye_speed = 20;

// Level multiplier steps.
constexpr int multiplier_first_level = 6;
constexpr int multiplier_level_step = 5;
constexpr int multiplier_last_level = 60;
constexpr int multiplier_level_end = 100;
constexpr float multiplier_step = 1.2f;

void clear_game_counters() {
  quit_request = 0;
  frame_due = 0;
  GameMode = mode_field;
  SavedGameMode = mode_field;
  talk_box_state = 0;
  input_wait_frames = 0;
  game_clock = 0;
}

void free_party_lists() {
  free_party_items();
  // The second lists are freed too, so that zeroing the records leaves no list behind.
  for (RoleData& role : gmRoleData) free_item_list(&role.second_list);
}

// The map's buffers are released before the record is zeroed, so that nothing it owned is lost.
void clear_world_records() {
  free_map(&map_record);
  map_record = MapRecord{};
  mouse_x = mouse_y = 0;
  cursor_act = ActInstance{};
  field_camera_state = FieldCameraState{};
  fame_block = FameBlock{};
  for (RoleData& role : gmRoleData) role = RoleData{};
  for (ItemNode& record : party_magic) record = ItemNode{};
  current_study = MagicStudy{};
  for (ItemData& escort : escort_data) escort = ItemData{};
  std::memset(talk_state_words, 0, sizeof talk_state_words);
  std::memset(flag_bytes, 0, sizeof flag_bytes);
  map_entry_pos = MapEntryPos{};
  for (MapRole& role : gmMapRole) role = MapRole{};
  gmMapRoleCount = 0;
}

// The game record's counters: no further ints of it are known that a new game must clear.
void clear_party_counts() {
  gmMagicStudyCount = 0;
  party_money = 0;
  party_wood = 0;
  party_metal = 0;
  party_coal = 0;
  player_role_index = 0;
  play_time = 0;
}

void release_lists_and_map() {
  del_all_role_path();
  del_all_ani();
  del_all_talkmsg();
  clear_talks_proc();
  del_all_button();
  del_all_tbutton();
  free_map_tex();
  free_map(&map_record);
  free_all_houses();
  renderer.flush_textures();
  renderer.set_override_color(no_override_colour);
  // Scripts edit the database's placement and music rows; a new game starts from the file.
  open_maps_data();
}

void reset_field_camera() {
  FieldCameraState& s = field_camera_state;
  s.target_angles[0] = start_angles[0];
  s.look_distance = start_distance;
  s.distance = start_distance;
  s.point_speed = start_point_speed;
  s.angle_speed = start_angle_speed;
  s.dist_speed = start_dist_speed;
  s.point_divisor = start_point_divisor;
  s.angle_divisor = start_angle_divisor;
  s.dist_divisor = start_dist_divisor;
  Camera& c = field_camera;
  c.set_mode(camera_mode_orbit);
  c.set_point_interp(camera_snap);
  c.set_angle_interp(camera_snap);
  c.set_dist_interp(camera_snap);
  c.set_eye_mode(camera_eye_follows);
  c.set_point(0, 0, 0);
  c.set_angles(start_angles[0], start_angles[1], start_angles[2]);
  c.set_look_distance(start_distance);
  c.set_distance(start_distance);
  camera_takes_speeds(c, s);
  c.set_eye_speed(start_eye_speed);
  c.update();
  c.apply_view();
}

void setup_member(int p) {
  RoleData& role = gmRoleData[p];
  free_item_list(&role.arts);
  free_item_list(&role.second_list);
  if (ItemNode* none = new_none_item()) role.arts.next = none;
  ItemData record{};
  const std::uint16_t object = party_member_objects[p];
  read_Item(object, &record);
  for (int i = 0; i < 8; ++i) role.growth[i] = record.growth[i];
  const std::uint16_t level = record.level;
  role.stats[stat_level] = level;
  // Members 0 and 1 keep the names the title gave them.
  if (p == party_setup_members - 1) {
    std::memcpy(role.name, record.NAME, sizeof record.NAME);
    role.name[sizeof role.name - 1] = 0;
  }
  role.next_exp = std::int32_t(get_level_exp(p, level));
  if (level > 1) role.exp = std::int32_t(get_level_exp(p, std::uint16_t(level - 1)));
  role.object_id = object;
  const float m = party_level_multiplier(level);
  role.level_multiplier = m;
  for (int i = 0; i < 8; ++i)
    role.stats[i] = std::uint16_t(int((role.growth[i] * 15.0f * m + float(level * 15)) / 10.0f));
  calc_derived_stats(&role);
}

}  // namespace

float party_level_multiplier(int level) {
  float m = 1.0f;
  for (int k = multiplier_first_level; k < multiplier_level_end; k += multiplier_level_step) {
    if (k > level) break;
    if (k <= multiplier_last_level)
      m = m * multiplier_step;
    else
      k = int(k * 1.1);
  }
  return m;
}

void reset_game() {
  clear_game_counters();
  free_party_lists();
  clear_world_records();
  clear_party_counts();
  release_lists_and_map();
  cursor_act.act = cursor_act_number;
  cursor_act.qq = cursor_qq_normal;
  screen_fade = ScreenFade{};
  clear_flag(flag_developer_keys);
  clear_flag(flag_scene_hidden);
  reset_field_camera();
  reset_field_controller();
  compass_spin = 0.0f;
  // The particles draw from their own numbers: a new game's smoke and sparkles replay as after
  // start-up.
  effect_srand(1);
  // The switches game.ini turned on (the developer keys, music off, sound effects off) outlast
  // the reset: start-up ends with it, so otherwise the player's music and sound switches would
  // never hold.
  reapply_game_ini_flags();
}

void setup_party() {
  for (int p = 0; p < party_setup_members; ++p) setup_member(p);
}

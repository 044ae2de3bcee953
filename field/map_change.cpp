// Map change: enter_map, unload_map, reload_map.
#include "field/map_change.h"

#include <cmath>

#include "battle/fame.h"
#include "core/flags.h"
#include "core/game_flags.h"
#include "core/game_state_words.h"
#include "core/log.h"
#include "core/mem_mgr.h"
#include "core/random_r250.h"
#include "core/user_cfg.h"
#include "data/encounters.h"
#include "data/map_role.h"
#include "data/maps_music.h"
#include "data/music_state.h"
#include "field/field_camera_state.h"
#include "field/field_controller.h"
#include "field/field_draw.h"
#include "field/map_effects.h"
#include "field/map_file.h"
#include "field/minimap.h"
#include "field/role_draw.h"
#include "field/role_move.h"
#include "field/talk_view.h"
#include "field/world_map.h"
#include "g3d/act_archive.h"
#include "g3d/effects/effect_list.h"
#include "g3d/effects/weather_emitters.h"
#include "g3d/model_cache.h"
#include "g3d/renderer.h"
#include "g3d/texture_file_cache.h"
#include "gfx2d/memoryer.h"
#include "sound/music_director.h"
#include "ui/screen_extras.h"

MapEntryPos map_entry_pos;

namespace {

constexpr int loading_pictures = 5;
constexpr std::uint8_t every_tag = 255;
constexpr std::uint32_t player_marker_colour = 0xFFFFFF00;
constexpr int player_marker = 1;
constexpr int minimap_scale = 30;
constexpr int minimap_box[4] = {10, 10, 160, 160};
constexpr float small_roles_scale = -0.4f;
constexpr int music_silence = 4, music_map = 1;
constexpr int music_fade_frames = 15;
constexpr int camera_follow = 1, camera_fixed_eye = 4;

// The maps where the mounts stand in for the party whatever the map's flags say.
constexpr std::uint16_t mount_maps[] = {12114, 13042, 14980};
constexpr std::uint16_t mount_map_both = 14980;

struct OffsetRow {
  std::uint16_t map;
  MinimapOffset offset;
};
constexpr OffsetRow minimap_offsets[] = {{13030, {120, 0}}, {13051, {50, 0}}, {13060, {280, 0}}};

// The ACT the controlled role walked with before it mounted; cleared when it arrives mounted.
std::uint16_t act_before_mount = 0;

// A map without the leader's placement leaves the index where it was, possibly off the table:
// the change then works on a scratch role instead of memory outside it.
MapRole& controlled_role() {
  static MapRole scratch;
  if (player_role_index >= 0 && player_role_index < map_role_capacity) return gmMapRole[player_role_index];
  scratch = MapRole{};
  return scratch;
}

void clear_music_ids() {
  for (int i = 0; i < 4; ++i) music_ids[i] = music_params[i] = 0;
}

// The music of the map's row: step 6 of the map change. A name that cannot be found silences
// the music first when `silence_missing` (the reload after a battle).
void start_map_music(std::uint16_t map, bool silence_missing) {
  log_trace("%s", "read_music_id");
  const int r = read_music_id(map);
  if (r <= 0) {
    music_director.ChangeMode(music_silence, 1, 0);
    clear_music_ids();
    return;
  }
  if (r != 1) return;  // the same music, or a talk holds it: it goes on
  for (int slot = 0; slot < 2; ++slot) {
    char name[64];
    if (read_maps_music(name, sizeof name, music_ids[slot])) {
      play_music(name, music_ids[slot], slot, music_params[slot], music_map);
      continue;
    }
    if (silence_missing) music_director.ChangeMode(music_silence, 1, 0);
    music_ids[slot] = 0;
  }
  switch_music(music_map, music_params[0], music_fade_frames);
}

void end_battle_sequence_if_left(std::uint16_t map) {
  if (!test_flag(flag_battle_sequence) || !ends_battle_sequence(map)) return;
  game_state_words[state_word_battles_left] = 0;
  clear_flag(flag_battle_sequence);
}

void set_up_minimap(std::uint16_t map, float x, float z) {
  minimap.Clear();
  if (map_record.map_flags & map_has_minimap) {
    minimap.SetTracked(player_marker);
    minimap.AddMarker(player_marker, player_marker_colour, x, z, std::fmod(controlled_role().DIR, 360.0f), 5, 0);
    minimap.SetPicture(map_record.map_act, 1);
    minimap.SetScale(minimap_scale);
    const MinimapOffset offset = minimap_picture_offset(map);
    minimap.SetPictureOffset(offset.x, offset.y);
    minimap.SetRect(minimap_box[0], minimap_box[1], minimap_box[2], minimap_box[3]);
  }
  apply_minimap_mode();
}

// A party that arrives mounted walks again; the map's own mount rule decides afresh.
void dismount(MapRole& role) {
  if (!party_riding) return;
  role.anim.act = walk_act;
  Take_3dActData(&role.anim);
  role.anim_size = role.anim.box.max.x;
  role.STATE &= ~state_bit_7;
  act_before_mount = 0;
}

void set_up_shadow_picture() {
  shadow_instance = ActInstance{};
  shadow_instance.act = shadow_act;
  shadow_instance.qq = user_options[option_shadows] == 1 ? 2 : 1;
  Take_3dActData(&shadow_instance);
}

void mount(MapRole& role, std::uint16_t map) {
  const MountChoice m =
      choose_mount(map, map_record.map_flags, test_flag(flag_mechanism_1) != 0, test_flag(flag_mechanism_2) != 0);
  if (m.act == 0) return;
  if (m.remembers_act) {
    act_before_mount = role.anim.act;
    role.act_rows[0] = 0;
  }
  role.anim.act = m.act;
  role.scale = m.scale;
  if (m.state_bit_7) role.STATE |= state_bit_7;
  party_riding = 1;
}

void set_up_camera(const MapRole& role) {
  field_camera_state.target_point[0] = role.X;
  field_camera_state.target_point[1] = role.Y + look_at_height;
  field_camera_state.target_point[2] = role.Z;
  field_camera.set_mode(camera_follow);
  fixed_eye.on = int(map_record.file_flags);
  if (map_record.file_flags & map_file_fixed_eye) {
    field_camera.set_mode(camera_fixed_eye);
    field_camera.set_eye(map_record.fixed_eye);
    field_camera_state.camera_mode = camera_fixed_eye;
  }
  if (map_record.map_flags & map_eye_follows_height) {
    map_record.fixed_eye.y = role.Y + eye_above_player;
    field_camera.set_eye(map_record.fixed_eye);
  }
}

void set_up_weather(const MapRole& role) {
  for (DriftEmitter*& e : weather_emitters) {
    delete e;
    e = nullptr;
  }
  if (test_flag(flag_switch_8)) weather_emitters[0] = make_snow_emitter(role.X, role.Y, role.Z).release();
  if (test_flag(flag_rain)) weather_emitters[1] = make_rain_emitter(role.X, role.Y, role.Z).release();
}

void put_flag(int flag, bool on) {
  clear_flag(flag);
  if (on) set_flag(flag);
}

}  // namespace

MountChoice choose_mount(std::uint16_t map, std::uint16_t map_flags, bool mechanism_1, bool mechanism_2) {
  MountChoice m;
  if (map_flags & map_outdoor) {
    if (mechanism_1) m = {mount_horse_act, -0.05f, false, true};
    if (mechanism_2) m = {mount_act, -0.02f, false, true};
  }
  for (std::uint16_t special : mount_maps) {
    if (map != special) continue;
    if (mechanism_1) m = {mount_horse_act, 0.3f, true, m.remembers_act};
    if (map == mount_map_both && mechanism_2) m = {mount_act, 0.5f, true, m.remembers_act};
  }
  return m;
}

MinimapOffset minimap_picture_offset(std::uint16_t map) {
  for (const OffsetRow& row : minimap_offsets)
    if (row.map == map) return row.offset;
  return {};
}

bool ends_battle_sequence(std::uint16_t map) {
  for (int i = 0; i < battle_sequence_map_count; ++i)
    if (game_state_words[state_word_battle_maps + i] == map) return false;
  return true;
}

void unload_map() {
  log_trace("%s", "free_map");
  free_map(&map_record);
  log_trace("%s", "del_all_effect_list");
  del_all_effect_list();
  log_trace("%s", "Act_Memoryer_Free");
  Act_Memoryer_Free(every_tag);
  log_trace("%s", "FreePolyMemory");
  FreePolyMemory(every_tag);
  log_trace("%s", "Memoryer_Free");
  Memoryer_Free(every_tag);
  log_trace("%s", "FreeMapMemory");
  FreeMapMemory();
  clear_map_grid();  // the freed world must not stay reachable
  log_trace("%s", "free_mark");
  free_mark();
  renderer.flush_textures();
  g3d_FileCache_Clear();
  role_bounds.on = 0;
}

void free_btl_area_table() {
  while (BtlArea* area = btl_area_head.next) {
    btl_area_head.next = area->next;
    MemMgr_Free(area);
  }
}

void enter_map(std::uint16_t map, float x, float y, float z, float direction) {
  loading_picture_index = int(rand_below(loading_pictures));
  end_battle_sequence_if_left(map);
  fame_add(map, 1, 0, 3);
  map_record.map_ready = 0;
  unload_map();
  free_btl_area_table();
  if ((music_ids[2] || music_ids[3]) && !talk_music_mark) {
    switch_music(music_silence, 1, 0);
    clear_music_ids();
  }
  start_map_music(map, false);
  // The encounter set is still the previous map's: its row is read with the map file.
  if (map_record.encounter_set == 0) encounter_step_count = 0;

  log_trace("load_map[%d]", map);
  map_load_in_progress = 1;
  reset_loading_picture();
  load_map(&map_record, map);

  log_trace("%s", "GetBtlAreaTable");
  btl_area_head = BtlArea{};
  GetBtlAreaTable(map, &btl_area_head);
  if (!btl_area_head.next) encounter_step_count = 0;

  log_trace("%s", "read_maps_role");
  draw_loading_bar(9);
  set_up_minimap(map, x, z);
  read_maps_role(map);
  MapRole& role = controlled_role();
  dismount(role);
  set_up_shadow_picture();
  role.X = x, role.Y = y, role.Z = z, role.DIR = direction;
  map_entry_pos = {x, y, z, direction};
  role.anim.qq = 0;
  party_riding = 0;
  mount(role, map);
  put_flag(flag_leader_mounted, role.anim.act != walk_act);
  if (map == map_small_roles) {
    role.scale = small_roles_scale;
    role.anim_size *= 1.0f + small_roles_scale;
  }
  move_role(&role, map_grid_origin[0], map_grid_origin[1], map_grid_origin[2]);

  if (map_world) {
    G3dMatrix identity;
    renderer.draw_world(renderer.identity_matrix(&identity), map_record.map_anim.picture, map_world,
                        map_record.tint, 0);
  }
  draw_loading_bar(10);
  log_trace("%s", "set_chart_map");
  set_chart_map(&map_record.fog);
  set_up_camera(role);
  role.anim.qq = 0;
  Take_3dActData(&role.anim);
  run_mode.flags[0] = run_mode.flags[1] = 1;
  map_record.map_ready = 1;
  set_up_weather(role);
  field_effects.clear();
  map_load_in_progress = 0;
  put_flag(flag_mission_hints, user_options[option_mission_hints] == 1);
  put_flag(flag_shadows_off, user_options[option_shadows] == 2);
  clear_flag(flag_loading_bar_hidden);
}

void reload_map() {
  map_load_in_progress = 0;
  load_map(&map_record, map_record.map_number);
  set_chart_map(&map_record.fog);
  start_map_music(map_record.map_number, true);
  map_load_in_progress = 1;
}

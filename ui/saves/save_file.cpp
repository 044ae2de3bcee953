// Save files: capture and apply of the live state, and the slot files.
#include "ui/saves/save_file.h"

#include <cstdio>
#include <algorithm>
#include <cstring>
#include <utility>

#include "base/build_grid.h"
#include "base/escort.h"
#include "base/houses.h"
#include "base/resources.h"
#include "battle/fame.h"
#include "core/byte_reader.h"
#include "core/disc.h"
#include "core/flags.h"
#include "core/frame_timer.h"
#include "core/game_flags.h"
#include "core/game_ini.h"
#include "core/game_mode.h"
#include "core/game_state_words.h"
#include "core/log.h"
#include "core/mem_mgr.h"
#include "core/paths.h"
#include "data/data_file.h"
#include "data/item_list.h"
#include "data/level_tables.h"
#include "data/map_role.h"
#include "data/maps_db.h"
#include "data/maps_lookups.h"
#include "data/maps_music.h"
#include "data/object_db.h"
#include "data/party.h"
#include "field/field_camera_state.h"
#include "field/map_change.h"
#include "field/map_file.h"
#include "field/role_move.h"
#include "field/role_path.h"
#include "field/role_walk.h"
#include "field/world_map.h"
#include "g3d/lzo_block.h"
#include "g3d/renderer.h"
#include "g3d/view_zoom.h"
#include "platform/clock.h"
#include "platform/files.h"
#include "script/talk_queue.h"
#include "script/talk_state_words.h"
#include "ui/title/new_game.h"
#include "ui/saves/snapshot.h"
#include "ui/talk_msg.h"

const char save_folder_name[] = "Save";

namespace {

constexpr std::uint16_t queued_talk_speaker = 0xFF02;
constexpr float settle_step = 150.0f;
constexpr float load_view_scale = 10.0f;
constexpr float load_view_near = 200.0f;
constexpr float default_view_far = 10000.0f;
constexpr int flag_bits_per_byte = 8;
// Flags of debugging and of a frame in progress, which no loaded game carries on.
constexpr int load_cleared_flags[] = {flag_speed_up, flag_input_captured, flag_wall_test_off, flag_edit_mode,
                                      flag_mark_point, flag_collisions_off, flag_cursor_hidden};

std::string save_path(const char* file_name) {
  std::string path = game_dir;
  if (!append_path(path, save_folder_name) || !append_path(path, file_name ? file_name : "")) return {};
  return path;
}

MapRole* controlled_role() {
  if (player_role_index < 0 || player_role_index >= map_role_capacity) return nullptr;
  return &gmMapRole[player_role_index];
}

std::uint32_t float_word(float f) {
  std::uint32_t w;
  std::memcpy(&w, &f, sizeof w);
  return w;
}

// ---- capture ---------------------------------------------------------------------------------

void capture_camera(SaveHeader& h) {
  std::uint8_t image[field_camera_state_size];
  field_camera_state_to_image(field_camera_state, image);
  ByteReader r(image, sizeof image);
  for (int i = 0; i < save_camera_words; ++i) h.camera[i] = r.u32_at(std::size_t(4 * i));
  const bool outside_eye = field_camera.get_mode() == camera_mode_outside_eye;
  h.camera[save_camera_mode_word] = outside_eye ? camera_mode_outside_eye : 0;
  if (outside_eye) {
    G3dVector eye;
    field_camera.get_eye(&eye);
    h.camera[save_camera_eye_word] = float_word(eye.x);
    h.camera[save_camera_eye_word + 1] = float_word(eye.y);
    h.camera[save_camera_eye_word + 2] = float_word(eye.z);
  }
}

void capture_map_name(SaveHeader& h) {
  char name[save_map_name_size] = {};
  if (!read_maps_name(map_record.map_number, name, sizeof name) || !name[0])
    copy_text_cut(reinterpret_cast<const std::uint8_t*>(map_record.name),
                  strnlen(map_record.name, sizeof map_record.name), name, sizeof name);
  std::memcpy(h.map_name, name, sizeof name);
  h.map_name[save_map_name_size - 1] = 0;
}

void capture_header(SaveHeader& h) {
  const platform::LocalTime t = platform::local_time();
  const int parts[8] = {t.year, t.month, t.day_of_week, t.day, t.hour, t.minute, t.second, t.millisecond};
  for (int i = 0; i < 8; ++i) h.time[i] = std::uint16_t(parts[i]);
  h.play_time = play_time;
  h.talk_box_state = talk_box_state;
  capture_camera(h);
  if (const MapRole* role = controlled_role()) {
    h.position[0] = role->X;
    h.position[1] = role->Y;
    h.position[2] = role->Z;
    h.position[3] = role->DIR;
  }
  h.resources[0] = party_money;
  h.resources[1] = party_wood;
  h.resources[2] = party_metal;
  h.resources[3] = party_coal;
  h.version = save_version_current;
  h.map_number = map_record.map_number;
  h.queued_talk = find_talks_proc(queued_talk_speaker);
  h.map_place = game_map_place;
  h.cd_drive = std::uint8_t(cd_drive_letter);
  std::memcpy(h.global_flags, global_flags, sizeof h.global_flags);
  std::memcpy(h.map_flags, map_flags, sizeof h.map_flags);
  // A talk in progress marks itself with this flag; the stored game never carries it, while
  // the running game keeps it.
  h.global_flags[flag_wall_test_off / flag_bits_per_byte] &=
      std::uint8_t(~(1u << (flag_wall_test_off % flag_bits_per_byte)));
  capture_map_name(h);
  std::memcpy(h.state_words, game_state_words, sizeof h.state_words);
  h.tint = map_record.tint;
  for (int i = 0; i < save_party_size; ++i) {
    if (!test_flag(party_member_flags[i])) continue;
    h.party_members[i] = std::uint32_t(i + 1);
    h.party_levels[i] = gmRoleData[i].stats[stat_level];
  }
  h.view_far = view_far;
}

void capture_ids(const ItemNode& owner, std::vector<std::uint16_t>& ids) {
  for (const ItemNode* n = owner.next; n; n = n->next) ids.push_back(n->object);
}

void capture_lists(SaveImage& s) {
  if (screen_snapshot.picture)
    s.thumbnail.assign(reinterpret_cast<const std::uint8_t*>(screen_snapshot.picture),
                       reinterpret_cast<const std::uint8_t*>(screen_snapshot.picture) + screen_snapshot.size);
  for (const ItemNode* n = party_bag.next; n; n = n->next)
    s.bag.push_back({n->object, std::uint16_t(n->count), std::uint16_t(n->new_count), n->mark, n->spare});
  party_bag_count = int(s.bag.size());
  save_all_maps_role();
  for_each_maps_role_row([&](std::size_t, const MapsRoleRow& row) {
    s.role_rows.push_back(row);
    return true;
  });
  for (int i = 0; i < party_record_count; ++i) {
    role_data_to_image(gmRoleData[i], s.roles[std::size_t(i)]);
    capture_ids(gmRoleData[i].arts, s.arts[std::size_t(i)]);
  }
}

void capture_base_and_magic(SaveImage& s) {
  std::copy(std::begin(BuildGrid), std::end(BuildGrid), s.build_grid.begin());
  for (int n = 1; const HouseRecord* house = get_house_at(n); ++n) house_to_image(*house, s.houses.emplace_back());
  for (int i = 0; i < escort_count; ++i) item_data_to_image(escort_data[i], s.escort[std::size_t(i)]);
  magic_study_to_image(current_study, s.study);
  party_magic_to_image(std::span<std::uint8_t, party_magic_image_size>(s.party_magic.data(), party_magic_image_size));
  for (const MagicStudy* m = gmMagicStudy; m; m = m->next) {
    s.studies.emplace_back();
    magic_study_to_image(*m, s.studies.back());
  }
}

void capture_rows(SaveImage& s) {
  std::vector<std::uint8_t> treasures;
  fame_save_treasures(treasures);
  for (std::size_t p = 0; p + fame_node_image_size <= treasures.size(); p += fame_node_image_size) {
    s.treasures.emplace_back();
    std::memcpy(s.treasures.back().data(), treasures.data() + p, fame_node_image_size);
  }
  if (gmRoleVar) {
    ByteReader vars(gmRoleVar, role_var_block_size);
    for (std::size_t p = 0; vars.has(p, role_var_row_size) && vars.u16_at(p) != 0; p += role_var_row_size) {
      RoleVarRow row;
      record_image::read_image(std::span<const std::uint8_t, role_var_row_size>(gmRoleVar + p, role_var_row_size), row);
      s.role_vars.push_back(row);
    }
  }
  ByteReader music = maps_table(maps_music_rows);
  for (std::size_t p = 0; music.has(p, music_row_size) && music.u16_at(p) != save_end_mark; p += music_row_size) {
    MusicRow row;
    record_image::read_image(music.tail(p).first<music_row_size>(), row);
    s.music_rows.push_back(row);
  }
  std::memcpy(s.talk_words.data(), talk_state_words, sizeof talk_state_words);
  s.has_trailer = true;
}

// ---- apply -----------------------------------------------------------------------------------

void apply_header(const SaveHeader& h) {
  std::memcpy(global_flags, h.global_flags, sizeof h.global_flags);
  std::memcpy(map_flags, h.map_flags, sizeof h.map_flags);
  std::memcpy(game_state_words, h.state_words, sizeof h.state_words);
  copy_text_cut(reinterpret_cast<const std::uint8_t*>(h.map_name), strnlen(h.map_name, sizeof h.map_name),
                map_record.name, sizeof map_record.name);
  play_time = h.play_time;
  map_record.map_number = h.map_number;
  game_map_place = h.map_place;
  party_money = h.resources[0];
  party_wood = h.resources[1];
  party_metal = h.resources[2];
  party_coal = h.resources[3];
  std::uint8_t camera[field_camera_state_size];
  for (int i = 0; i < save_camera_words; ++i) put_u32le(camera + 4 * i, h.camera[i]);
  field_camera_state = field_camera_state_from_image(camera);
  map_entry_pos = {h.position[0], h.position[1], h.position[2], h.position[3]};
  talk_box_state = 0;
  view_far = h.view_far;
  load_fame();
}

// Adds n of an object to a list; the empty entry "無" is no object of the database and gets
// its own node.
void restore_item(ItemNode* owner, std::uint16_t object, std::uint16_t n, int mode) {
  if (object != none_item_number) {
    add_item(owner, object, n, mode);
    return;
  }
  if (find_item(owner, object)) return;
  if (ItemNode* node = new_none_item()) {
    node->next = owner->next;
    owner->next = node;
  }
}

void apply_lists(const SaveImage& s) {
  for (const SaveBagEntry& e : s.bag) {
    if (e.count) restore_item(&party_bag, e.object, e.count, 2);
    if (e.new_count) restore_item(&party_bag, e.object, e.new_count, 1);
  }
  sort_item_list(&party_bag);
  for (const MapsRoleRow& row : s.role_rows) {
    MapRole role;
    role.RoleID = row.RoleID;
    role.flagEx = row.flagEx;
    role.anim.act = row.ACT;
    role.anim.qq = row.QQ;
    role.DIR = float(row.DIR);
    role.X = float(row.X);
    role.Y = float(std::uint16_t(row.Y));  // stored unsigned; the row narrows it back
    role.Z = float(row.Z);
    role.TALK = row.TALK;
    role.AI = row.AI;
    role.STATE = row.STATE;
    save_maps_role(row.MapID, &role);
  }
  for (int i = 0; i < party_record_count; ++i) {
    RoleData& role = gmRoleData[i];
    role_data_from_image(s.roles[std::size_t(i)], role);
    for (std::uint16_t id : s.arts[std::size_t(i)]) restore_item(&role.arts, id, 1, 1);
    sort_item_list(&role.arts);
  }
}

void apply_base_and_magic(const SaveImage& s) {
  std::copy(s.build_grid.begin(), s.build_grid.end(), std::begin(BuildGrid));
  for (const HouseImage& house : s.houses) add_saved_house(house);
  clear_broken_house_links();
  for (int i = 0; i < escort_count; ++i) item_data_from_image(s.escort[std::size_t(i)], escort_data[i]);
  free_magic_study();
  magic_study_from_image(s.study, current_study);
  party_magic_from_image(std::span<const std::uint8_t, party_magic_image_size>(s.party_magic.data(), party_magic_image_size));
  for (const MagicStudyImage& image : s.studies) {
    MagicStudy m;
    magic_study_from_image(image, m);
    add_magic_study(&m);
  }
}

void apply_rows(const SaveImage& s) {
  if (save_version_of(s.header.version) >= save_first_full_version) {
    fame_load_treasures(s.treasures);
    if (gmRoleVar) std::memset(gmRoleVar, 0, role_var_block_size);
    for (const RoleVarRow& row : s.role_vars) {
      const std::uint16_t saved[4] = {row.RoleID, row.value[0], row.value[1], row.value[2]};
      put_role_var(saved);
    }
    for (const MusicRow& row : s.music_rows)
      set_music_id(row.map, row.music_id1, row.param1, row.music_id2, row.param2);
  }
  if (s.has_trailer) std::memcpy(talk_state_words, s.talk_words.data(), sizeof talk_state_words);
}

// The escort records take their costs from the object database as it is now.
void refresh_escort_costs() {
  for (ItemData& escort : escort_data) {
    ItemData current;
    if (!read_Item(escort.object_id, &current)) continue;
    escort.hp_cost = current.hp_cost;
    escort.sp_cost = current.sp_cost;
    escort.mp_cost = current.mp_cost;
    escort.rage_cost = current.rage_cost;
  }
}

// A role that lands on another steps aside by 150 along one axis, trying +x, -x, +z, -z.
void settle_controlled_role() {
  MapRole* role = controlled_role();
  if (!role) return;
  move_role(role, 0, 0, 0);
  if (walk_role(role, 0, 0, 0) <= 0) return;
  const float steps[4][3] = {{settle_step, 0, 0}, {-settle_step, 0, 0}, {0, 0, settle_step}, {0, 0, -settle_step}};
  for (const auto& step : steps) {
    const int result = walk_role(role, step[0], step[1], step[2]);
    if (result <= 0 && result != -2) break;
  }
}

// The point, angles and distances of the settings' words 40-68.
void camera_takes_goals(Camera& cam, const FieldCameraState& c) {
  cam.set_point(c.target_point[0], c.target_point[1], c.target_point[2]);
  cam.set_angles(c.target_angles[0], c.target_angles[1], c.target_angles[2]);
  cam.set_look_distance(c.look_distance);
  cam.set_distance(c.distance);
}

void apply_camera(const SaveHeader& h) {
  const FieldCameraState& c = field_camera_state;
  Camera& cam = field_camera;
  cam.set_mode(camera_mode_orbit);
  cam.set_point_interp(camera_snap);
  cam.set_angle_interp(camera_snap);
  cam.set_dist_interp(camera_snap);
  // The camera snaps to the goals, not to where it stood at saving time: a glide then is not replayed.
  camera_takes_goals(cam, c);
  if (h.camera[save_camera_mode_word] == std::uint32_t(camera_mode_outside_eye)) {
    cam.set_mode(camera_mode_outside_eye);
    cam.set_eye_xyz(c.eye[0], c.eye[1], c.eye[2]);
  }
  cam.update();
  cam.apply_view();
  camera_takes_interp(cam, c);
  camera_takes_goals(cam, c);
  camera_takes_speeds(cam, c);
}

// game.ini's switches belong to the installation, not to the game: a loaded game keeps the
// developer keys, music and sound effects as game.ini has them now, whatever the saver had.
void follow_installer_switches() {
  const std::pair<int, int> switches[] = {
      {flag_developer_keys, debug_keys_enabled}, {flag_music_off, music_off_enabled}, {flag_wav_off, wav_off_enabled}};
  for (const auto& [flag, on] : switches) {
    if (on)
      set_flag(flag);
    else
      clear_flag(flag);
  }
}

void apply_field(const SaveImage& s) {
  const SaveHeader& h = s.header;
  clear_talks_proc();
  del_all_talkmsg();
  del_all_role_path();
  save_all_maps_role();
  renderer.flush_textures();
  refresh_escort_costs();
  enter_map(h.map_number, h.position[0], h.position[1], h.position[2], h.position[3]);
  settle_controlled_role();
  if (h.tint) map_record.tint = h.tint;
  apply_camera(h);
  view_scale = load_view_scale;
  if (!(view_far > 0)) view_far = default_view_far;
  renderer.set_viewport(0, 0, snapshot_screen_width, snapshot_screen_height, view_scale, load_view_near, view_far);
  if (h.talk_box_state == 1) {
    clear_flag(flag_battle);
    talk_box_state = 1;
  }
  end_input_wait();
  if (MapRole* role = controlled_role()) role->STATE &= ~state_held;
  for (int flag : load_cleared_flags) clear_flag(flag);
  constexpr int load_transient_flag_count = 8;
  for (int flag = flag_load_transient_first; flag < flag_load_transient_first + load_transient_flag_count; ++flag)
    clear_flag(flag);
  follow_installer_switches();
  for (int i = 0; i < save_party_size; ++i)
    gmRoleData[i].next_exp = std::int32_t(get_level_exp(i, gmRoleData[i].stats[stat_level]));
}

}  // namespace

std::string save_slot_name(int slot) {
  char name[16];
  std::snprintf(name, sizeof name, "%02d.sav", slot);
  return name;
}

bool save_version_allowed(std::uint16_t version_word) {
  return version_word != save_version_old || test_flag(flag_old_saves);
}

SaveUnpack unpack_save_file(std::span<const std::uint8_t> file, std::vector<std::uint8_t>& image) {
  image.clear();
  LzoBlockHeader header;
  if (!read_lzo_block_header(file.data(), file.size(), &header)) return SaveUnpack::Bad;
  if (header.unpacked_size > save_image_cap) return SaveUnpack::TooLarge;
  LzoUnpack status = LzoUnpack::BadBlock;
  std::uint32_t size = 0;
  std::uint8_t* bytes = unpack_lzo_block(file.data(), file.size(), save_image_cap, &size, &status);
  if (!bytes) return status == LzoUnpack::NoMemory ? SaveUnpack::NoMemory : SaveUnpack::Bad;
  image.assign(bytes, bytes + size);
  MemMgr_Free(bytes);
  return SaveUnpack::Ok;
}

bool chang_lzo2save(const char* file_name, std::vector<std::uint8_t>& image) {
  image.clear();
  const std::string path = save_path(file_name);
  std::vector<std::uint8_t> file;
  // The packed file is never larger than the image it holds by much: the cap bounds it too.
  if (path.empty() || !platform::read_whole_file(path, file, save_image_cap + (save_image_cap >> 4))) return false;
  switch (unpack_save_file(file, image)) {
    case SaveUnpack::Ok:
      return true;
    case SaveUnpack::TooLarge:
    case SaveUnpack::NoMemory:
      report_error("chang_lzo2save(..)\xBF\xF9\xBB\x7E  \xB5\x4C\xAA\x6B\xB0\x74\xA8\xEE\xB0\x4F\xBE\xD0\xC5\xE9");
      return false;
    case SaveUnpack::Bad:
      log_trace("save %s: not a packed save image", file_name);
      return false;
  }
  return false;
}

void capture_save_image(SaveImage& image) {
  image = SaveImage{};
  capture_header(image.header);
  capture_lists(image);
  capture_base_and_magic(image);
  capture_rows(image);
}

void apply_save_image(const SaveImage& image) {
  unload_map();
  reset_game();
  GameMode = mode_load;
  // The reset leaves these to the load; freeing them again is harmless.
  free_party_items();
  free_all_houses();
  apply_header(image.header);
  apply_lists(image);
  apply_base_and_magic(image);
  apply_rows(image);
  apply_field(image);
}

bool save_game(const char* file_name) {
  SaveImage image;
  capture_save_image(image);
  const std::vector<std::uint8_t> bytes = write_save_image(image);
  std::uint32_t block_size = 0;
  std::uint8_t* block = pack_lzo_block(bytes.data(), std::uint32_t(bytes.size()), &block_size);
  std::string folder = game_dir;
  bool written = false;
  if (block && append_path(folder, save_folder_name)) {
    platform::create_folder(folder);
    const std::string path = save_path(file_name);
    written = !path.empty() && platform::write_file_atomic(path, block, block_size);
  }
  MemMgr_Free(block);
  if (!written) {
    report_error("chang_save2lzo(...) \xC0\xC9\xAE\xD7\xAB\xD8\xA5\xDF\xA5\xA2\xB1\xD1");
    return false;
  }
  log_trace("start save identify");
  save_fame();
  log_trace("end save identify");
  return true;
}

int load_game(const char* file_name) {
  std::vector<std::uint8_t> bytes;
  if (!chang_lzo2save(file_name, bytes)) return 0;
  SaveHeader header;
  if (!parse_save_header(bytes, header) || !save_version_allowed(header.version)) return 0;
  SaveImage image;
  if (SaveParse result = parse_save_image(bytes, image); result != SaveParse::Ok) {
    log_trace("save %s: %s", file_name, save_parse_text(result));
    return 0;
  }
  // A slot whose map is gone is refused before anything is reset: the game goes on as it was.
  if (!check_map_file(image.header.map_number)) return 0;
  apply_save_image(image);
  return 1;
}

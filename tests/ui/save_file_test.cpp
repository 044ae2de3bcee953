// Save files: the header's offset table, the writer against the data kit's images, the live
// state round trip, versions, and damaged files that must change nothing.
#include "tests/fixtures/script_state.h"
#include "ui/saves/save_file.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

#include "base/build_grid.h"
#include "base/escort.h"
#include "base/houses.h"
#include "base/resources.h"
#include "battle/fame.h"
#include "core/flags.h"
#include "core/frame_timer.h"
#include "core/game_flags.h"
#include "core/game_ini.h"
#include "core/game_mode.h"
#include "core/game_state_words.h"
#include "core/log.h"
#include "core/paths.h"
#include "data/item_list.h"
#include "data/map_role.h"
#include "data/maps_db.h"
#include "data/maps_music.h"
#include "data/object_db.h"
#include "data/party.h"
#include "data/role_rows.h"
#include "data/role_vars.h"
#include "field/field_camera_state.h"
#include "field/map_change.h"
#include "field/map_file.h"
#include "field/role_move.h"
#include "field/world_map.h"
#include "g3d/act_archive.h"
#include "g3d/model_cache.h"
#include "g3d/view_zoom.h"
#include "script/talk_state_words.h"
#include "tests/fixtures/act_kit.h"
#include "tests/fixtures/map_file_writer.h"
#include "tests/fixtures/maps_writer.h"
#include "tests/fixtures/objdata_writer.h"
#include "tests/fixtures/sample_maps.h"
#include "tests/fixtures/sample_models.h"
#include "tests/fixtures/save_image_writer.h"
#include "tests/fixtures/temp_folder.h"
#include "ui/saves/save_summary.h"
#include "ui/saves/snapshot.h"

namespace {
using namespace fixtures;

enum : std::uint16_t { herb = 1, sword = 2, art = 3, treasure = 4 };
constexpr std::uint16_t village_role = 0x0100;
constexpr std::uint16_t village = 1;

std::vector<int> list_objects(const ItemNode& owner) {
  std::vector<int> out;
  for (const ItemNode* n = owner.next; n; n = n->next) out.push_back(n->object);
  return out;
}

class SaveFiles : public ::testing::Test {
 protected:
  SaveFiles() {
    game_dir = dir.str();
    fixtures::start_test_game();
    set_error_log_switch(1);
    reset_debug_log(nullptr);
    std::vector<ObjectRecord> objects(4);
    objects[herb - 1].kind(201);
    objects[sword - 1].kind(202);
    objects[art - 1].kind(301).tag(tag_costs, {op16(4), op16(5), op16(6), op8(-7)});  // HP, MP, SP, rage
    objects[treasure - 1].kind(204).tag(tag_atb_delay, {op32(1000)});  // grows in level
    dir.write("ObjData.GLL", as_string(objdata_gll(objects)));
    SFINIT0_open_item_data();
    open_item_data();
    MapsRoleRow row;
    row.MapID = village, row.RoleID = village_role, row.X = 100, row.Y = -1, row.Z = 300;
    db.roles = {row};
    db.music = {{village, 1, 2, 3, 4}};
    dir.write("maps.dat", as_string(maps_dat(db)));
    open_maps_data();
    kit::MapFileSpec village_map;
    village_map.map = village;
    dir.write(kit::map_file_name(village), as_string(kit::map_file(village_map)));
  }
  ~SaveFiles() override {
    unload_map();
    FreeMapMemory();
    FreePolyMemory(255);
    Close_3dAct();
    free_party_items();
    free_all_houses();
    free_fame();
    free_snapshot();
    close_maps_data();
  }

  void write_slot(const std::string& name, const std::vector<std::uint8_t>& file) {
    dir.write("Save/" + name, std::string(file.begin(), file.end()));
  }

  // What a load may change, to compare before and after a refused one: the records whole, the
  // lists by their contents.
  std::vector<std::uint8_t> live_state() const {
    std::vector<std::uint8_t> s(flag_bytes, flag_bytes + sizeof flag_bytes);
    auto add = [&](const void* p, std::size_t n) {
      const auto* b = static_cast<const std::uint8_t*>(p);
      s.insert(s.end(), b, b + n);
    };
    add(&party_money, sizeof party_money);
    add(&GameMode, sizeof GameMode);
    add(&map_record, sizeof map_record);
    add(talk_state_words, sizeof talk_state_words);
    add(game_state_words, sizeof game_state_words);
    add(BuildGrid, sizeof BuildGrid);
    add(&view_far, sizeof view_far);
    if (gmRoleVar) add(gmRoleVar, role_var_block_size);
    for (int id : list_objects(party_bag)) add(&id, sizeof id);
    s.push_back(std::uint8_t(get_house_at(1) != nullptr));
    add(gmRoleData, sizeof gmRoleData);
    for (const RoleData& r : gmRoleData)
      for (int id : list_objects(r.arts)) add(&id, sizeof id);
    add(escort_data, sizeof escort_data);
    add(&current_study, sizeof current_study);
    add(&field_camera_state, sizeof field_camera_state);
    add(&gmMapRoleCount, sizeof gmMapRoleCount);
    add(&player_role_index, sizeof player_role_index);
    add(gmMapRole, sizeof(MapRole) * map_role_capacity);
    const MapsRoleRow row = read_maps_role_row(std::size_t(find_maps_role_row(village_role)));
    add(&row, sizeof row);
    const ByteReader music = maps_table(maps_music_rows);
    for (std::size_t i = 0; music.has(i, 2); i += 2) s.push_back(std::uint8_t(music.u16_at(i)));
    return s;
  }

  TempFolder dir{true};
  MapsDat db;
};

TEST(SaveHeaderTable, EveryFieldSitsAtItsStoredOffset) {
  const struct { const char* name; std::size_t offset; } table[] = {
      {"time", 0}, {"play_time", 16}, {"talk_box_state", 20}, {"block_offsets", 24}, {"camera", 88},
      {"position", 216}, {"resources", 232}, {"version", 248}, {"map_number", 250}, {"queued_talk", 252},
      {"map_place", 254}, {"cd_drive", 256}, {"global_flags", 257}, {"map_flags", 1281}, {"map_name", 2305},
      {"state_words", 2340}, {"tint", 2596}, {"party_members", 2600}, {"party_levels", 2612}, {"view_far", 2624},
  };
  for (const auto& row : table) EXPECT_EQ(save_header_offset(row.name), row.offset) << row.name;
  EXPECT_EQ(record_image::Layout<SaveHeader>::size, 2724u);
  // The camera words that hold the live camera: mode at 112, eye at 116-127.
  EXPECT_EQ(save_header_offset("camera") + 4 * save_camera_mode_word, 112u);
  EXPECT_EQ(save_header_offset("camera") + 4 * save_camera_eye_word, 116u);
}

TEST(SaveImageWriter, TheSmallestVersionSixImageMatchesTheKitByteForByte) {
  SaveImage image;
  image.header.tint = map_tint_none;
  const std::vector<std::uint8_t> ours = write_save_image(image);
  const std::vector<std::uint8_t> kit_image = kit::save_image(kit::SaveKit{});
  EXPECT_EQ(ours.size(), 22516u);
  EXPECT_EQ(ours, kit_image);
}

TEST(SaveImageWriter, AParsedKitImageIsWrittenBackUnchanged) {
  kit::SaveKit save;
  save.map_name = "\xA7\xF8\xB2\xF8";  // a Big5 name
  save.thumbnail = kit::thumbnail_picture(0x7FFF);
  save.bag = {{herb, 5, 0}, {sword, 0, 3}};
  save.rows = {{village, village_role, 0, 3001, 2, 90, 100, -1, 300, 7, 8, 1}};
  save.arts[0] = {art, none_item_number};
  save.houses = {{2, 3, 0x11}, {12, 13, 0x22}};
  save.study = {art, 10, 100, 0};
  save.studies = {{art, 100, 100, 1}, {sword, 5, 50, 0}};
  save.treasures = {{treasure, 3, 40, 6}};
  save.role_vars = {{village_role, {1, 2, 3, 4, 5, 6, 7, 8}}};
  save.music = {{village, 1, 2, 3, 4}};
  save.talk_words[53] = 0xDEADBEEF;
  const std::vector<std::uint8_t> bytes = kit::save_image(save);
  SaveImage image;
  ASSERT_EQ(parse_save_image(bytes, image), SaveParse::Ok);
  EXPECT_EQ(image.bag.size(), 2u);
  EXPECT_EQ(image.role_rows[0].Y, -1);
  EXPECT_EQ(image.arts[0], (std::vector<std::uint16_t>{art, none_item_number}));
  EXPECT_EQ(image.houses.size(), 2u);
  EXPECT_EQ(write_save_image(image), bytes);
}

TEST_F(SaveFiles, ASaveLoadsBackTheGameItHeld) {
  add_item(&party_bag, sword, 3, 1);
  add_item(&party_bag, herb, 5, 2);
  add_item(&party_bag, herb, 2, 1);
  add_item(&gmRoleData[0].arts, art, 1, 1);
  ItemNode* none = new_none_item();
  none->next = gmRoleData[0].arts.next;
  gmRoleData[0].arts.next = none;
  gmRoleData[1].stats[stat_level] = 7;
  HouseRecord* house = add_default_house(9901, 5700, 200, 5700, 0);
  house->residents[0].monster = 134;
  house->resident_count = 1;
  HouseImage saved;
  house_to_image(*house, saved);
  BuildGrid[5] = 2;
  current_study = MagicStudy{};
  current_study.spell_id = art, current_study.progress = 12, current_study.goal = 100;
  MagicStudy learned{};
  learned.spell_id = sword, learned.progress = 50, learned.goal = 50, learned.learned = 1;
  add_magic_study(&learned);
  ASSERT_EQ(fame_add(treasure, 0, 0, fame_type_treasure), 1);
  fame_find(treasure, fame_type_treasure)->level = 6;
  set_role_var_row(village_role, 1, 42);
  set_music_id(village, 9, 8, 7, 6);
  set_flag(flag_member_0);
  set_flag(flag_member_1);
  set_flag(flag_mechanism_2);
  set_map_flag(20);
  set_flag(flag_wall_test_off);
  party_money = 1234, party_wood = 5, party_metal = 6, party_coal = 7;
  map_record.map_number = village;
  map_record.tint = 0xFF102030;
  gmMapRole[0].X = 11, gmMapRole[0].Y = -22, gmMapRole[0].Z = 33, gmMapRole[0].DIR = 90;
  player_role_index = 0;
  view_far = 0;
  play_time = 3725;
  game_state_words[5] = 55;
  game_map_place = 3818;
  talk_state_words[7] = 77;
  field_camera_state.distance = 2500;
  party_magic[3].object = art;
  party_magic[3].count = 2;

  ASSERT_TRUE(save_game("00.sav"));
  EXPECT_TRUE(test_flag(flag_wall_test_off));  // the running game keeps it

  free_party_items();
  free_all_houses();
  free_fame();
  BuildGrid[5] = 0;
  set_maps_role_xyz(village_role, 1, 2, 3);
  set_music_id(village, 0, 0, 0, 0);
  party_money = 0;
  talk_state_words[7] = 0;
  game_state_words[5] = 0;
  field_camera_state = FieldCameraState{};
  party_magic[3] = ItemNode{};

  ASSERT_EQ(load_game("00.sav"), 1);
  EXPECT_EQ(list_objects(party_bag), (std::vector<int>{herb, sword}));
  EXPECT_EQ(get_item_num(&party_bag, herb), 7);
  EXPECT_EQ(find_item(&party_bag, herb)->count, 5);
  EXPECT_EQ(find_item(&party_bag, herb)->new_count, 2);
  EXPECT_EQ(find_item(&party_bag, sword)->new_count, 3);
  EXPECT_EQ(list_objects(gmRoleData[0].arts), (std::vector<int>{art, none_item_number}));
  ASSERT_NE(get_house_at(1), nullptr);
  HouseImage loaded;
  house_to_image(*get_house_at(1), loaded);
  EXPECT_EQ(loaded, saved);
  EXPECT_EQ(get_house_at(2), nullptr);
  EXPECT_EQ(BuildGrid[5], 2);
  EXPECT_EQ(current_study.spell_id, art);
  EXPECT_EQ(current_study.progress, 12);
  ASSERT_NE(find_magic_study(sword), nullptr);
  EXPECT_EQ(find_magic_study(sword)->learned, 1u);
  ASSERT_NE(fame_find(treasure, fame_type_treasure), nullptr);
  EXPECT_EQ(fame_find(treasure, fame_type_treasure)->level, 6);
  const MapsRoleRow row = read_maps_role_row(std::size_t(find_maps_role_row(village_role)));
  EXPECT_EQ(row.X, 100);
  EXPECT_EQ(row.Y, -1);  // stored as 0xFFFF, back through float without a wrong conversion
  EXPECT_EQ(row.Z, 300);
  ByteReader music = maps_table(maps_music_rows);
  EXPECT_EQ(music.u16_at(2), 9);
  EXPECT_EQ(music.u16_at(8), 6);
  EXPECT_EQ(set_role_var_row(village_role, 3, 0), 1);  // the row came back
  EXPECT_EQ(ByteReader(gmRoleVar, role_var_block_size).u16_at(4), 42);
  EXPECT_TRUE(test_flag(flag_mechanism_2));
  EXPECT_TRUE(test_map_flag(20));
  EXPECT_FALSE(test_flag(flag_wall_test_off));
  EXPECT_EQ(party_money, 1234);
  EXPECT_EQ(party_coal, 7);
  EXPECT_EQ(map_record.map_number, village);
  EXPECT_EQ(map_record.tint, 0xFF102030u);
  EXPECT_EQ(map_entry_pos.x, 11);
  EXPECT_EQ(map_entry_pos.y, -22);
  EXPECT_EQ(view_far, 10000.0f);  // a stored 0 is no view distance
  EXPECT_EQ(play_time, 3725u);
  EXPECT_EQ(game_state_words[5], 55u);
  EXPECT_EQ(game_map_place, 3818);
  EXPECT_EQ(talk_state_words[7], 77u);
  EXPECT_EQ(field_camera_state.distance, 2500.0f);
  EXPECT_EQ(party_magic[3].object, art);
  EXPECT_EQ(party_magic[3].count, 2);
  EXPECT_EQ(GameMode, mode_load);

  SaveSummary summary;
  ASSERT_EQ(read_save_summary("00.sav", &summary), 1);
  EXPECT_EQ(summary.play_time, 3725);
  EXPECT_EQ(summary.money, 1234);
  EXPECT_EQ(summary.members[0], 1);
  EXPECT_EQ(summary.members[1], 2);
  EXPECT_EQ(summary.members[2], 0);  // a party of two: the third words stay 0
  EXPECT_EQ(summary.levels[1], 7);
  EXPECT_EQ(summary.levels[2], 0);
}

TEST_F(SaveFiles, TheStoredFlagsNeverCarryTheTalkMark) {
  set_flag(flag_wall_test_off);
  SaveImage image;
  capture_save_image(image);
  SaveHeader stored;
  ASSERT_TRUE(parse_save_header(write_save_image(image), stored));
  EXPECT_EQ(stored.global_flags[flag_wall_test_off / 8] & (1 << (flag_wall_test_off % 8)), 0);
  EXPECT_TRUE(test_flag(flag_wall_test_off));
}

TEST_F(SaveFiles, VersionsDecideWhichBlocksAreRead) {
  struct Case {
    std::uint16_t version;
    bool old_saves_allowed;
    bool trailer;
    int loaded;
    bool blocks_7_to_9_read;
  };
  const Case cases[] = {
      {0xFF06, false, true, 1, true},
      {0xFF05, false, true, 0, false},  // refused without the switch
      {0xFF05, true, true, 1, false},
      {0xFF07, false, true, 1, true},   // read as version 7
      {0xFF06, false, false, 1, true},  // no trailer: the talk words stay as reset
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.version);
    kit::SaveKit save;
    save.version = c.version;
    save.map = village;
    save.music = {{village, 5, 5, 5, 5}};
    save.role_vars = {{village_role, {9, 9, 9}}};
    save.trailer = c.trailer;
    save.talk_words[0] = 31;
    write_slot("01.sav", kit::save_slot_file(kit::save_image(save)));
    std::memset(flag_bytes, 0, sizeof flag_bytes);
    if (c.old_saves_allowed) set_flag(flag_old_saves);
    talk_state_words[0] = 0;
    set_music_id(village, 1, 1, 1, 1);
    std::memset(gmRoleVar, 0, role_var_block_size);
    ASSERT_EQ(load_game("01.sav"), c.loaded);
    if (!c.loaded) continue;
    EXPECT_EQ(maps_table(maps_music_rows).u16_at(2), c.blocks_7_to_9_read ? 5 : 1);
    EXPECT_EQ(ByteReader(gmRoleVar, 4).u16_at(0), c.blocks_7_to_9_read ? village_role : 0);
    EXPECT_EQ(talk_state_words[0], c.trailer ? 31u : 0u);
  }
}

TEST_F(SaveFiles, ADamagedSlotChangesNothing) {
  kit::SaveKit good;
  good.map = village;
  good.map_name = "v";
  good.resources = {999, 0, 0, 0};
  good.thumbnail = kit::thumbnail_picture(0x1234);
  good.bag = {{herb, 1, 0}};
  good.rows = {{village, village_role}};
  good.houses = {{1, 1}};
  good.studies = {{art, 1, 2, 0}};
  good.treasures = {{treasure}};
  good.role_vars = {{village_role}};
  good.music = {{village, 1, 1, 1, 1}};
  const std::vector<std::uint8_t> image = kit::save_image(good);
  const auto starts = kit::save_block_starts(good);

  std::vector<std::pair<std::string, std::vector<std::uint8_t>>> files;
  for (int k = 1; k <= 9; ++k) {  // cut inside every block
    std::vector<std::uint8_t> cut(image.begin(), image.begin() + starts[std::size_t(k)] + 1);
    files.push_back({"cut in block " + std::to_string(k), kit::save_slot_file(cut)});
  }
  std::vector<std::uint8_t> file = kit::save_slot_file(image);
  std::vector<std::uint8_t> bad = file;
  put_u32le(bad.data() + 4, std::uint32_t(bad.size()));  // packed size past the file
  files.push_back({"P > size", bad});
  bad = file;
  put_u32le(bad.data(), std::uint32_t(image.size() + 1));
  files.push_back({"U mismatch", bad});
  bad = file;
  put_u32le(bad.data(), save_image_cap + 1);
  files.push_back({"U over the cap", bad});
  bad = file;
  for (std::size_t i = 8; i < bad.size(); i += 3) bad[i] ^= 0x5A;
  files.push_back({"bad LZO", bad});
  files.push_back({"short file", {1, 2, 3}});
  auto variant = [&](const std::string& what, auto change) {
    kit::SaveKit s = good;
    change(s);
    std::vector<std::uint8_t> img = kit::save_image(s);
    files.push_back({what, kit::save_slot_file(img)});
  };
  variant("too many houses", [](kit::SaveKit& s) { s.houses.assign(save_house_cap + 1, {1, 1}); });
  variant("name without NUL", [](kit::SaveKit& s) { s.map_name_unended = true; });
  variant("bad thumbnail", [](kit::SaveKit& s) { s.thumbnail = {0xFF, 0xFF, 1, 2, 3}; });
  variant("small thumbnail", [](kit::SaveKit& s) { s.thumbnail = kit::thumbnail_picture(0, 100, 80); });
  variant("too many role variable rows",
          [](kit::SaveKit& s) { s.role_vars.assign(role_var_row_count + 1, {village_role}); });
  {
    std::vector<std::uint8_t> img = image;
    put_u32le(img.data() + starts[2], 0xFFFFFFF0);  // a bag count beyond the image
    files.push_back({"bag count over the bytes", kit::save_slot_file(img)});
    img = image;
    put_u32le(img.data() + starts[7] - 4 - 48, 0x7FFFFFFF);  // the study count
    files.push_back({"study count over the bytes", kit::save_slot_file(img)});
    img = image;
    img.resize(starts[10] - 2);  // the music list loses its end mark and the trailer
    files.push_back({"unended music rows", kit::save_slot_file(img)});
    img = image;
    img.resize(img.size() - 2);  // the trailer's mark without all of its words
    files.push_back({"trailer cut short", kit::save_slot_file(img)});
  }

  add_item(&party_bag, sword, 1, 2);
  party_money = 5;
  set_flag(flag_switch_8);
  GameMode = mode_save;
  for (const auto& [what, bytes] : files) {
    SCOPED_TRACE(what);
    write_slot("02.sav", bytes);
    const std::vector<std::uint8_t> before = live_state();
    EXPECT_EQ(load_game("02.sav"), 0);
    EXPECT_EQ(live_state(), before);
    SaveSummary summary;
    const int read = read_save_summary("02.sav", &summary);  // never reads outside the image either
    EXPECT_TRUE(read == 0 || read == 1);
    EXPECT_EQ(live_state(), before) << "nor does reading its summary change the game";
  }
}

TEST_F(SaveFiles, ASlotWhoseMapIsMissingIsRefusedBeforeAnythingIsReset) {
  map_record.map_number = village;
  party_money = 77;
  ASSERT_TRUE(save_game("03.sav"));
  std::filesystem::remove(dir.path() / kit::map_file_name(village));
  add_item(&party_bag, sword, 1, 2);
  party_money = 5;
  GameMode = mode_save;
  const std::vector<std::uint8_t> before = live_state();
  EXPECT_EQ(load_game("03.sav"), 0);
  EXPECT_EQ(live_state(), before);
  EXPECT_NE(dir.read("debug.txt").find("load_map(1)"), std::string::npos) << "reported as a missing map";
}

TEST_F(SaveFiles, ALoadClearsTheTransientStateAndTakesTheClosedBoxWord) {
  const int transient[] = {flag_speed_up,   flag_input_captured, flag_collisions_off, flag_wall_test_off,
                           flag_edit_mode,  flag_mark_point,     flag_cursor_hidden,  flag_load_transient_first,
                           flag_load_transient_first + 7};
  for (std::uint32_t box_word : {0u, 1u}) {
    SCOPED_TRACE(box_word);
    kit::SaveKit save;
    save.map = village;
    save.talk_box_state = box_word;
    save.flags.assign(std::begin(transient), std::end(transient));
    save.flags.push_back(flag_battle);
    save.flags.push_back(flag_load_transient_first + 8);  // 8109 is kept
    write_slot("04.sav", kit::save_slot_file(kit::save_image(save)));
    ASSERT_EQ(load_game("04.sav"), 1);
    for (int f : transient) EXPECT_FALSE(test_flag(f)) << f;
    EXPECT_TRUE(test_flag(flag_load_transient_first + 8));
    EXPECT_EQ(test_flag(flag_battle) != 0, box_word == 0) << "a box closed at saving ends the battle mark";
    EXPECT_EQ(talk_box_state, box_word);
  }
  std::memset(flag_bytes, 0, sizeof flag_bytes);
}

TEST_F(SaveFiles, TheLoadedCameraSnapsToItsGoalsAndKeepsAnOutsideEye) {
  auto word = [](float f) {
    std::uint32_t w;
    std::memcpy(&w, &f, 4);
    return w;
  };
  kit::SaveKit save;
  save.map = village;
  save.camera[2] = save.camera[3] = save.camera[4] = 1;  // snapping moves
  save.camera[5] = 1;                                     // the eye follows its goal
  save.camera[6] = 4;                                     // the eye set from outside
  save.camera[7] = word(1), save.camera[8] = word(2), save.camera[9] = word(3);
  save.camera[13] = word(15), save.camera[14] = word(45);  // goal angles
  save.camera[16] = word(1000), save.camera[17] = word(1200);
  save.camera[27] = word(5), save.camera[28] = word(90);  // where it stood: gliding
  save.camera[30] = word(3000), save.camera[31] = word(2500);
  write_slot("05.sav", kit::save_slot_file(kit::save_image(save)));
  ASSERT_EQ(load_game("05.sav"), 1);
  EXPECT_EQ(field_camera.get_mode(), camera_mode_outside_eye);
  G3dVector eye{};
  field_camera.get_eye(&eye);
  EXPECT_EQ(eye.x, 1.0f);
  EXPECT_EQ(eye.z, 3.0f);
  float pitch = 0, yaw = 0, look = 0, distance = 0;
  field_camera.get_angles(nullptr, nullptr, nullptr, &pitch, &yaw, nullptr);
  field_camera.get_look_distance(nullptr, &look);
  field_camera.get_distance(nullptr, &distance);
  EXPECT_EQ(pitch, 15.0f);
  EXPECT_EQ(yaw, 45.0f);
  EXPECT_EQ(look, 1000.0f);
  EXPECT_EQ(distance, 1200.0f);
}

// The live camera's mode and eye go into the camera words 6-9 (header 112-127) only when the eye
// is set from outside; otherwise those words are the settings' own eye.
TEST_F(SaveFiles, TheCameraOfAnEyeSetFromOutsideIsSavedAndLoadedBack) {
  for (int mode : {camera_mode_outside_eye, camera_mode_orbit}) {
    SCOPED_TRACE(mode);
    map_record.map_number = village;
    field_camera_state = FieldCameraState{};
    field_camera_state.eye[0] = 1, field_camera_state.eye[1] = 2, field_camera_state.eye[2] = 3;
    field_camera = Camera{};
    field_camera.set_mode(mode);
    field_camera.set_eye_xyz(7, 8, 9);
    field_camera.update();
    ASSERT_TRUE(save_game("06.sav"));
    std::vector<std::uint8_t> image;
    ASSERT_TRUE(chang_lzo2save("06.sav", image));
    const ByteReader stored(image.data(), image.size());
    const bool outside = mode == camera_mode_outside_eye;
    EXPECT_EQ(stored.u32_at(112), outside ? 4u : 0u);
    EXPECT_EQ(stored.f32_at(116), outside ? 7.0f : 1.0f);
    EXPECT_EQ(stored.f32_at(120), outside ? 8.0f : 2.0f);
    EXPECT_EQ(stored.f32_at(124), outside ? 9.0f : 3.0f);

    field_camera = Camera{};
    field_camera_state = FieldCameraState{};
    ASSERT_EQ(load_game("06.sav"), 1);
    EXPECT_EQ(field_camera.get_mode(), mode);
    if (!outside) continue;
    G3dVector eye{};
    field_camera.get_eye(&eye);
    EXPECT_EQ(eye.x, 7.0f);
    EXPECT_EQ(eye.y, 8.0f);
    EXPECT_EQ(eye.z, 9.0f);
  }
}

// A leader loaded onto another role steps 150 aside: +x, or -x when +x is taken by a role or
// lies past the world's edge (x 6000), and so on; one standing free stays.
TEST_F(SaveFiles, TheLoadedLeaderStepsOffARoleItStandsOn) {
  // The sample world on the village map, and roles of a box 80 wide.
  ASSERT_TRUE(kit::write_sample_models(dir.path()));
  std::map<int, std::vector<std::uint8_t>> acts = kit::sample_act_blocks();
  constexpr std::uint16_t box_act = 5001;
  acts[box_act] = kit::act_block({kit::act_script("RF 0; TP 0; BX -40 0 -40 0 40 100 40 0; PA 0; ED; OV")});
  kit::write_act_archives((dir.path() / "ACT").string(), acts);
  SetPolyPath((game_dir + "\\MODEL").c_str());
  ASSERT_EQ(SFLB_InitPolyMemory(), 1);
  Set_3dActPath((game_dir + "\\ACT").c_str());
  ASSERT_EQ(Init_3dAct(), 1);
  kit::MapFileSpec village_map;
  village_map.map = village;
  village_map.map_act = kit::sample_village_act;
  dir.write(kit::map_file_name(village), as_string(kit::map_file(village_map)));
  constexpr std::uint16_t leader_id = 1, second_id = 0x0101;
  MapsRoleRow lead, second;
  lead.MapID = second.MapID = village;
  lead.RoleID = leader_id, second.RoleID = second_id;
  db.roles.push_back(lead);
  db.roles.push_back(second);
  close_maps_data();
  dir.write("maps.dat", as_string(maps_dat(db)));
  open_maps_data();
  struct Case {
    std::uint16_t x;
    std::vector<std::uint16_t> others_x;  // everyone at z 3000
    float settled_x;
  };
  for (const Case& c : {Case{3000, {3000}, 3150}, Case{3000, {3000, 3150}, 2850}, Case{3000, {3300}, 3000},
                        Case{5880, {5880}, 5730}}) {
    SCOPED_TRACE(c.settled_x);
    kit::SaveKit save;
    save.map = village;
    kit::SaveRoleRow leader;
    leader.map = village, leader.role = leader_id, leader.act = box_act, leader.x = c.x, leader.z = 3000;
    leader.state = std::uint16_t(state_player);
    save.rows = {leader};
    const std::uint16_t ids[2] = {village_role, second_id};
    for (std::size_t i = 0; i < c.others_x.size(); ++i) {
      kit::SaveRoleRow other;
      other.map = village, other.role = ids[i], other.act = box_act, other.x = c.others_x[i], other.z = 3000;
      save.rows.push_back(other);
    }
    save.position = {float(c.x), 0, 3000, 0};
    write_slot("06.sav", kit::save_slot_file(kit::save_image(save)));
    ASSERT_EQ(load_game("06.sav"), 1);
    ASSERT_NE(map_world, nullptr);
    ASSERT_EQ(gmMapRole[player_role_index].RoleID, leader_id);
    EXPECT_EQ(gmMapRole[player_role_index].X, c.settled_x);
    EXPECT_EQ(gmMapRole[player_role_index].Z, 3000.0f);
  }
}

// The escort records keep their object but take its costs from the object database as it is now.
TEST_F(SaveFiles, TheEscortsTakeTheirCostsFromTheObjectDatabase) {
  kit::SaveKit save;
  save.map = village;
  save.escorts = {art, 0};  // stored with costs of 0
  write_slot("06.sav", kit::save_slot_file(kit::save_image(save)));
  ASSERT_EQ(load_game("06.sav"), 1);
  EXPECT_EQ(escort_data[0].object_id, art);
  EXPECT_EQ(escort_data[0].hp_cost, 4);
  EXPECT_EQ(escort_data[0].mp_cost, 5);
  EXPECT_EQ(escort_data[0].sp_cost, 6);
  EXPECT_EQ(escort_data[0].rage_cost, -7);
  EXPECT_EQ(escort_data[1].hp_cost, 0) << "no object: nothing to take";
}

TEST_F(SaveFiles, AFailedWriteReportsFalseAndKeepsTheOldFile) {
  ASSERT_TRUE(save_game("03.sav"));
  const std::string old = dir.read("Save/03.sav");
  ASSERT_FALSE(old.empty());
  // A folder standing where the new file would be renamed to: the write cannot finish.
  std::filesystem::create_directories(dir.path() / "Save" / "04.sav" / "keep");
  EXPECT_FALSE(save_game("04.sav"));
  EXPECT_TRUE(std::filesystem::is_directory(dir.path() / "Save" / "04.sav" / "keep"));
  EXPECT_EQ(dir.read("Save/03.sav"), old);
  // A missing slot loads nothing, silently.
  EXPECT_EQ(load_game("05.sav"), 0);
}

// The developer keys, music off and sound effects off are game.ini's switches: a loaded game
// takes them from game.ini as it is now, not from the flags the saver had.
TEST_F(SaveFiles, GameIniSwitchesOutlastTheLoadedFlags) {
  struct Case {
    int flag;
    int* enabled;
  };
  for (const Case& c : {Case{flag_developer_keys, &debug_keys_enabled}, Case{flag_music_off, &music_off_enabled},
                        Case{flag_wav_off, &wav_off_enabled}}) {
    for (const bool saved : {false, true})
      for (const int now : {0, 1}) {
        SCOPED_TRACE(testing::Message() << "flag " << c.flag << " saved " << saved << " game.ini " << now);
        kit::SaveKit save;
        save.map = village;
        if (saved) save.flags = {c.flag};
        write_slot("02.sav", kit::save_slot_file(kit::save_image(save)));
        *c.enabled = now;
        ASSERT_EQ(load_game("02.sav"), 1);
        EXPECT_EQ(test_flag(c.flag), now == 1);
        *c.enabled = 0;
      }
  }
}

TEST(SaveSlots, NamesHaveTwoDigitsAtLeast) {
  EXPECT_EQ(save_slot_name(0), "00.sav");
  EXPECT_EQ(save_slot_name(98), "98.sav");
  EXPECT_EQ(save_slot_name(123), "123.sav");
}

TEST(SaveSummaries, TheMapNameIsCutOnACharacterBoundary) {
  kit::SaveKit save;
  save.map_name = std::string(31, 'a') + "\xA7\xF8";  // the Big5 character straddles byte 32
  save.version = 0xFF05;
  const std::vector<std::uint8_t> image = kit::save_image(save);
  SaveSummary summary;
  EXPECT_EQ(save_summary_from_image(image, &summary), 0);  // version 5 without the switch
  EXPECT_EQ(std::string(summary.map_name), std::string(31, 'a'));
  EXPECT_EQ(save_summary_from_image(std::span(image).first(100), &summary), 0);
}

}  // namespace

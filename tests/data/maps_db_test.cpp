// The map database: loading, and every table's lookup with its end marks and soft failures.
#include "data/maps_db.h"

#include <cstring>

#include "core/flags.h"
#include "data/byte_writer.h"
#include "data/map_role.h"
#include "data/maps_index.h"
#include "data/maps_lookups.h"
#include "data/maps_music.h"
#include "data/music_state.h"
#include "field/map_file.h"
#include "tests/data/data_test.h"
#include "tests/fixtures/maps_writer.h"

namespace {
using namespace fixtures;

class MapsDb : public data_test::DataTest {
 protected:
  void load(const MapsDat& db) { load_file(maps_dat(db)); }
  void load_file(const Bytes& file) {
    write("maps.dat", file);
    open_maps_data();
  }
  std::string name_of(std::uint16_t map) {
    char out[64];
    return read_maps_name(map, out, sizeof out) ? out : "<none>";
  }
};

TEST_F(MapsDb, TheHeaderWordGivesTheHeaderLengthInSixteenByteUnits) {
  for (int units : {1, 2, 5}) {
    MapsDat db;
    db.header_units = units;
    db.map_names = {{7, "seven"}};
    load(db);
    EXPECT_EQ(name_of(7), "seven") << units;
    EXPECT_EQ(maps_header_length(maps_dat(db)), std::size_t(16 * units));
  }
  EXPECT_TRUE(messages().empty());
}

TEST_F(MapsDb, AHeaderAsLongAsTheFileOrATooShortFileLoadsNothing) {
  MapsDat db;
  db.map_names = {{7, "seven"}};
  Bytes file = maps_dat(db);
  file[8] = 0xFF, file[9] = 0x7F;  // a header far longer than the file
  load_file(file);
  EXPECT_FALSE(gmMapsPool);
  EXPECT_EQ(gmRoleVar, nullptr);
  EXPECT_EQ(name_of(7), "<none>");
  load_file(Bytes(9, 0));
  EXPECT_FALSE(gmMapsPool);
  const std::string open_message = "open_maps_data(..)\xBF\xF9\xBB~  \xB5L\xAAk\xB6}\xB1\xD2 MAPS.DAT";
  EXPECT_EQ(messages(), (std::vector<std::string>{open_message, open_message}));
  // Every lookup answers as for an absent key.
  std::uint16_t out[10] = {};
  EXPECT_EQ(read_MapIndex(1), 0);
  EXPECT_EQ(read_music_id(1), -1);
  EXPECT_EQ(count_maps_summon(), 0);
  EXPECT_EQ(count_maps_place(), 0);
  EXPECT_EQ(read_maps_act(5, out), 1);
  EXPECT_EQ(check_maps_nofight(1), 0);
}

TEST_F(MapsDb, TableOffsetsOutsideThePoolMakeEmptyTables) {
  MapsDat db;
  db.map_names = {{7, "seven"}};
  Bytes file = maps_dat(db);
  const std::size_t entry = 16 + 4 * maps_map_names;
  file[entry] = 0x00, file[entry + 1] = 0x00, file[entry + 2] = 0x10, file[entry + 3] = 0x00;
  load_file(file);
  EXPECT_TRUE(gmMapsPool);
  EXPECT_EQ(name_of(7), "<none>");
}

TEST_F(MapsDb, EachLoadStartsWithEmptyRoleVariables) {
  load(MapsDat{});
  ASSERT_NE(gmRoleVar, nullptr);
  gmRoleVar[0] = 0x12;
  load(MapsDat{});
  EXPECT_EQ(gmRoleVar[0], 0);
  close_maps_data();
  EXPECT_EQ(gmRoleVar, nullptr);
  EXPECT_FALSE(gmMapsPool);
}

class MapMusic : public MapsDb {
 protected:
  MapMusic() {
    MapsDat db;
    db.music = {{10, 1, 2, 3, 4}, {11, 0, 0, 0, 0}, {12, 5, 1, 0, 0}, {10, 6, 6, 6, 6}};
    db.music_names = {"", "one.mp3", "two.mp3"};
    load(db);
    for (int i = 0; i < 4; ++i) music_ids[i] = music_params[i] = 0;
    talk_music_mark = 0;
  }
  std::string music(int n) {
    char out[32];
    std::strcpy(out, "unchanged");
    int found = read_maps_music(out, sizeof out, n);
    return found ? out : "<none>";
  }
};

TEST_F(MapMusic, TheFirstRowOfTheMapGivesTheMusic) {
  EXPECT_EQ(read_music_id(10), 1);
  EXPECT_EQ(music_ids[0], 1);
  EXPECT_EQ(music_params[0], 2);
  EXPECT_EQ(music_ids[1], 3);
  EXPECT_EQ(music_params[1], 4);
  EXPECT_EQ(read_music_id(10), 2);  // already current
  EXPECT_EQ(read_music_id(12), 1);
  EXPECT_EQ(read_music_id(11), -1);  // both ids 0: silence
  EXPECT_EQ(music_ids[0], 0);
  EXPECT_EQ(read_music_id(11), 2);   // and silence is then current
  EXPECT_EQ(read_music_id(99), -1);  // no row
  talk_music_mark = 1;
  EXPECT_EQ(read_music_id(10), 2);
  EXPECT_EQ(music_ids[0], 0);
}

TEST_F(MapMusic, NamesAreCountedFromZeroAndNameZeroIsNeverPlayed) {
  EXPECT_EQ(music(0), "<none>");
  EXPECT_EQ(music(1), "one.mp3");
  EXPECT_EQ(music(2), "two.mp3");
  EXPECT_TRUE(messages().empty());
  EXPECT_EQ(music(3), "<none>");  // name 3 itself is missing
  EXPECT_EQ(music(5), "<none>");  // the names ran out before it
  EXPECT_EQ(messages(),
            (std::vector<std::string>{
                "read_maps_music(...)\xBF\xF9\xBB~\xA7\xE4\xA4\xA3\xA8\xEC MusicID[3] \xAD\xB5\xBC\xD6 ",
                "read_maps_music(...) \xBF\xF9\xBB~ \xA7\xE4\xA4\xA3\xA8\xEC MusicID[5] \xAD\xB5\xBC\xD6 "}));
}

TEST_F(MapMusic, SetMusicRewritesEveryRowOfTheMapUntilTheFileIsReloaded) {
  set_music_id(10, 7, 8, 9, 10);
  EXPECT_EQ(read_music_id(10), 1);
  EXPECT_EQ(music_ids[0], 7);
  EXPECT_EQ(music_params[1], 10);
  open_maps_data();
  EXPECT_EQ(read_music_id(10), 1);
  EXPECT_EQ(music_ids[0], 1);
}

class MapIndex : public MapsDb {
 protected:
  MapIndex() {
    map_record = MapRecord{};
    db.index = {{1, 3, 0x40, 1, 2}, {2, 0, 0, 0, 1}, {3, 0, 0, 1, 0}, {4, 0, 0, 1, 3}};
    db.sky_rows = {{20001, 5, -5}, {20002, 100, 200}, {0, 0, 0}};
    for (int i = 0; i < 33; ++i) db.uv_rows.push_back({1, std::uint16_t(10001 + i), std::int16_t(i), std::int16_t(-i)});
    db.uv_rows.push_back({3, 10500, 10000, 0});
    load(db);
  }
  MapsDat db;
};

TEST_F(MapIndex, TheMapsRowFillsTheCurrentMapRecord) {
  EXPECT_EQ(read_MapIndex(1), 1);
  EXPECT_EQ(map_record.encounter_set, 3);
  EXPECT_EQ(map_record.map_flags, 0x40);
  EXPECT_EQ(map_record.uv_set, 1);
  EXPECT_EQ(map_record.sky_set, 2);
  EXPECT_EQ(map_record.uv_tex[0], 10001);
  EXPECT_EQ(map_record.uv_tex[31], 10032);  // 33 rows: the first 32 are kept, once reported
  EXPECT_FLOAT_EQ(map_record.uv_rate_u[31], 0.0031f);
  EXPECT_FLOAT_EQ(map_record.uv_rate_v[31], -0.0031f);
  EXPECT_EQ(map_record.sky_tex, 20002);
  EXPECT_FLOAT_EQ(map_record.sky_rate_u, 0.01f);
  EXPECT_FLOAT_EQ(map_record.sky_rate_v, 0.02f);
  EXPECT_EQ(messages(), (std::vector<std::string>{"UV\xA6U\xBC\xC6\xB6W\xB9L5\xAD\xD3!!"}));
  EXPECT_EQ(read_MapIndex(9), 0);
}

TEST_F(MapIndex, WithoutScrollSetNothingIsReadAndSkySetZeroMeansNoSky) {
  EXPECT_EQ(read_MapIndex(2), 1);  // scroll set 0: the sky row is not read either
  EXPECT_EQ(map_record.sky_tex, 0);
  EXPECT_EQ(read_MapIndex(3), 1);  // sky set 0 names no row
  EXPECT_EQ(map_record.uv_tex[0], 10500);
  EXPECT_FLOAT_EQ(map_record.uv_rate_u[0], 1.0f);
  EXPECT_EQ(map_record.sky_tex, 0);
  EXPECT_EQ(read_MapIndex(4), 1);  // a sky row whose texture is 0
  EXPECT_EQ(messages(), (std::vector<std::string>{"\xA4\xD1\xAA\xC5uv\xAA\xAB\xA5\xF3\xB6K\xB9\xCF\xBDs\xB8\xB9\xACO0"}));
  map_record.sky_set = 50;  // past the sky rows
  read_maps_uv(3);
  EXPECT_EQ(map_record.sky_tex, 0);
}

TEST_F(MapIndex, ScrollTexturesResolveToWorldTextureIndices) {
  map_record = MapRecord{};
  map_record.uv_set = 1;
  map_record.uv_tex[0] = 10001, map_record.uv_rate_u[0] = 0.5f;
  map_record.uv_tex[1] = 10002;
  map_record.uv_tex[2] = 10003;
  const std::uint32_t world[] = {7, 10002, 10001, 10001, 4};
  resolve_map_uv_tex(world, std::size(world));
  EXPECT_EQ(map_record.uv_tex[0], 2);
  EXPECT_EQ(map_record.uv_tex[1], 1);
  EXPECT_EQ(map_record.uv_tex[2], 0);  // not in the world: reported and cleared
  EXPECT_EQ(map_record.uv_tex[3], 3);  // the second texture of 10001 takes the first free slot ...
  EXPECT_FLOAT_EQ(map_record.uv_rate_u[3], 0.5f);  // ... with its speeds
  EXPECT_EQ(messages(), (std::vector<std::string>{
                            "\xA6""a\xB9\xCFuv\xB3]\xA9w,\xB6K\xB9\xCF\xBDs\xB8\xB9[10003]\xA7\xE4\xA4\xA3\xA8\xEC!!"}));
  // Numbers of 10000 and less are indices already: resolving stops there.
  map_record.uv_tex[0] = 10000;
  map_record.uv_tex[1] = 10002;
  resolve_map_uv_tex(world, std::size(world));
  EXPECT_EQ(map_record.uv_tex[1], 10002);
  resolve_map_uv_tex(nullptr, 0);  // no world
}

TEST_F(MapIndex, TheSkyTextureResolvesToTheModelsTextureIndex) {
  map_record = MapRecord{};
  map_record.sky_set = 1, map_record.sky_tex = 20002;
  const std::uint32_t model[] = {1, 20002, 20002};
  resolve_sky_uv_tex(model, std::size(model));
  EXPECT_EQ(map_record.sky_tex, 1);
  map_record.sky_tex = 30000;
  resolve_sky_uv_tex(model, std::size(model));
  EXPECT_EQ(map_record.sky_tex, 0);
  EXPECT_EQ(messages().size(), 1u);
}

TEST_F(MapsDb, ProductionListsGiveTheObjectsOfTheKeysUnlockedRecords) {
  // Records of flag 100 stay locked; those of 101 open.
  constexpr std::uint16_t locked = 100, unlocked = 101;
  MapsDat db;
  db.recipes[1] = {{5, locked, {501, 502}}, {5, unlocked, {503, 504}}, {6, unlocked, {601}}, {5, unlocked, {505}}};
  load(db);
  set_flag(unlocked);
  select_maps_recipe(1);
  std::vector<int> got;
  for (int i = 0; i < 5; ++i) got.push_back(read_maps_recipe(5));
  EXPECT_EQ(got, (std::vector<int>{503, 504, 505, 0, 0}));
  select_maps_recipe(1);
  EXPECT_EQ(read_maps_recipe(6), 601);
  EXPECT_EQ(read_maps_recipe(5), 505);  // the cursor moves on across keys
  select_maps_recipe(0);
  EXPECT_EQ(read_maps_recipe(5), 0);    // an empty list
  select_maps_recipe(9);
  EXPECT_EQ(read_maps_recipe(5), 0);    // lists 0-3 only
}

TEST_F(MapsDb, ARecipeRecordLongerThanItsTableStopsAtThePool) {
  MapsDat db;
  ByteWriter w;
  constexpr std::uint16_t unlocked = 0;
  w.u16(5).u16(unlocked).u16(60000).u16(501);  // claims 60000 objects
  db.raw_tables[maps_recipes_3] = w.bytes();
  db.raw_tables[maps_world_places] = {};  // the rest of the pool is short
  for (int k = maps_world_places + 1; k <= maps_table_count; ++k) db.raw_tables[k] = {};
  load(db);
  set_flag(unlocked);
  select_maps_recipe(3);
  EXPECT_EQ(read_maps_recipe(5), 501);
  EXPECT_EQ(read_maps_recipe(5), 0);
}

TEST_F(MapsDb, KeyedTextsAreFoundByKeyAndCutToTheCallersBuffer) {
  MapsDat db;
  db.type_names = {{201, "tools"}, {202, "swords"}};
  db.hints = {{1, "hint one%N"}, {2, std::string(80, 'h')}};
  db.map_names = {{101, "village"}, {102, "\xAB\xE1\xA4s\xA4p\xAE|"}};
  load(db);
  char out[16];
  EXPECT_EQ(read_maps_type_name(202, out, sizeof out), 1);
  EXPECT_STREQ(out, "swords");
  EXPECT_EQ(read_maps_type_name(203, out, sizeof out), 0);
  EXPECT_STREQ(out, "");
  EXPECT_EQ(read_maps_hint(1, out, sizeof out), 1);
  EXPECT_STREQ(out, "hint one%N");
  EXPECT_EQ(read_maps_hint(2, out, sizeof out), 1);
  EXPECT_EQ(std::string(out), std::string(15, 'h'));
  char small[6];
  EXPECT_EQ(read_maps_name(102, small, sizeof small), 1);
  EXPECT_STREQ(small, "\xAB\xE1\xA4s");  // five bytes would split the third character
  EXPECT_EQ(read_maps_name(103, out, sizeof out), 0);
}

TEST_F(MapsDb, AnUnendedTextEndsItsTable) {
  MapsDat db;
  ByteWriter w;
  w.u16(1).raw(std::string_view("one%Q"));
  w.u16(2).raw(std::string_view("two without mark"));
  db.raw_tables[maps_map_names] = w.bytes();
  for (int k = maps_map_names + 1; k <= maps_table_count; ++k) db.raw_tables[k] = {};
  load(db);
  EXPECT_EQ(name_of(1), "one");
  EXPECT_EQ(name_of(2), "<none>");
  EXPECT_EQ(name_of(3), "<none>");
}

TEST_F(MapsDb, MapGroupsNameTheirTalk) {
  MapsDat db;
  db.map_groups = {{"south", 31, {1, 2}}, {"north", 32, {3}}, {"east", 33, {}}};
  load(db);
  std::uint16_t talk = 0;
  EXPECT_EQ(read_maps_group_talk(2, &talk), 1);
  EXPECT_EQ(talk, 31);
  EXPECT_EQ(read_maps_group_talk(3, &talk), 1);
  EXPECT_EQ(talk, 32);
  EXPECT_EQ(read_maps_group_talk(9, &talk), 0);
  EXPECT_EQ(talk, 33);  // the last group's talk number
}

TEST_F(MapsDb, ActRowsFillAThreeByThreeBlockStoredColumnByColumn) {
  MapsDat db;
  db.act_rows = {{3001, {1, 2, 3, 4, 5, 6, 7, 8, 9}}, {3002, {9, 9, 9, 9, 9, 9, 9, 9, 9}},
                 {3001, {11, 12, 13, 14, 15, 16, 17, 18, 19}}};
  load(db);
  std::uint16_t out[10] = {};
  EXPECT_EQ(read_maps_act(0, out), 0);
  EXPECT_EQ(read_maps_act(3001, out), 1);
  // The later row wins; file order 1..9 goes to out[1], [4], [7], [2], [5], [8], [3], [6], [9].
  const std::uint16_t expected[10] = {1, 11, 14, 17, 12, 15, 18, 13, 16, 19};
  EXPECT_TRUE(std::equal(std::begin(out), std::end(out), std::begin(expected)));
  std::uint16_t untouched[10] = {5, 5, 5, 5, 5, 5, 5, 5, 5, 5};
  EXPECT_EQ(read_maps_act(4000, untouched), 1);
  EXPECT_EQ(untouched[0], 5);
}

TEST_F(MapsDb, NoFightRowsAnswerTheirFlagsState) {
  constexpr std::uint16_t clear = 300, set = 301;
  MapsDat db;
  db.nofight = {{1, clear}, {2, set}, {1, set}};
  load(db);
  set_flag(set);
  EXPECT_EQ(check_maps_nofight(1), 0);  // the first row of the map counts
  EXPECT_EQ(check_maps_nofight(2), 1);
  EXPECT_EQ(check_maps_nofight(3), 0);
}

TEST_F(MapsDb, RoleScalesTakeTheLastMatchingRow) {
  MapsDat db;
  db.scales = {{1200, 150, 0}, {1200, 250, 128}, {1300, 50, 0}};
  load(db);
  MapRole role;
  role.RoleID = 1200;
  EXPECT_EQ(apply_maps_role_scale(&role), 1);
  EXPECT_FLOAT_EQ(role.scale, 2.5f);
  EXPECT_EQ(role.opacity, 128);
  role = MapRole{};
  role.RoleID = 1400;
  apply_maps_role_scale(&role);
  EXPECT_FLOAT_EQ(role.scale, 0.0f);
}

TEST_F(MapsDb, SummonAndPlaceListsAreBoundedByTheirEndMarks) {
  MapsDat db;
  constexpr std::uint16_t clear = 400, set = 401;
  db.summons = {{clear, 9, 3}, {set, 8, 5}};
  db.places = {101, 102, 103};
  load(db);
  set_flag(set);
  EXPECT_EQ(count_maps_summon(), 2);
  std::uint16_t out[3];
  read_maps_summon(out, 0);
  EXPECT_EQ(out[0], 0xFFFF);  // its flag is clear
  EXPECT_EQ(out[1], 9);
  EXPECT_EQ(out[2], 3);
  read_maps_summon(out, 1);
  EXPECT_EQ(out[0], set);
  for (int n : {2, 50, -1}) {
    read_maps_summon(out, n);
    EXPECT_EQ(out[0] | out[1] | out[2], 0) << n;
  }
  EXPECT_EQ(count_maps_place(), 3);
  EXPECT_EQ(read_maps_place(2), 103);
  EXPECT_EQ(read_maps_place(3), 0);
  EXPECT_EQ(read_maps_place(-5), 0);
}

TEST_F(MapsDb, UnendedRowTablesStopAtThePoolEnd) {
  MapsDat db;
  ByteWriter w;
  w.u16(101).u16(102);  // no 0xFFFF
  db.raw_tables[maps_place_list] = w.bytes();
  db.raw_tables[maps_mood_rows] = {};
  load(db);
  EXPECT_EQ(count_maps_place(), 2);
  EXPECT_EQ(read_maps_place(1), 102);
}

}  // namespace

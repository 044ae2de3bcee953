// The map role table built from placement rows, the rows as saved state, role variables and
// the maprole.txt dump.
#include "data/map_role.h"

#include <cstring>

#include "core/byte_reader.h"
#include "data/maprole_txt.h"
#include "data/maps_db.h"
#include "data/role_rows.h"
#include "data/role_vars.h"
#include "field/map_change.h"
#include "field/map_file.h"
#include "field/minimap.h"
#include "platform/message_box.h"
#include "tests/data/data_test.h"
#include "tests/fixtures/maps_writer.h"

namespace {
using namespace fixtures;

MapsRoleRow row(std::uint16_t map, std::uint16_t id, std::uint16_t state = 0) {
  MapsRoleRow r;
  r.MapID = map, r.RoleID = id, r.flagEx = 2, r.ACT = 3001, r.QQ = 4, r.DIR = 90;
  r.X = 100, r.Y = -10, r.Z = 300, r.TALK = 7, r.AI = 8, r.STATE = state;
  return r;
}

class MapRoles : public data_test::DataTest {
 protected:
  void load() {
    write("maps.dat", maps_dat(db));
    open_maps_data();
  }
  MapsDat db;
};

TEST_F(MapRoles, AMapsRolesAreBuiltFromItsRowsInTableOrder) {
  db.roles = {row(1, 1001, 0x0100), row(2, 2001), row(1, 0), row(1, 1002, 0x8000)};
  db.roles[3].X = 55;
  db.act_rows = {{3001, {1, 2, 3, 4, 5, 6, 7, 8, 9}}};
  db.scales = {{1001, 200, 90}, {1002, 300, 0}};
  load();
  gmMapRole[0].X = 12.5f;  // party entries keep their fields
  set_role_var_row(1002, 0, 41);
  set_role_var_row(1002, 1, 42);
  EXPECT_EQ(read_maps_role(1), 1);
  ASSERT_EQ(gmMapRoleCount, 6);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(gmMapRole[i].RoleID, 0xFF01 + i);
  EXPECT_FLOAT_EQ(gmMapRole[0].X, 12.5f);
  const MapRole& a = gmMapRole[4];
  EXPECT_EQ(a.RoleID, 1001);
  EXPECT_EQ(a.flagEx, 2);
  EXPECT_EQ(a.anim.act, 3001);
  EXPECT_EQ(a.anim.qq, 4);
  EXPECT_EQ(a.TALK, 7);
  EXPECT_EQ(a.AI, 8);
  EXPECT_EQ(a.STATE, 0x0100u);
  EXPECT_FLOAT_EQ(a.DIR, 90.0f);
  EXPECT_FLOAT_EQ(a.X, 100.0f);
  EXPECT_FLOAT_EQ(a.Y, -10.0f);  // the stored word is signed
  EXPECT_FLOAT_EQ(a.Z, 300.0f);
  EXPECT_EQ(a.fade_alpha, 255);
  EXPECT_EQ(a.act_rows[0], 1);
  EXPECT_EQ(a.act_rows[4], 2);
  EXPECT_FLOAT_EQ(a.collision_radius, 0.0f);  // STATE bit 8: half the model box (none loaded here)
  EXPECT_FLOAT_EQ(a.head_height, -15.0f);
  EXPECT_FLOAT_EQ(a.scale, 2.0f);
  EXPECT_EQ(a.opacity, 90);
  const MapRole& b = gmMapRole[5];
  EXPECT_EQ(b.RoleID, 1002);
  EXPECT_FLOAT_EQ(b.collision_radius, 50.0f);
  EXPECT_FLOAT_EQ(b.scale, 0.0f);  // its role-variable row comes after the scale row
  EXPECT_EQ(b.var[0], 41);
  EXPECT_EQ(b.var[1], 42);
  EXPECT_EQ(player_role_index, 5);  // STATE bit 15
  EXPECT_FLOAT_EQ(map_entry_pos.x, 55.0f);
  EXPECT_FLOAT_EQ(map_entry_pos.y, -10.0f);
  EXPECT_TRUE(messages().empty());
}

TEST_F(MapRoles, RoleVariablesAreAddressedByNumber) {
  MapRole role;
  role.RoleID = 1234, role.TALK = 5, role.AI = 6;
  *role_var(role, 3) = 33;
  EXPECT_EQ(role.var[2], 33);
  EXPECT_EQ(*role_var(role, 7), 1234);
  EXPECT_EQ(*role_var(role, 8), 5);
  EXPECT_EQ(*role_var(role, 9), 6);
  *role_var(role, 11) = 1;
  EXPECT_EQ(role.var_high[1], 1);
  EXPECT_EQ(role_var(role, 0), nullptr);
  EXPECT_EQ(role_var(role, 17), nullptr);
}

TEST_F(MapRoles, DuplicateRoleIdsAreReportedAndLeftOut) {
  db.roles = {row(1, 1001), row(1, 1001), row(1, 1003)};
  load();
  read_maps_role(1);
  ASSERT_EQ(gmMapRoleCount, 6);
  EXPECT_EQ(gmMapRole[5].RoleID, 1003);
  EXPECT_EQ(gmMapRole[6].RoleID, 0);
  EXPECT_EQ(messages(), (std::vector<std::string>{"read_maps_role(...)\xBF\xF9\xBB~!!\xA8\xA4\xA6\xE2ID[1001]\xAD\xAB\xBD\xC6"}));
}

TEST_F(MapRoles, AFullTableIsReportedOnce) {
  const std::string full = "read_maps_role(...) \xBF\xF9\xBB~  \xA8\xA4\xA6\xE2 BUFFER \xA4x\xBA\xA1";
  for (int rows : {300, 252}) {
    db.roles.clear();
    for (int i = 0; i < rows; ++i) db.roles.push_back(row(1, static_cast<std::uint16_t>(2000 + i)));
    load();
    clear_messages();
    read_maps_role(1);
    EXPECT_EQ(gmMapRoleCount, map_role_capacity) << rows;
    EXPECT_EQ(gmMapRole[255].RoleID, 2251) << rows;
    EXPECT_EQ(messages(), (std::vector<std::string>{full})) << rows;
  }
  EXPECT_EQ(add_maps_role(1, 2260), 1);  // no room: reported, but the row moves to the map
  EXPECT_EQ(gmMapRoleCount, map_role_capacity);
}

TEST_F(MapRoles, MarkedRolesGetMinimapMarkersUnlessHidden) {
  db.roles = {row(1, 1135), row(1, 1136, 0x1), row(1, 1140)};
  db.roles[0].DIR = 450;
  load();
  minimap.Clear();
  read_maps_role(1);
  const MinimapMarker* m = minimap.FindMarker(1135);
  ASSERT_NE(m, nullptr);
  EXPECT_EQ(m->label, 6);
  EXPECT_EQ(m->colour, 0xFFFF0000u);
  EXPECT_FLOAT_EQ(m->angle, 90.0f);
  EXPECT_EQ(m->size, 5);
  EXPECT_EQ(minimap.FindMarker(1136), nullptr);  // STATE bit 0
  EXPECT_EQ(minimap.FindMarker(1140), nullptr);
}

TEST_F(MapRoles, AddingARoleMovesItsRowAndAppendsIt) {
  db.roles = {row(2, 3001, 0x8000), row(1, 1001)};
  load();
  read_maps_role(1);
  EXPECT_EQ(add_maps_role(1, 0), 0);
  EXPECT_EQ(add_maps_role(1, 4444), 1);  // no row: nothing
  EXPECT_EQ(gmMapRoleCount, 5);
  EXPECT_EQ(add_maps_role(1, 3001), 1);
  ASSERT_EQ(gmMapRoleCount, 6);
  EXPECT_EQ(gmMapRole[5].RoleID, 3001);
  EXPECT_EQ(get_maps_role_map(3001), 1);
  EXPECT_EQ(player_role_index, 5);
}

TEST_F(MapRoles, GetMapsRoleAnswersTheLiveStateBeforeTheStoredRow) {
  db.roles = {row(1, 1001), row(2, 2001)};
  load();
  read_maps_role(1);
  gmMapRole[4].X = 777.0f;
  MapRole out;
  std::uint16_t map = 99;
  EXPECT_EQ(get_maps_role(1001, &out, &map), 1);
  EXPECT_FLOAT_EQ(out.X, 777.0f);
  EXPECT_EQ(map, 99);
  EXPECT_EQ(get_maps_role(2001, &out, &map), 1);
  EXPECT_EQ(map, 2);
  EXPECT_FLOAT_EQ(out.X, 100.0f);
  EXPECT_FLOAT_EQ(out.Y, -10.0f);
  EXPECT_EQ(get_maps_role(0, &out, &map), 0);
  EXPECT_EQ(get_maps_role(5555, &out, &map), 0);
}

TEST_F(MapRoles, StateIsKeptAcrossMapChangesThroughTheRows) {
  db.roles = {row(1, 1001), row(1, 1002)};
  load();
  map_record.map_number = 1;
  read_maps_role(1);
  MapRole& walker = gmMapRole[4];
  walker.X = 359.9f, walker.Y = -2.5f, walker.Z = 70000.0f, walker.DIR = 359.9f;
  walker.STATE = 0x40000 | 0x80000 | 0x10 | 0x10000;
  walker.kept_dir = 180.0f;
  walker.anim.qq = 9;
  gmMapRole[5].RoleID = 0xFFFF;  // retired by a script: never written back
  gmMapRole[0].X = 1.0f;
  save_all_maps_role();
  EXPECT_EQ(walker.STATE, 0x10u | 0x10000u);  // the temporary turn is undone
  EXPECT_FLOAT_EQ(walker.DIR, 180.0f);
  EXPECT_FLOAT_EQ(walker.turn_dir, 180.0f);
  read_maps_role(2);
  read_maps_role(1);
  const MapRole& back = gmMapRole[4];
  EXPECT_EQ(back.RoleID, 1001);
  EXPECT_FLOAT_EQ(back.X, 359.0f);
  EXPECT_FLOAT_EQ(back.Y, -2.0f);
  EXPECT_FLOAT_EQ(back.Z, 4464.0f);  // 70000 cut to its low 16 bits, as the game stores it
  EXPECT_FLOAT_EQ(back.DIR, 180.0f);
  EXPECT_EQ(back.anim.qq, 0);
  EXPECT_EQ(back.STATE, 0x10u);  // the row keeps the low 16 bits
  EXPECT_EQ(gmMapRole[5].RoleID, 1002);
}

TEST_F(MapRoles, OutOfRangeFloatsAreStoredWithoutUndefinedConversions) {
  db.roles = {row(1, 1001)};
  load();
  MapRole role;
  role.RoleID = 1001;
  role.X = 1e20f, role.Y = -1e20f, role.Z = std::numeric_limits<float>::quiet_NaN(), role.DIR = -1.0f;
  save_maps_role(3, &role);
  MapsRoleRow r = read_maps_role_row(static_cast<std::size_t>(find_maps_role_row(1001)));
  EXPECT_EQ(r.MapID, 3);
  EXPECT_EQ(r.X, 0xFFFF);   // saturated to 2^31 - 1, low 16 bits
  EXPECT_EQ(r.Y, 0);        // saturated to -2^31, low 16 bits
  EXPECT_EQ(r.Z, 0);
  EXPECT_EQ(r.DIR, 0xFFFF);
}

TEST_F(MapRoles, RowSettersChangeTheFirstRowOfTheRole) {
  db.roles = {row(1, 1001, 0x0006), row(2, 1001)};
  load();
  EXPECT_EQ(set_maps_role_state(1001, 0x0004, 0), 1);
  EXPECT_EQ(get_maps_role_state(1001), 0x0002);
  EXPECT_EQ(set_maps_role_state(1001, 0x0100, 1), 1);
  EXPECT_EQ(get_maps_role_state(1001), 0x0102);
  EXPECT_EQ(set_maps_role_state(9999, 1, 1), 0);
  EXPECT_EQ(get_maps_role_state(9999), 0);
  set_maps_role_map(1001, 5);
  EXPECT_EQ(get_maps_role_map(1001), 5);
  EXPECT_EQ(get_maps_role_map(9999), 0);
  set_maps_role_xyz(1001, 10.9f, -3.7f, 20.2f);
  EXPECT_EQ(set_maps_role_dir(1001, 359.9f), 1);
  EXPECT_EQ(set_maps_role_talk(1001, 11), 1);
  EXPECT_EQ(set_maps_role_ai(1001, 12), 1);
  EXPECT_EQ(set_maps_role_qq(1001, 13), 1);
  EXPECT_EQ(set_maps_role_act(1001, 14), 1);
  EXPECT_EQ(set_maps_role_flagex(1001, 0x10), 1);
  for (int (*setter)(std::uint16_t, std::uint16_t) :
       {set_maps_role_talk, set_maps_role_ai, set_maps_role_qq, set_maps_role_act, set_maps_role_flagex})
    EXPECT_EQ(setter(9999, 1), 0);
  EXPECT_EQ(set_maps_role_dir(9999, 1.0f), 0);
  MapsRoleRow r = read_maps_role_row(static_cast<std::size_t>(find_maps_role_row(1001)));
  EXPECT_EQ(r.X, 10);
  EXPECT_EQ(r.Y, -3);
  EXPECT_EQ(r.Z, 20);
  EXPECT_EQ(r.DIR, 359);
  EXPECT_EQ(r.TALK, 11);
  EXPECT_EQ(r.AI, 12);
  EXPECT_EQ(r.QQ, 13);
  EXPECT_EQ(r.ACT, 14);
  EXPECT_EQ(r.flagEx, 0x12);
  MapsRoleRow second = read_maps_role_row(static_cast<std::size_t>(find_maps_role_row(1001)) + maps_role_row_size);
  EXPECT_EQ(second.MapID, 2);  // the later row is never touched
  EXPECT_EQ(second.TALK, 7);
  EXPECT_EQ(maps_role_row_block().size(), 2 * maps_role_row_size);
}

TEST_F(MapRoles, TheCapStepReportsWhatIsMissing) {
  db.roles = {row(1, 1001)};
  load();
  read_maps_role(1);
  apply_cap(1001, 1);
  apply_cap(4242, 1);
  EXPECT_EQ(messages(), (std::vector<std::string>{
                            "\xBF\xF9\xBB~ : \xA8\xA4\xA6\xE2ID:1001 \xA8S\xA6\xB3""Cap\xB8\xEA\xAE\xC6",
                            "\xBF\xF9\xBB~ : \xA7\xE4\xA4\xA3\xA8\xEC\xAB\xFC\xA9w\xA4\xA7 \xA8\xA4\xA6\xE2ID:4242"}));
}

class RoleVars : public MapRoles {
 protected:
  RoleVars() { load(); }
  std::uint16_t value(int row, int index) {
    return ByteReader(gmRoleVar, role_var_block_size).u16_at(std::size_t(row) * 18 + 2 + 2 * std::size_t(index));
  }
};

TEST_F(RoleVars, SettingCreatesTheRowOnceAndKeepsOtherValues) {
  EXPECT_EQ(set_role_var_row(1001, 0, 5), 0);
  EXPECT_EQ(set_role_var_row(1001, 4, 6), 1);
  EXPECT_EQ(set_role_var_row(1002, 7, 9), 0);
  EXPECT_EQ(value(0, 0), 5);
  EXPECT_EQ(value(0, 4), 6);
  EXPECT_EQ(value(1, 7), 9);
  EXPECT_EQ(set_role_var_row(1001, 8, 1), 0);  // indices 0-7 only
  EXPECT_EQ(set_role_var_row(0, 0, 1), 0);     // RoleID 0 marks a free row
  EXPECT_EQ(gmRoleVar[2 * 18], 0);
}

TEST_F(RoleVars, AddingSaturatesAt0xFFFF) {
  EXPECT_EQ(add_role_var_row(1001, 1, 0xFFF8), 0);
  EXPECT_EQ(add_role_var_row(1001, 1, 10), 1);
  EXPECT_EQ(value(0, 1), 0xFFFF);
}

TEST_F(RoleVars, IndexTwoIsVariableThreeAndTheScaleTimesAHundred) {
  MapRole role;
  role.RoleID = 1001;
  EXPECT_EQ(load_role_vars(&role), 0);
  EXPECT_EQ(set_role_var_scale(1001, -0.5f), 0);
  EXPECT_EQ(set_role_var_row(1001, 0, 3), 1);
  EXPECT_EQ(load_role_vars(&role), 1);
  EXPECT_FLOAT_EQ(role.scale, -0.5f);
  EXPECT_EQ(role.var[0], 3);
  set_role_var_row(1001, 2, 150);  // variable 3 written by a script ...
  load_role_vars(&role);
  EXPECT_FLOAT_EQ(role.scale, 1.5f);  // ... reads back as the scale; saves rely on it
  EXPECT_EQ(role.var[2], 0);          // variables 3-8 are not restored
  EXPECT_EQ(set_role_var_scale(1001, 1e9f), 1);  // saturated, no undefined conversion
}

TEST_F(RoleVars, RestoringARowKeepsIndicesZeroToTwo) {
  set_role_var_row(1001, 5, 55);
  const std::uint16_t saved[4] = {1001, 1, 2, 3};
  EXPECT_EQ(put_role_var(saved), 1);
  EXPECT_EQ(value(0, 0), 1);
  EXPECT_EQ(value(0, 2), 3);
  EXPECT_EQ(value(0, 5), 55);
  const std::uint16_t fresh[4] = {1002, 4, 5, 6};
  EXPECT_EQ(put_role_var(fresh), 0);
  EXPECT_EQ(value(1, 2), 6);
  for (int i = 3; i < 8; ++i) EXPECT_EQ(value(1, i), 0);
}

TEST_F(RoleVars, AFullBlockIsReportedAndTheValueDropped) {
  for (int i = 0; i < role_var_row_count; ++i) set_role_var_row(static_cast<std::uint16_t>(1 + i), 0, 1);
  EXPECT_TRUE(messages().empty());
  EXPECT_EQ(set_role_var_row(9000, 0, 1), 0);
  EXPECT_EQ(add_role_var_row(9000, 0, 1), 0);
  EXPECT_EQ(set_role_var_row(7281, 0, 2), 1);  // existing rows still change
  EXPECT_EQ(messages(), (std::vector<std::string>{"set_role_var_row(...) \xBF\xF9\xBB~  gmRoleVar \xA4w\xBA\xA1",
                                                  "add_role_var_row(...) \xBF\xF9\xBB~  gmRoleVar \xA4w\xBA\xA1"}));
}

TEST_F(MapRoles, TheDumpWritesOneLinePerRow) {
  db.roles = {row(1, 1001, 0x2a), row(12, 40000)};
  db.roles[1].Y = 5;
  load();
  write_maprole_txt();
  const std::string expected =
      "\xA8\xA4\xA6\xE2...............\n"
      ";  \t\t  MapID   RoleID    flagEx   ACT    QQ    DIR      X       Y       Z         TALK     AI     STATE\n"
      "\t             1,   1001,      2,   3001,    4,   90,\t   100,     -10,     300,       7,        8,    2ah    ;\n"
      "\t            12,  40000,      2,   3001,    4,   90,\t   100,       5,     300,       7,        8,     0h    ;\n";
  EXPECT_EQ(dir.read("maprole.txt"), expected);
}

TEST_F(MapRoles, ADumpThatCannotBeWrittenShowsAMessageBox) {
  load();
  std::filesystem::create_directory(dir.path() / "maprole.txt");
  platform::clear_recorded_boxes();
  write_maprole_txt();
  ASSERT_EQ(platform::recorded_boxes().size(), 1u);
  EXPECT_EQ(platform::recorded_boxes()[0].text, "\xB5L\xAAk\xAB\xD8\xA5\xDF XXX.txt \xC0\xC9\xAE\xD7");
  EXPECT_EQ(platform::recorded_boxes()[0].caption, "\xBF\xF9\xBB~");
}

}  // namespace

// Seeds for fuzz_maps: maps.dat files: the sample game's and one with every table filled.
#include "fuzz/seeds.h"
#include "tests/fixtures/maps_writer.h"
#include "tests/fixtures/sample_data.h"

namespace {
using namespace fixtures;
using Seeds = std::vector<std::pair<std::string, fuzz_seeds::Bytes>>;

void maps_seeds(Seeds& seeds) {
  seeds.emplace_back("sample.dat", sample_data_file("maps.dat"));
  MapsDat db;
  db.header_units = 2;
  db.start.money(5).bag({1, 2}).equip(0, {2, 2, 2, 2, 2, 2, 2, 2, 2, 2}).arts(1, {3}).command(12);
  MapsRoleRow role;
  role.MapID = 1, role.RoleID = 1135, role.X = 10, role.Y = -10, role.STATE = 0x8100;
  db.roles = {role};
  role.RoleID = 1136;
  db.roles.push_back(role);
  db.music = {{1, 1, 0, 2, 0}};
  db.music_names = {"", "a.mp3", "b.mp3"};
  db.index = {{1, 1, 0x40, 1, 1}};
  db.encounter_sets = {{{{{0, 100}, {10, 50}, {10, 50}, {10, 50}}}}};
  db.battle_areas = {{1, {0, 0, 0}, {100, 100, 100}, {4, 5}}, {1, {0, 0, 0}, {9, 9, 9}, {}}};
  db.type_names = {{201, "type"}};
  db.rage_rows = {{{{{10, 5}, {20, 12}, {0, 0}, {0, 0}, {0, 0}, {0, 0}, {0, 0}, {0, 0}}}}};
  db.recipes[0] = {{1, 0, {1, 2}}, {1, 5, {3}}};
  db.world_places = {{9001, 1, 10, 20, 0, 3, "place"}};
  db.uv_rows = {{1, 10001, 5, -5}, {1, 10002, 0, 0}};
  db.sky_rows = {{20001, 1, 1}};
  db.excite_rows = db.rage_rows;
  db.map_groups = {{"group", 7, {1, 2}}};
  db.act_rows = {{1, {1, 2, 3, 4, 5, 6, 7, 8, 9}}};
  db.hints = {{1, "hint"}};
  db.nofight = {{1, 40}};
  db.scales = {{1135, 150, 100}};
  db.map_names = {{1, "map"}};
  db.summons = {{0, 3, 1}};
  db.places = {1, 2};
  db.mood_rows = db.rage_rows;
  seeds.emplace_back("tables.dat", maps_dat(db));
}

QORV_FUZZ_SEEDS("maps", maps_seeds);

}  // namespace

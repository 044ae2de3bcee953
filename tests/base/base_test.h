#pragma once
// Shared set-up of the base camp's tests: a game directory with an object database holding the
// house kinds and a few monsters, an empty settlement, no exiles and no resources, and the
// narrator role whose boxes carry the base's messages.
#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "base/build_grid.h"
#include "base/escort.h"
#include "base/exiles.h"
#include "base/house_table.h"
#include "base/houses.h"
#include "base/resources.h"
#include "data/map_role.h"
#include "data/object_db.h"
#include "data/party.h"
#include "tests/data/data_test.h"
#include "tests/fixtures/base_kit.h"
#include "ui/talk_msg.h"

namespace base_test {

// Monsters of the database: plain ones and a story character.
enum : std::uint16_t { wolf = 134, bear = 135, fox = 136, story_monster = 137 };
// What every house kind costs in the database: metal, wood, coal, money.
constexpr std::uint16_t house_metal = 10, house_wood = 20, house_coal = 30, house_money = 25;

class BaseTest : public data_test::DataTest {
 protected:
  BaseTest() {
    std::vector<fixtures::ObjectRecord> objects;
    while (objects.size() < story_monster) objects.push_back(fixtures::ObjectRecord::empty_record());
    objects[wolf - 1] = fixtures::ObjectRecord().name("wolf").kind(111).level(3);
    objects[bear - 1] = fixtures::ObjectRecord().name("bear").kind(111).level(5);
    objects[fox - 1] = fixtures::ObjectRecord().name("fox").kind(112).level(1);
    objects[story_monster - 1] = fixtures::ObjectRecord().name("hero").kind(111).story_flag(1);
    fixtures::add_house_objects(objects, house_metal, house_wood, house_coal, house_money);
    write("ObjData.GLL", fixtures::objdata_gll(objects));
    SFINIT0_open_item_data();
    open_item_data();
    reset_settlement();
    gmMapRoleCount = 1;
    gmMapRole[0] = MapRole{};
    gmMapRole[0].RoleID = party_role_first;
  }
  ~BaseTest() override {
    reset_settlement();
    del_all_talkmsg();
    gmMapRoleCount = 0;
    close_item_data();
  }
  static void reset_settlement() {
    free_all_houses();
    for (std::int32_t& cell : BuildGrid) cell = cell_free;
    clear_exiles();
    exile_refill_notice = 0;
    build_house_table();
    house_table_top = 0;
    list_row = 1;
    build_escort_data();
    party_money = party_metal = party_wood = party_coal = 0;
  }
  // Replaces the object database with these records and the house kinds.
  void use_objects(std::vector<fixtures::ObjectRecord> objects) {
    fixtures::add_house_objects(objects, house_metal, house_wood, house_coal, house_money);
    close_item_data();
    write("ObjData.GLL", fixtures::objdata_gll(objects));
    SFINIT0_open_item_data();
    open_item_data();
  }
  static void rich() { party_money = party_metal = party_wood = party_coal = 1000; }
  // A placed, paid house of the kind anchored at (row, col).
  static HouseRecord* built_house(int kind, int row, int col) {
    HouseRecord* h = add_house(kind, 0, 0, 0, 0);
    h->grid_row = row;
    h->grid_col = col;
    h->placed = h->built = 1;
    mark_house_cells(h);
    return h;
  }
  // Fills the house's next slots with the monsters, without jobs.
  static void put(HouseRecord* h, std::initializer_list<std::uint16_t> monsters) {
    for (std::uint16_t m : monsters) h->residents[h->resident_count++].monster = m;
  }
  // The texts of the open message boxes, oldest first.
  static std::vector<std::string> boxes() {
    std::vector<std::string> out;
    for (const TalkMsg* m = talkmsg_head(); m; m = m->next) out.push_back(m->text ? m->text : "");
    return out;
  }
};

}  // namespace base_test

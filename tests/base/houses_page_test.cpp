// The houses page's rules on the highlighted house: a dwelling whose residents the exile list
// cannot take stays, an upgrade's level goes to the house that paid for it, and a demolished
// formation ground leaves the escort records.
#include "base/houses_screen.h"

#include <gtest/gtest.h>

#include "base/base_numbers.h"
#include "base/base_scene.h"
#include "base/house_kinds.h"
#include "base/residents.h"
#include "tests/base/base_test.h"

namespace {
using namespace base_test;

class HousesPage : public BaseTest {
 protected:
  ~HousesPage() override {
    houses_state = house_command = upgrade_running = 0;
    selected_house_id = 0;
  }
  // Highlights the house's row of the houses table.
  static void select(const HouseRecord* h) {
    build_house_table();
    house_table_top = 0;
    for (int i = 0; i < house_table_rows; ++i)
      if (house_table[std::size_t(i)].id == h->id) list_row = i + 1;
    ASSERT_EQ(house_of_selected_row(), h);
  }
};

TEST_F(HousesPage, ADwellingWhoseResidentsTheExileListCannotTakeIsNotDemolished) {
  HouseRecord* spare = built_house(house_thatch, 0, 0);
  HouseRecord* full = built_house(house_timber, 4, 4);
  put(full, {wolf, bear});
  // Room for one exile only: the two residents would not both find a place.
  while (exile_count() < exile_entries - 2) ASSERT_EQ(add_exile(fox), 1);
  select(full);
  demolish_selected_house();
  EXPECT_EQ(full->active, 1);
  EXPECT_EQ(full->resident_count, 2);
  EXPECT_EQ(exile_count(), exile_entries - 2);
  EXPECT_EQ(boxes(), std::vector<std::string>{"\xAC\x79\xA9\xF1\xA9\x7E\xA5\xC1\xB9\x4C\xA6\x68\xA1\x41\xBD\xD0\xAD\xAB\xB7\x73"
                                               "\xB0\xB5\xBD\xD5\xBE\xE3!%Q"});  // 流放居民過多，請重新做調整!%Q
  // With room for both they leave as exiles (the first move on into the spare dwelling) and
  // the house goes; nobody is lost.
  del_all_talkmsg();
  remove_exile(exile_count());
  select(full);
  demolish_selected_house();
  EXPECT_EQ(full->active, 0);
  EXPECT_EQ(exile_count() + spare->resident_count, exile_entries - 1);
}

TEST_F(HousesPage, AnUpgradeRaisesTheHouseThatPaidEvenWhenAnotherRowIsHighlighted) {
  rich();
  HouseRecord* paid = built_house(house_formation, 0, 0);
  HouseRecord* other = built_house(house_formation, 4, 4);
  select(paid);
  upgrade_selected_house();
  ASSERT_EQ(upgrade_running, 1);
  const int level = paid->level;
  select(other);  // the player moves on while the effect plays
  while (has_base_effect(2)) draw_base_effects();
  houses_state = houses_commands;
  draw_houses_panel();
  EXPECT_EQ(upgrade_running, 0);
  EXPECT_EQ(paid->level, level + 1);
  EXPECT_EQ(other->level, level);
}

TEST_F(HousesPage, ADemolishedFormationGroundTakesItsGuardOutOfTheEscortRecords) {
  HouseRecord* home = built_house(house_timber, 0, 0);
  put(home, {wolf, bear});
  HouseRecord* first = built_house(house_formation, 9, 0);
  HouseRecord* second = built_house(house_formation, 9, 4);
  assign_worker(first, home, 0);
  assign_worker(second, home, 1);
  build_escort_data();
  ASSERT_EQ(escort_data[0].object_id, wolf);
  ASSERT_EQ(escort_data[1].object_id, bear);
  select(first);
  demolish_selected_house();
  ASSERT_EQ(remove_inactive_house(), 1);
  EXPECT_EQ(escort_data[0].object_id, bear) << "the second ground is now the first record";
  EXPECT_EQ(escort_data[1].object_id, 0);
  EXPECT_EQ(home->residents[0].link, 0) << "the guard went home without a job";
}

}  // namespace

// The sample game's second battle play as a process: the encounter on the mountain path, its
// fight-talk script (the battle music, the leader's call, the victory allowed), the command
// wheel, an attack whose target moves from the boar to the hare (with the monster panel looked
// at on the way), the herb used on the leader, the fire art cast on the boar, the victory, the
// results (experience shared with the leader's treasure, a level-up, money and two spoils),
// the path again and a save from the items page. The slot and fame.dat are read back for the
// battle's results.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "battle/fame.h"
#include "data/object_db.h"
#include "data/role_data.h"
#include "tests/app/sample_run.h"
#include "tests/fixtures/sample_data.h"
#include "tests/fixtures/sample_fight_talk.h"
#include "tests/fixtures/sample_game.h"
#include "tests/fixtures/temp_folder.h"

namespace {

using sample_run::bag_of;
using sample_run::expect_frame;

// The party's money before the battle: the new game's 100 and the villager's 50.
constexpr int money_before = 150;
// The leader's treasure takes a tenth of the experience.
constexpr int battle_exp = kit::sample_boar_exp + kit::sample_hare_exp;
constexpr int treasure_share = battle_exp / 10;

// The lines the program writes when a fight-talk script or an ATK script fails, lower-cased:
// the fight-talk reports all name it ("fight talk", "FightTalk", "Fight Talk"); " atk 指令錯誤"
// is the ATK interpreter's.
bool has_script_error(std::string log) {
  for (char& c : log)
    if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
  for (const char* mark : {"fight talk", "fighttalk", "ftalk", " atk \xab\xfc\xa5o\xbf\xf9\xbb~"})
    if (log.find(mark) != std::string::npos) return true;
  return false;
}

class BattleTwoProcess : public ::testing::Test {
 protected:
  void TearDown() override {
    free_fame();
    close_item_data();
  }
  fixtures::TempFolder dir;
};

TEST_F(BattleTwoProcess, TheBattleIsPlayedThroughAndItsResultsAreSavedAndKeptInTheFameList) {
  // The developer keys on: F3 shows the monster panel.
  ASSERT_TRUE(fixtures::write_sample_game(dir.path(), true));
  ASSERT_EQ(sample_run::run_script(dir, "battle_two.txt"), 0) << dir.read("qorv.out");
  const std::string log = dir.read("debug.txt");
  EXPECT_NE(log.find("Start Call Fight:2"), std::string::npos) << log;
  EXPECT_FALSE(has_script_error(log)) << log;

  // The wheel of the first turn; the hare's panel; the HUD with the leader healed by the herb;
  // the results' experience.
  expect_frame(dir, 928, "battle_two_command_wheel");
  expect_frame(dir, 955, "battle_two_monster_panel");
  expect_frame(dir, 1300, "battle_two_hud_after_herb");
  expect_frame(dir, 1850, "battle_two_results_experience");

  SaveImage image;
  ASSERT_TRUE(sample_run::read_slot_zero(dir, image)) << log;
  RoleData leader{};
  role_data_from_image(image.roles[0], leader);
  EXPECT_EQ(leader.stats[stat_level], 2) << "the battle's experience raised the leader a level";
  EXPECT_EQ(leader.exp, battle_exp - treasure_share);
  EXPECT_EQ(image.header.resources[0], money_before + kit::sample_boar_money + kit::sample_hare_money);
  // One herb used, one dropped by the hare; the boar's bell; the save stone used for the save.
  const std::map<int, int> expected = {{fixtures::sample_bell, 1},         {fixtures::sample_herb, 3},
                                       {fixtures::sample_revive_herb, 1}, {fixtures::sample_ginseng, 1},
                                       {fixtures::sample_party_potion, 1}, {fixtures::sample_level_pill, 1}};
  EXPECT_EQ(bag_of(image), expected);
  // The treasure the leader wears kept its share in the save's treasure records.
  ASSERT_EQ(image.treasures.size(), 1u);
  FameNode treasure;
  record_image::read_image(std::span<const std::uint8_t, fame_node_image_size>(image.treasures[0]), treasure);
  EXPECT_EQ(treasure.id, fixtures::sample_treasure);
  EXPECT_EQ(treasure.type, fame_type_treasure);
  EXPECT_EQ(treasure.level, 1);
  EXPECT_EQ(treasure.exp, treasure_share);

  // fame.dat, written beside the save, holds the bell found in the spoils and the two maps.
  // Reading it looks its objects up, in the sample's object list.
  ASSERT_TRUE(install_item_data(fixtures::sample_data_file("ObjData.GLL")));
  const std::string fame = dir.read("fame.dat");
  ASSERT_EQ(load_fame_image(std::vector<std::uint8_t>(fame.begin(), fame.end())), 1);
  EXPECT_NE(fame_find(fixtures::sample_bell, fame_type_object), nullptr);
  EXPECT_NE(fame_find(fixtures::sample_village, fame_type_map), nullptr);
  EXPECT_NE(fame_find(fixtures::sample_path, fame_type_map), nullptr);
  EXPECT_EQ(fame_find(fixtures::sample_treasure, fame_type_treasure), nullptr) << "treasures travel in saves";
}

}  // namespace

// The sample game's field items and arts played as a process: after the opening the level-up
// pill is used on the leader, the story art tells the path's talk (in which the leader stumbles),
// the recovery art heals him, and the save stone saves into slot 0 from the items page. What the
// visit leaves behind is read back from that slot.
#include <gtest/gtest.h>

#include <map>

#include "data/role_data.h"
#include "tests/app/sample_run.h"
#include "tests/fixtures/sample_data.h"
#include "tests/fixtures/sample_game.h"
#include "tests/fixtures/temp_folder.h"

namespace {

using sample_run::bag_of;
using sample_run::expect_frame;
using sample_run::play_to_saved_slot;

// The story art costs 3 MP; the recovery art 4 MP and 3 SP.
constexpr int story_art_mp = 3, restore_art_mp = 4, restore_art_sp = 3;

TEST(SampleItemsProcess, TheLevelUpPillTheArtsAndTheSaveStoneLeaveTheirMarksInTheSave) {
  fixtures::TempFolder dir;
  SaveImage image;
  ASSERT_TRUE(play_to_saved_slot(dir, "sample_items.txt", image));
  RoleData leader{};
  role_data_from_image(image.roles[0], leader);
  EXPECT_EQ(leader.stats[stat_level], 2) << "the pill raised the leader from the first level";
  // The level-up filled every gauge; the talk took 30 HP, which the recovery art gave back; both
  // arts were paid for.
  EXPECT_EQ(leader.hp, leader.max_hp);
  EXPECT_EQ(leader.mp, leader.max_mp - story_art_mp - restore_art_mp);
  EXPECT_EQ(leader.sp, leader.max_sp - restore_art_sp);
  // The pill is used up, and so is the stone, taken before the save it made was written; the
  // rest of the new game's bag and the villager's herb stay.
  const std::map<int, int> expected = {{fixtures::sample_herb, 3}, {fixtures::sample_revive_herb, 1},
                                       {fixtures::sample_ginseng, 1}, {fixtures::sample_party_potion, 1}};
  EXPECT_EQ(bag_of(image), expected);
  // The arts page with the recovery art chosen, its costs beside it; the items page after the
  // save, the stone gone.
  expect_frame(dir, 1525, "menu_arts_restore_chosen");
  expect_frame(dir, 1890, "menu_items_save_stone_taken");
}

}  // namespace

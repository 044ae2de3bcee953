// The sample game played as a process through its menu, its merchant and its summoner: the input
// scripts of input/ start a new game, play the opening onto the mountain path and go on from
// there. Chosen frames are compared with reference images; what a visit leaves behind is read
// back from the slot the script saves through the menu's system page.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "core/flags.h"
#include "tests/app/sample_run.h"
#include "tests/fixtures/sample_data.h"
#include "tests/fixtures/sample_game.h"
#include "tests/fixtures/temp_folder.h"
#include "tests/fixtures/user_cfg_writer.h"

namespace {

using sample_run::bag_of;
using sample_run::expect_frame;
using sample_run::play_to_saved_slot;
using sample_run::run_script;

// The music volume User.cfg holds: its first word.
int music_volume_of(const std::string& cfg) {
  std::int32_t v = -1;
  if (cfg.size() >= sizeof v) std::memcpy(&v, cfg.data(), sizeof v);
  return v;
}

// The new game's bag after the opening: two herbs and the villager's, a revive herb, a ginseng
// fruit, an all-party potion, a save stone and a level-up pill; 100 of the new game and 50 of the
// villager.
const std::map<int, int> opening_bag = {{fixtures::sample_herb, 3},         {fixtures::sample_revive_herb, 1},
                                        {fixtures::sample_ginseng, 1},      {fixtures::sample_party_potion, 1},
                                        {fixtures::sample_save_stone, 1},   {fixtures::sample_level_pill, 1}};
constexpr int opening_money = 100 + 50;
constexpr int merchant_gift = 200;  // the merchant's talk gives it before the shop opens

// The tour: a sword bought, a herb used on the leader (hurt in the opening), the sword exchanged for
// the one worn, the arts, the log, and the music 5 steps down on the options; leaving the menu
// writes User.cfg.
TEST(MenuShopProcess, TheMenuTourLowersTheMusicVolumeByTenInUserCfg) {
  fixtures::TempFolder dir;
  ASSERT_TRUE(fixtures::write_sample_game(dir.path()));
  fixtures::UserCfgFile cfg;
  cfg.music_volume = 64;
  const std::vector<std::uint8_t> cfg_bytes = fixtures::user_cfg_bytes(cfg);
  dir.write("User.cfg", std::string(cfg_bytes.begin(), cfg_bytes.end()));
  ASSERT_EQ(run_script(dir, "menu_tour.txt"), 0) << dir.read("qorv.out");
  EXPECT_EQ(music_volume_of(dir.read("User.cfg")), 64 - 10);
  // The status card of the leader, the new items' tab with the herbs chosen, the arts page with
  // the leader's header row and the fireball, the options with the music volume taken down.
  expect_frame(dir, 1299, "menu_status_cards");
  expect_frame(dir, 1339, "menu_items_page");
  expect_frame(dir, 1419, "menu_items_herb_used");  // the leader whole again, the effect rising
  expect_frame(dir, 1579, "menu_arts_page");
  expect_frame(dir, 1799, "menu_options_music");
}

// The merchant's visit of the shop scene, played on the path: two herbs and a sword bought, the
// sword to be worn at once (the equipment page opens), a herb sold; then saved.
TEST(MenuShopProcess, TheShopVisitLeavesTheBagAndMoneyAsBoughtAndSold) {
  fixtures::TempFolder dir;
  SaveImage image;
  ASSERT_TRUE(play_to_saved_slot(dir, "shop_visit.txt", image));
  EXPECT_EQ(image.header.resources[0], opening_money + merchant_gift - 2 * 20 - 120 + 20 / 2);
  std::map<int, int> expected = opening_bag;
  expected[fixtures::sample_herb] += 2 - 1;
  expected[fixtures::sample_sword] = 1;  // the leader wore a sword already: the bought one stays
  EXPECT_EQ(bag_of(image), expected);
  // The merchant's question over the path.
  expect_frame(dir, 1099, "shop_merchant_question");
}

// The summoner unlocks the wolf and gives three eggs; the summon is asked for, but no dwelling
// has room: the refusal takes nothing and the list stays. Then saved.
TEST(MenuShopProcess, TheSummonRefusedForNoRoomTakesNothing) {
  fixtures::TempFolder dir;
  SaveImage image;
  ASSERT_TRUE(play_to_saved_slot(dir, "summon_no_room.txt", image));
  std::map<int, int> expected = opening_bag;
  expected[fixtures::sample_egg] = 3;
  EXPECT_EQ(bag_of(image), expected);
  EXPECT_EQ(image.header.resources[0], opening_money);
  std::memcpy(global_flags, image.header.global_flags, sizeof image.header.global_flags);
  EXPECT_TRUE(test_flag(fixtures::sample_summon_flag)) << "the wolf stays unlocked";
  // The list with the wolf and the eggs after the refusal has closed.
  expect_frame(dir, 1195, "summon_list_after_refusal");
}

}  // namespace

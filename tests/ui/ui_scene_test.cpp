// The demo scenes of the interface kit run as the program, driven by replayed input: chosen
// frames are compared with reference images, and what the scenes leave behind is checked.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "tests/fixtures/sample_data.h"
#include "tests/fixtures/sample_game.h"
#include "tests/fixtures/temp_folder.h"
#include "tests/platform/raster/reference_image.h"
#include "qorv_source_dir.h"

namespace {

namespace fs = std::filesystem;

std::string line(const std::string& text) { return text + " \r\n"; }  // a debug.txt line

std::string input_script(const char* name) { return std::string(QORV_SOURCE_DIR) + "/tests/ui/input/" + name; }

// Runs qorv in dir with the scene, its input script (or none) and frame count; the exit code.
int run_scene(const fixtures::TempFolder& dir, const char* scene, const char* input, int frames) {
  std::string command = "cd '" + dir.str() + "' && QORV_BACKEND=headless QORV_SHOTS=shots QORV_SCENE=" + scene +
                        " QORV_FRAMES=" + std::to_string(frames);
  if (input) command += " QORV_INPUT='" + input_script(input) + "'";
  command += " '" QORV_EXE "' >qorv.out 2>&1";
  const int status = std::system(command.c_str());
  return status >= 256 ? status / 256 : status;
}

void expect_frame(const fixtures::TempFolder& dir, int n, const std::string& reference) {
  SCOPED_TRACE(reference);
  const test_support::Frame565 frame = test_support::shot_on_screen((dir.path() / "shots").string(), n);
  ASSERT_EQ(frame.width, 640) << "no shot up to frame " << n;
  EXPECT_EQ(test_support::compare_with_reference(reference, frame), "");
}

TEST(UiScenes, TheUiSceneShowsItsPiecesAndTakesTheSecondAnswer) {
  fixtures::TempFolder dir;
  ASSERT_TRUE(fixtures::write_sample_game(dir.path()));
  ASSERT_EQ(run_scene(dir, "ui", "ui.txt", 160), 0) << dir.read("qorv.out");
  EXPECT_NE(dir.read("debug.txt").find("ui scene: choice 1 \r\n"), std::string::npos) << dir.read("debug.txt");
  expect_frame(dir, 20, "ui_scene_first_page");
  expect_frame(dir, 62, "ui_scene_choice");
  // The time box opens after the choice and closes by the clock, so the frames of it and of the
  // fade that follows vary with the machine's speed; once faded the screen is black.
  expect_frame(dir, 159, "ui_scene_faded");
}

TEST(UiScenes, TheKeysSceneRebindsSlotFourAndSavesIt) {
  fixtures::TempFolder dir;
  ASSERT_TRUE(fixtures::write_sample_game(dir.path()));
  ASSERT_EQ(run_scene(dir, "keys", "keys.txt", 45), 0) << dir.read("qorv.out");
  expect_frame(dir, 12, "keys_scene_waiting");
  expect_frame(dir, 25, "keys_scene_taken");
  const std::string cfg = dir.read("User.cfg");
  ASSERT_EQ(cfg.size(), 400u);
  const int slot = 4, offset = 8 + 4 * slot;  // after the two volumes
  EXPECT_EQ(static_cast<unsigned char>(cfg[std::size_t(offset)]), 'w');
  EXPECT_EQ(cfg[std::size_t(offset) + 1], 0);
}

TEST(UiScenes, TheJoySceneShowsTheButtons) {
  fixtures::TempFolder dir;
  ASSERT_TRUE(fixtures::write_sample_game(dir.path()));
  ASSERT_EQ(run_scene(dir, "joy", nullptr, 5), 0) << dir.read("qorv.out");
  expect_frame(dir, 4, "joy_scene");
}

// The merchant's visit: two herbs and a sword bought, "equip now" answered yes (the menu opens
// and is left), a herb sold. The scene writes the party's money and bag into debug.txt when the
// program ends.
TEST(UiScenes, TheShopSceneBuysAndSellsAndLeavesTheBagAndMoneyAsDealt) {
  fixtures::TempFolder dir;
  ASSERT_TRUE(fixtures::write_sample_game(dir.path()));
  ASSERT_EQ(run_scene(dir, "shop", "shop.txt", 380), 0) << dir.read("qorv.out");
  const std::string debug = dir.read("debug.txt");
  // 100 of the new game and 200 of the merchant, less two herbs of 20 and a sword of 120, and
  // half a herb's price back.
  const int money = 100 + 200 - 2 * 20 - 120 + 20 / 2;
  const std::string herb = std::to_string(fixtures::sample_herb), sword = std::to_string(fixtures::sample_sword);
  const std::string expected = line("shop scene: money " + std::to_string(money)) +
                               line("shop scene: bag " + sword + " x 1") +  // the newest piece first
                               line("shop scene: bag " + herb + " x " + std::to_string(2 + 2 - 1)) +
                               // the new game's other goods, untouched by the visit
                               line("shop scene: bag " + std::to_string(fixtures::sample_revive_herb) + " x 1") +
                               line("shop scene: bag " + std::to_string(fixtures::sample_ginseng) + " x 1") +
                               line("shop scene: bag " + std::to_string(fixtures::sample_party_potion) + " x 1") +
                               line("shop scene: bag " + std::to_string(fixtures::sample_save_stone) + " x 1") +
                               line("shop scene: bag " + std::to_string(fixtures::sample_level_pill) + " x 1") +
                               line("shop scene: member 0 wears " + sword + " " +
                                    std::to_string(fixtures::sample_cloth) + " 0");
  EXPECT_NE(debug.find(expected), std::string::npos) << debug;
  // The weapons' tab with a sword chosen: its description, the total and the balance.
  expect_frame(dir, 145, "shop_buy_sword");
  // The sell list with a herb chosen at half its price, the confirm button taken.
  expect_frame(dir, 300, "shop_sell_herb");
}

// The summoning list's question answered yes while no dwelling has room: the refusal takes
// nothing, the entry stays unlocked and nobody moves in.
TEST(UiScenes, TheSummonSceneIsRefusedForNoRoomAndTakesNothing) {
  fixtures::TempFolder dir;
  ASSERT_TRUE(fixtures::write_sample_game(dir.path()));
  ASSERT_EQ(run_scene(dir, "summon", "summon.txt", 120), 0) << dir.read("qorv.out");
  const std::string debug = dir.read("debug.txt");
  const std::string expected = line("summon scene: eggs 3") +
                               line("summon scene: entry 0 flag " + std::to_string(fixtures::sample_summon_flag) +
                                    " monster " + std::to_string(fixtures::sample_wolf) + " cost 3") +
                               line("summon scene: residents 0");
  EXPECT_NE(debug.find(expected), std::string::npos) << debug;
  // The list with the wolf and the question.
  expect_frame(dir, 55, "summon_question");
}

}  // namespace

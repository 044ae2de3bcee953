// The sample game's opening scene as a process: the committed input plays it through the
// answer, the village, the fades and the change to the mountain path, and no talk reports.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "tests/fixtures/sample_game.h"
#include "tests/fixtures/temp_folder.h"

namespace {

TEST(StorySceneProcess, TheOpeningPlaysToTheMountainPathWithoutATalkError) {
  fixtures::TempFolder dir;
  ASSERT_TRUE(fixtures::write_sample_game(dir.path()));
  const std::string input = std::string(QORV_SOURCE_DIR) + "/tests/app/input/story_scene.txt";
  const std::string command = "cd '" + dir.str() + "' && QORV_BACKEND=headless QORV_INPUT='" + input +
                              "' QORV_SHOTS=shots '" QORV_EXE "' >qorv.out 2>&1";
  ASSERT_EQ(std::system(command.c_str()), 0) << dir.read("qorv.out");
  const std::string log = dir.read("debug.txt");
  EXPECT_EQ(log.find("Talk"), std::string::npos) << log;
  EXPECT_EQ(log.find("\xB9\xEF\xB8\xDC"), std::string::npos) << log;  // 對話
  EXPECT_NE(log.find("load_map[102]"), std::string::npos) << "the scene reached the path";
  // The fade to black drew frames after the villager's box closed.
  int after_box = 0;
  for (const auto& entry : std::filesystem::directory_iterator(dir.path() / "shots"))
    if (entry.path().filename().string() > "000613.png") ++after_box;
  EXPECT_GT(after_box, 5);
}

}  // namespace

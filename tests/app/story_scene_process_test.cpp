// The sample game's opening scene as a process: the committed input plays it through the
// answer, the village, the fades and the change to the mountain path, and no talk reports. Four
// key frames are compared with reference frames: the camera on the villager after its swing,
// the villager by the player, the black between the fades, and the mountain path.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/png_reader.h"
#include "tests/fixtures/sample_game.h"
#include "tests/fixtures/temp_folder.h"
#include "tests/platform/raster/reference_image.h"
#include "qorv_source_dir.h"

namespace {

test_support::Frame565 shot(const std::filesystem::path& file) {
  test_support::Frame565 f;
  EXPECT_TRUE(platform::read_png_rgb565(file.string(), f.pixels, f.width, f.height)) << file;
  return f;
}

// Plays the committed input on a fresh sample game, with the environment settings `env` added;
// the program's exit code.
int play_story(const fixtures::TempFolder& dir, const std::string& env = "") {
  if (!fixtures::write_sample_game(dir.path())) return -1;
  const std::string input = std::string(QORV_SOURCE_DIR) + "/tests/app/input/story_scene.txt";
  const std::string command = "cd '" + dir.str() + "' && " + env + " QORV_BACKEND=headless QORV_SEED=1 QORV_INPUT='" + input +
                              "' QORV_SHOTS=shots '" QORV_EXE "' >qorv.out 2>&1";
  return std::system(command.c_str());
}

// The opening played once on four drawing threads serves every test of the suite: the program
// is deterministic, so a second identical run would only repeat the first.
class StorySceneProcess : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    four_threads_ = new fixtures::TempFolder;
    exit_code_ = play_story(*four_threads_, "QORV_RASTER_THREADS=4");
  }
  static void TearDownTestSuite() {
    delete four_threads_;
    four_threads_ = nullptr;
  }
  static fixtures::TempFolder* four_threads_;
  static int exit_code_;
};
fixtures::TempFolder* StorySceneProcess::four_threads_ = nullptr;
int StorySceneProcess::exit_code_ = -1;

TEST_F(StorySceneProcess, TheOpeningPlaysToTheMountainPathWithoutATalkError) {
  const fixtures::TempFolder& dir = *four_threads_;
  ASSERT_EQ(exit_code_, 0) << dir.read("qorv.out");
  const std::string log = dir.read("debug.txt");
  EXPECT_EQ(log.find("Talk"), std::string::npos) << log;
  EXPECT_EQ(log.find("\xB9\xEF\xB8\xDC"), std::string::npos) << log;  // 對話
  EXPECT_NE(log.find("load_map[102]"), std::string::npos) << "the scene reached the path";
  // The key frames: the swing ends on the villager before it walks; it stands by the player
  // before its box opens; the first black frame; the path after its box closed.
  const std::filesystem::path shots = dir.path() / "shots";
  const struct {
    const char* reference;
    const char* frame;
  } key_frames[] = {{"story_camera_on_villager", "000356.png"},
                    {"story_villager_by_player", "000635.png"},
                    {"story_black", "000709.png"},
                    {"story_mountain_path", "000820.png"}};
  for (const auto& k : key_frames)
    EXPECT_EQ(test_support::compare_with_reference(k.reference, shot(shots / k.frame)), "") << k.frame;
}

// The headless program keeps virtual time, so the village's smoke, the fades and the boxes'
// clocks advance by frames alone, and the 3D device's frames do not depend on how many threads
// draw them: a second run, its 3D drawn on the game's thread alone, draws every frame the same.
TEST_F(StorySceneProcess, ASecondRunOnOneDrawingThreadDrawsTheSameFrames) {
  const fixtures::TempFolder& first = *four_threads_;
  fixtures::TempFolder second;
  ASSERT_EQ(exit_code_, 0) << first.read("qorv.out");
  ASSERT_EQ(play_story(second, "QORV_RASTER_THREADS=1"), 0) << second.read("qorv.out");
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(first.path() / "shots"))
    names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  std::size_t second_count = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(second.path() / "shots")) ++second_count;
  EXPECT_EQ(names.size(), second_count);
  for (const std::string& name : names)
    ASSERT_EQ(first.read("shots/" + name), second.read("shots/" + name)) << name;
}

}  // namespace

// The demo scenes of the interface kit run as the program, driven by replayed input: chosen
// frames are compared with reference images, and what the scenes leave behind is checked.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "platform/png_reader.h"
#include "tests/fixtures/sample_game.h"
#include "tests/fixtures/temp_folder.h"
#include "tests/platform/raster/reference_image.h"

namespace {

namespace fs = std::filesystem;

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

// The frame on screen at frame n: the last shot written at or before it (a shot is written only
// when the frame changed).
test_support::Frame565 frame_at(const fixtures::TempFolder& dir, int n) {
  test_support::Frame565 frame;
  int best = -1;
  for (const auto& entry : fs::directory_iterator(dir.path() / "shots")) {
    const int number = std::atoi(entry.path().stem().string().c_str());
    if (number <= n && number > best) best = number;
  }
  if (best < 0) return frame;
  char name[32];
  std::snprintf(name, sizeof name, "%06d.png", best);
  platform::read_png_rgb565((dir.path() / "shots" / name).string(), frame.pixels, frame.width, frame.height);
  return frame;
}

void expect_frame(const fixtures::TempFolder& dir, int n, const std::string& reference) {
  SCOPED_TRACE(reference);
  const test_support::Frame565 frame = frame_at(dir, n);
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

}  // namespace

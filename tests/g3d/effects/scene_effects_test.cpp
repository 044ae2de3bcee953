// The demo scene "effects" run as the program in the sample game: two of its frames against
// reference frames, and the animated camera's end in the log.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "platform/png_reader.h"
#include "tests/fixtures/sample_game.h"
#include "tests/fixtures/temp_folder.h"
#include "tests/platform/raster/reference_image.h"

namespace {

void expect_shot(const fixtures::TempFolder& dir, const char* file, const char* reference) {
  test_support::Frame565 frame;
  ASSERT_TRUE(platform::read_png_rgb565((dir.path() / "shots" / file).string(), frame.pixels, frame.width,
                                        frame.height))
      << file;
  const std::string failure = test_support::compare_with_reference(reference, frame);
  EXPECT_TRUE(failure.empty()) << failure;
}

TEST(EffectsScene, RunsHeadlessWithItsFramesAndTheCameraRig) {
  fixtures::TempFolder dir;
  ASSERT_TRUE(fixtures::write_sample_game(dir.path()));
  const std::string command = "cd '" + dir.str() +
                              "' && QORV_BACKEND=headless QORV_SCENE=effects QORV_FRAMES=100 QORV_SHOTS=shots '" +
                              QORV_EXE + "' >qorv.out 2>&1";
  ASSERT_EQ(std::system(command.c_str()), 0) << dir.read("qorv.out");
  expect_shot(dir, "000020.png", "effects_scene_frame_20");
  expect_shot(dir, "000050.png", "effects_scene_frame_50");
  EXPECT_NE(dir.read("debug.txt").find("effects scene: act camera ended \r\n"), std::string::npos);
}

}  // namespace

// The sample game's opening scene as a process: the committed input plays it through the
// answer, the village, the fades and the change to the mountain path, and no talk reports. Four
// key frames are compared with reference frames: the camera on the villager after its swing,
// the villager by the player, the black between the fades, and the mountain path.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "platform/png_reader.h"
#include "tests/fixtures/sample_game.h"
#include "tests/fixtures/temp_folder.h"
#include "tests/fixtures/user_cfg_writer.h"
#include "tests/platform/raster/reference_image.h"

namespace {

test_support::Frame565 shot(const std::filesystem::path& file) {
  test_support::Frame565 f;
  EXPECT_TRUE(platform::read_png_rgb565(file.string(), f.pixels, f.width, f.height)) << file;
  return f;
}

TEST(StorySceneProcess, TheOpeningPlaysToTheMountainPathWithoutATalkError) {
  fixtures::TempFolder dir;
  ASSERT_TRUE(fixtures::write_sample_game(dir.path()));
  // The village's smoke moves by the real time between frames: the map effects are switched off,
  // so that the frames replay exactly.
  fixtures::UserCfgFile cfg;
  cfg.options[2] = 1;
  const std::vector<std::uint8_t> cfg_bytes = fixtures::user_cfg_bytes(cfg);
  dir.write("User.cfg", std::string_view(reinterpret_cast<const char*>(cfg_bytes.data()), cfg_bytes.size()));
  const std::string input = std::string(QORV_SOURCE_DIR) + "/tests/app/input/story_scene.txt";
  const std::string command = "cd '" + dir.str() + "' && QORV_BACKEND=headless QORV_SEED=1 QORV_INPUT='" + input +
                              "' QORV_SHOTS=shots '" QORV_EXE "' >qorv.out 2>&1";
  ASSERT_EQ(std::system(command.c_str()), 0) << dir.read("qorv.out");
  const std::string log = dir.read("debug.txt");
  EXPECT_EQ(log.find("Talk"), std::string::npos) << log;
  EXPECT_EQ(log.find("\xB9\xEF\xB8\xDC"), std::string::npos) << log;  // 對話
  EXPECT_NE(log.find("load_map[102]"), std::string::npos) << "the scene reached the path";
  // The key frames: the swing ends on the villager before it walks; it stands by the player
  // before its box opens; the first black frame, which the fade's frame steps reach whatever the time; the
  // path after its box closed.
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

}  // namespace

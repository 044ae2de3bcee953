// The screenshot key: its naming (existing names of any kind are skipped and never overwritten),
// and the key itself in a headless run of the program.
#include "app/screenshot_key.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "core/paths.h"
#include "platform/png_reader.h"
#include "tests/fixtures/sample_game.h"
#include "tests/fixtures/save_image_writer.h"
#include "tests/fixtures/temp_folder.h"

namespace {

namespace fs = std::filesystem;

class ScreenshotName : public ::testing::Test {
 protected:
  void SetUp() override { game_dir = dir.str(); }
  std::string shot(int n) const {
    char name[16];
    std::snprintf(name, sizeof name, "Pic/%04d.bmp", n);
    return name;
  }
  fixtures::TempFolder dir{true};
};

TEST_F(ScreenshotName, TakesTheFirstNameAndMakesThePicFolder) {
  std::string name = reserve_screenshot_name();
  EXPECT_EQ(name, game_dir + "\\Pic\\0000.bmp");
  EXPECT_TRUE(fs::is_directory(dir.path() / "Pic"));
  EXPECT_TRUE(fs::exists(dir.path() / shot(0))) << "the name is held until the picture is written";
  EXPECT_EQ(reserve_screenshot_name(), game_dir + "\\Pic\\0001.bmp");
}

// A name that exists but cannot be read as a file (a folder, a file without read permission,
// a name in other case) is taken, not free.
TEST_F(ScreenshotName, SkipsEveryExistingNameReadableOrNot) {
  fs::create_directories(dir.path() / shot(0));
  dir.write(shot(1), "not readable");
  fs::permissions(dir.path() / shot(1), fs::perms::none);
  dir.write("Pic/0002.BMP", "other case");
  EXPECT_EQ(reserve_screenshot_name(), game_dir + "\\Pic\\0003.bmp");
  fs::permissions(dir.path() / shot(1), fs::perms::owner_read | fs::perms::owner_write);
  EXPECT_EQ(dir.read(shot(1)), "not readable");
  EXPECT_EQ(dir.read("Pic/0002.BMP"), "other case");
}

TEST_F(ScreenshotName, WritesNothingWhenAllNamesAreTaken) {
  fs::create_directories(dir.path() / "Pic");
  for (int n = 0; n < 3000; ++n) std::ofstream(dir.path() / shot(n)) << n;
  EXPECT_EQ(reserve_screenshot_name(), "");
  take_screenshot();
  EXPECT_FALSE(fs::exists(dir.path() / "Pic/3000.bmp"));
  EXPECT_EQ(dir.read(shot(0)), "0");
  EXPECT_EQ(dir.read(shot(2999)), "2999");
}

// The name is held by an empty file until the picture is written; a shot that cannot be
// written (no back buffer to lock) gives the name back.
TEST_F(ScreenshotName, LeavesNoEmptyFileBehind) {
  take_screenshot();
  ASSERT_TRUE(fs::is_directory(dir.path() / "Pic"));
  for (const fs::directory_entry& entry : fs::directory_iterator(dir.path() / "Pic"))
    EXPECT_GT(entry.file_size(), 0u) << entry.path();
}

// 'p' on the sample game's title: one BMP, Pic/0000.bmp, holding the frame on the screen when
// the key was read (the one presented before), each 16-bit colour widened with zero low bits.
TEST(ScreenshotKey, WritesTheShownFrameIntoPic0000) {
  fixtures::TempFolder dir;
  ASSERT_TRUE(fixtures::write_sample_game(dir.path()));
  dir.write("input.txt", "10 down p\n11 up p\n30 close\n");
  const std::string command = "cd '" + dir.str() +
                              "' && QORV_BACKEND=headless QORV_SEED=1 QORV_INPUT=input.txt QORV_SHOTS=shots '" QORV_EXE
                              "' >qorv.out 2>&1";
  ASSERT_EQ(std::system(command.c_str()), 0) << dir.read("qorv.out");
  EXPECT_FALSE(fs::exists(dir.path() / "Pic/0001.bmp")) << "one press, one picture";
  const std::string file = dir.read("Pic/0000.bmp");
  const kit::BmpFile bmp = kit::read_bmp(std::vector<std::uint8_t>(file.begin(), file.end()));
  ASSERT_TRUE(bmp.ok);
  ASSERT_EQ(bmp.width, 640);
  ASSERT_EQ(bmp.height, 480);
  EXPECT_EQ(bmp.size_field, file.size());
  std::vector<std::uint16_t> shown;
  int width = 0, height = 0;
  ASSERT_TRUE(platform::read_png_rgb565((dir.path() / "shots/000009.png").string(), shown, width, height));
  ASSERT_EQ(shown.size(), 640u * 480u);
  int differing = 0;
  for (int y = 0; y < 480; ++y)
    for (int x = 0; x < 640; ++x) {
      const std::uint16_t p = shown[std::size_t(y) * 640 + std::size_t(x)];
      const std::array<std::uint8_t, 3> expected = {std::uint8_t((p & 0x1F) << 3), std::uint8_t(((p >> 6) & 0x1F) << 3),
                                                    std::uint8_t((p >> 11) << 3)};
      differing += bmp.pixel(x, y) != expected;
    }
  EXPECT_EQ(differing, 0);
}

}  // namespace

// The screenshot key's naming: existing names of any kind are skipped and never overwritten.
#include "app/screenshot_key.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "core/paths.h"
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

}  // namespace

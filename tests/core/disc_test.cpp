#include "core/disc.h"

#include <gtest/gtest.h>

#include "core/paths.h"
#include "platform/drives.h"
#include "platform/files.h"
#include "platform/message_box.h"
#include "tests/fixtures/temp_folder.h"

namespace {
using fixtures::TempFolder;

class Disc : public ::testing::Test {
 protected:
  void SetUp() override {
    platform::clear_drive_mappings();
    platform::clear_recorded_boxes();
    platform::set_volume_sources((dir.path() / "by-label").string(),
                                 (dir.path() / "mounts").string());
    game_dir = dir.str();
  }
  void TearDown() override { platform::clear_drive_mappings(); }
  TempFolder dir;
};

TEST_F(Disc, TheDiscIsFoundByItsExactLabel) {
  TempFolder disc;
  EXPECT_EQ(find_cd_drive("QORV_CD4"), 0);  // no disc: no letter, no message
  EXPECT_TRUE(platform::recorded_boxes().empty());
  platform::fake_volume("QORV_CD3", "/elsewhere");
  platform::fake_volume("QORV_CD4", disc.str());
  char letter = find_cd_drive("QORV_CD4");
  EXPECT_GE(letter, 'D');
  EXPECT_EQ(platform::drive_mount_point(letter), disc.str());
  EXPECT_EQ(find_cd_drive("qorv_cd4"), 0);
}

TEST_F(Disc, FileExists) {
  dir.write("Pic/0000.bmp", "b");
  EXPECT_EQ(file_exists(game_dir + "\\Pic\\0000.bmp"), 1);
  EXPECT_EQ(file_exists(game_dir + "\\PIC\\0000.BMP"), 1);
  EXPECT_EQ(file_exists(game_dir + "\\Pic\\0001.bmp"), 0);
  EXPECT_EQ(file_exists(game_dir + "\\Pic"), 0);
}

TEST_F(Disc, MarkerFileWantsTheMarkerAsItsFirstWord) {
  EXPECT_EQ(check_marker_file("wth"), 0);  // no file
  struct Case {
    std::string text;
    int result;
  };
  const Case cases[] = {
      {"!#$%&*+?", 1},
      {"  \r\n\t!#$%&*+? and more", 1},
      {"!#$%&*+?x", 0},
      {"!#$%&*+", 0},
      {"", 0},
      {"!#$%&*+?" + std::string(1000, '?'), 0},  // an overlong word is cut, not overrun
      {std::string(5000, ' ') + "!#$%&*+?", 1},
  };
  for (const Case& c : cases) {
    dir.write("wth", c.text);
    EXPECT_EQ(check_marker_file("WTH"), c.result) << c.text.substr(0, 40);
  }
  marker_hook();
}

TEST_F(Disc, WindowsErrorShowsTheLastErrorText) {
  platform::clear_recorded_boxes();
  EXPECT_FALSE(platform::file_exists(game_dir + "\\none.cfg"));
  show_windows_error();
  const auto& boxes = platform::recorded_boxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].caption,
            "Windows \xBF\xF9\xBB\x7E\xB0\x54\xAE\xA7\xA6\x43\xAA\xED");  // "Windows 錯誤訊息列表"
  EXPECT_EQ(boxes[0].text, platform::error_text(platform::last_error_code()));
  EXPECT_FALSE(boxes[0].text.empty());
}

}  // namespace

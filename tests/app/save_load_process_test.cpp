// The sample game played as a process: a new game saved into slot 0, then loaded from the title.
// The title's menu, the save screen and the load screen are compared with reference frames. The
// rows show each file's date: slot 1 is the data kit's file with a fixed date, and slot 0's date
// and play time are set to fixed values between the two runs, so that the frames never depend on
// the day the test runs.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/fixtures/sample_game.h"
#include "tests/fixtures/save_image_writer.h"
#include "tests/fixtures/temp_folder.h"
#include "tests/platform/raster/reference_image.h"
#include "ui/saves/save_file.h"
#include "ui/saves/save_header.h"

namespace {

namespace fs = std::filesystem;

int run_script(const fixtures::TempFolder& dir, const char* script, const char* shots) {
  const std::string command = "cd '" + dir.str() + "' && QORV_BACKEND=headless QORV_SEED=1 QORV_SHOTS=" + shots +
                              " QORV_INPUT='" + std::string(QORV_INPUT_DIR) + "/" + script + "' '" QORV_EXE
                              "' >qorv.out 2>&1";
  return std::system(command.c_str());
}

std::vector<std::uint8_t> bytes_of(const std::string& text) { return {text.begin(), text.end()}; }
std::string text_of(const std::vector<std::uint8_t>& bytes) { return {bytes.begin(), bytes.end()}; }

// The picture on the screen at frame n of the run that wrote its shots into folder.
test_support::Frame565 shown(const fixtures::TempFolder& dir, const char* folder, int n) {
  return test_support::shot_on_screen((dir.path() / folder).string(), n);
}

// Slot 1: an older save of a party of three, with a thumbnail of one colour.
std::vector<std::uint8_t> kit_slot_one() {
  kit::SaveKit save;
  save.time = {2001, 5, 4, 10, 12, 30, 0, 0};
  save.play_time = 3725;  // 1:02
  save.resources = {4321, 12, 34, 56};
  save.members = {1, 2, 3};
  save.levels = {5, 7, 12};
  save.map_name = "\xA4s\xB8\xF4";  // 山路
  save.thumbnail = kit::thumbnail_picture(0x03E0);  // green
  return kit::save_slot_file(kit::save_image(save));
}

// Slot 0 as the first run wrote it, with its date and play time fixed: newer than slot 1.
std::vector<std::uint8_t> fixed_slot_zero(const std::vector<std::uint8_t>& file) {
  std::vector<std::uint8_t> image;
  EXPECT_EQ(unpack_save_file(file, image), SaveUnpack::Ok);
  if (image.size() < save_header_size) return file;
  const std::uint16_t time[8] = {2001, 6, 6, 2, 9, 5, 0, 0};
  const std::uint32_t play_time = 1500;  // 0:25
  for (int i = 0; i < 8; ++i) {
    image[save_header_offset("time") + 2 * i] = std::uint8_t(time[i]);
    image[save_header_offset("time") + 2 * i + 1] = std::uint8_t(time[i] >> 8);
  }
  for (int i = 0; i < 4; ++i) image[save_header_offset("play_time") + i] = std::uint8_t(play_time >> (8 * i));
  return kit::save_slot_file(image);
}

TEST(SaveLoadProcess, ANewGameSavedInSlotZeroLoadsBackOntoTheMountainPath) {
  fixtures::TempFolder dir;
  ASSERT_TRUE(fixtures::write_sample_game(dir.path()));
  const std::vector<std::uint8_t> slot_one = kit_slot_one();
  dir.write("Save/01.sav", text_of(slot_one));

  ASSERT_EQ(run_script(dir, "new_game_save.txt", "shots1"), 0) << dir.read("qorv.out");
  EXPECT_TRUE(fs::is_regular_file(dir.path() / "Save" / "00.sav")) << dir.read("debug.txt");
  EXPECT_TRUE(fs::is_regular_file(dir.path() / "fame.dat"));
  EXPECT_EQ(dir.read("Save/01.sav"), text_of(slot_one)) << "saving into slot 0 leaves slot 1 alone";
  EXPECT_FALSE(fs::exists(dir.path() / "Save" / "02.sav"));
  // The title's menu before Enter (frame 20); the save screen before slot 0 is chosen (frame
  // 965): slot 0 empty, slot 1 with its thumbnail, date, party and resources.
  EXPECT_EQ(test_support::compare_with_reference("title_menu", shown(dir, "shots1", 19)), "");
  EXPECT_EQ(test_support::compare_with_reference("save_screen_thumbnail", shown(dir, "shots1", 964)), "");

  dir.write("Save/00.sav", text_of(fixed_slot_zero(bytes_of(dir.read("Save/00.sav")))));
  ASSERT_EQ(run_script(dir, "title_load.txt", "shots2"), 0) << dir.read("qorv.out");
  const std::string log = dir.read("debug.txt");
  EXPECT_NE(log.find("load_map[102]"), std::string::npos) << "the load enters the path, where the party saved\n" << log;
  // The load screen before slot 0 is chosen (frame 100): slot 0, the newest, on top with its
  // date and the thumbnail the save took of the field.
  EXPECT_EQ(test_support::compare_with_reference("load_screen_slot_zero", shown(dir, "shots2", 99)), "");
  // The last frame before the window closes: the party back on the path, where it saved.
  EXPECT_EQ(test_support::compare_with_reference("load_path_saved_spot", shown(dir, "shots2", 159)), "");
}

}  // namespace

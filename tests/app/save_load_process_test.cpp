// The sample game played as a process: a new game saved into slot 0, then loaded from the title.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "tests/fixtures/sample_game.h"
#include "tests/fixtures/temp_folder.h"

namespace {

int run_script(const fixtures::TempFolder& dir, const char* script) {
  const std::string command = "cd '" + dir.str() + "' && QORV_BACKEND=headless QORV_INPUT='" +
                              std::string(QORV_INPUT_DIR) + "/" + script + "' '" QORV_EXE "' >qorv.out 2>&1";
  return std::system(command.c_str());
}

TEST(SaveLoadProcess, ANewGameSavedInSlotZeroLoadsBackOntoTheMountainPath) {
  fixtures::TempFolder dir;
  ASSERT_TRUE(fixtures::write_sample_game(dir.path()));
  ASSERT_EQ(run_script(dir, "new_game_save.txt"), 0) << dir.read("qorv.out");
  EXPECT_TRUE(std::filesystem::is_regular_file(dir.path() / "Save" / "00.sav")) << dir.read("debug.txt");
  EXPECT_TRUE(std::filesystem::is_regular_file(dir.path() / "fame.dat"));
  EXPECT_FALSE(std::filesystem::exists(dir.path() / "Save" / "01.sav"));

  ASSERT_EQ(run_script(dir, "title_load.txt"), 0) << dir.read("qorv.out");
  const std::string log = dir.read("debug.txt");
  EXPECT_NE(log.find("load_map[102]"), std::string::npos) << "the load enters the path, where the party saved\n" << log;
}

}  // namespace

// The developer tools toured on the sample game made with --debug-keys: the committed input
// shows the text panel, the role boxes, the flag page, the console and its message after the
// line "3", the edit mode walking the leader and the IDD_SET_ACT dialog the script filled; F9
// leaves maprole.txt in the game folder.
#include <gtest/gtest.h>

#include "tests/app/sample_run.h"

namespace {

using sample_run::expect_frame;

TEST(DevTourProcess, TheToolsShowTheirViewsAndF9WritesTheRoleDump) {
  fixtures::TempFolder dir;
  ASSERT_TRUE(fixtures::write_sample_game(dir.path(), true));
  ASSERT_EQ(sample_run::run_script(dir, "dev_tour.txt"), 0) << dir.read("qorv.out");
  expect_frame(dir, 890, "tour_text_panel");
  expect_frame(dir, 920, "tour_role_boxes");
  expect_frame(dir, 950, "tour_flag_page");
  expect_frame(dir, 1000, "tour_console_line");
  expect_frame(dir, 1135, "tour_edit_mode");
  expect_frame(dir, 1190, "tour_set_act");
  EXPECT_FALSE(dir.read("maprole.txt").empty());
}

}  // namespace

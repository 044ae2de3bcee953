// The base-building talk commands 350-353 and the pointer glide.
#include "base/base_talk.h"

#include <gtest/gtest.h>

#include <vector>

#include "base/base_camp.h"
#include "base/base_pages.h"
#include "base/build_screen.h"
#include "base/house_table.h"
#include "base/houses_screen.h"
#include "core/key_mapping.h"
#include "script/script_cursor.h"

namespace {

class BaseTalk : public ::testing::Test {
 protected:
  BaseTalk() { reset(); }
  ~BaseTalk() override { reset(); }
  static void reset() {
    reset_base_screens();
    top_menu_cursor = 0;
    list_row = 1;
    guide_gliding = 0;
    mouse_x = mouse_y = 1;
    grp_input.set_mouse_rect(0, 0, 640, 480);
    grp_input.set_mouse_pos(1, 1);
  }
  // Runs one command (the opcode and its operand words) as the interpreter hands it over.
  static std::uint16_t run(std::vector<std::uint16_t> words) {
    std::vector<std::uint8_t> bytes;
    for (std::uint16_t w : words) bytes.push_back(std::uint8_t(w)), bytes.push_back(std::uint8_t(w >> 8));
    ScriptCursor at(bytes.data(), bytes.size(), 0, 0);
    return run_base_talk_cmd(words[0], at);
  }
};

TEST_F(BaseTalk, TheGlideMovesThreeAcrossAndTwoDownUntilItArrives) {
  mouse_x = 100, mouse_y = 100;
  const int xs[] = {103, 106, 109}, ys[] = {102, 104, 104};
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(run({351, 109, 104}), 0) << i;
    EXPECT_EQ(mouse_x, xs[i]);
    EXPECT_EQ(mouse_y, ys[i]);
  }
  EXPECT_EQ(run({351, 109, 104}), 6) << "the pointer found on the target";
  EXPECT_EQ(guide_gliding, 0);
  mouse_x = 108;
  EXPECT_EQ(run({351, 109, 104}), 0);
  EXPECT_EQ(mouse_x, 109) << "one pixel away arrives in one step";
}

TEST_F(BaseTalk, AGlideToATargetOffTheScreenStillArrives) {
  mouse_x = 630, mouse_y = 470;
  int runs = 0;
  while (run({351, 5000, 9000}) == 0 && runs < 100) ++runs;
  EXPECT_LT(runs, 100);
  EXPECT_EQ(mouse_x, 639);
  EXPECT_EQ(mouse_y, 479);
}

TEST_F(BaseTalk, PagesOpenAndResetByTheirCommands) {
  EXPECT_EQ(run({350, 3}), 4);
  EXPECT_EQ(base_sub_mode, base_top_menu);
  EXPECT_EQ(top_menu_page, page_houses);
  EXPECT_EQ(run({350, 77}), 4);
  EXPECT_EQ(top_menu_page, page_leave) << "a page number beyond the bar is its last page";
  houses_state = houses_demolish;
  residents_state = 2;
  EXPECT_EQ(run({352, 0, 4}), 6);
  EXPECT_EQ(top_menu_page, page_build) << "the build page, whatever page was open";
  EXPECT_EQ(houses_state, houses_list);
  EXPECT_EQ(residents_state, 0);
  EXPECT_EQ(list_row, 4);
  EXPECT_EQ(run({353, 9, 40}), 6);
  EXPECT_EQ(build_state, build_confirm);
  EXPECT_EQ(list_row, 9);
}

TEST_F(BaseTalk, OtherOpcodesAreNoBaseCommands) {
  for (std::uint16_t op : {349, 354, 290, 0})
    EXPECT_EQ(run({op, 1, 1}), 0xFFFF) << op;
}

}  // namespace

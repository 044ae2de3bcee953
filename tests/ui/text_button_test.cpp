// Text buttons: the input rules and reading the choice.
#include "ui/text_button.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/grp_input.h"
#include "core/key_mapping.h"
#include "ui/talk_msg.h"

namespace {

class TextButtons : public ::testing::Test {
 protected:
  void SetUp() override {
    for (int i = 0; i < 3; ++i) {
      TextButton b;
      b.left = 100 + 50 * i;
      b.right = b.left + 40;
      b.top = 200;
      b.bottom = 220;
      add_tbutton(&b);
    }
    key_nav_mode = 0;
    mouse_x = mouse_y = 0;
  }
  void TearDown() override {
    del_all_tbutton();
    set_tbutton_cancel(0);
    tbutton_cancelled = 0;
  }
  // One poll: the keys listed are down, every other key of the buttons up.
  void poll(std::initializer_list<KeyCode> down) {
    now_ += 100;  // apart enough that no press counts as a double press
    for (KeyCode k : {key_up, key_down, key_enter, key_escape, key_mouse1, key_mouse2})
      grp_input.update_key(now_, k, std::find(down.begin(), down.end(), k) != down.end());
    input_tbutton();
  }
  std::uint32_t now_ = 1000;
};

TEST_F(TextButtons, KeysWalkAndConfirm) {
  poll({});
  poll({key_down});
  EXPECT_EQ(tbutton_choice, 1);
  EXPECT_EQ(key_nav_mode, 1);
  poll({});
  poll({key_up});
  poll({});
  poll({key_up});
  EXPECT_EQ(tbutton_choice, 0) << "not below the first";
  poll({key_enter});
  EXPECT_EQ(tbutton_confirmed, 1);
  int choice = -5;
  EXPECT_EQ(get_tbutton(&choice), 1);
  EXPECT_EQ(choice, 0);
  EXPECT_EQ(tbutton_count, 0) << "reading the choice empties the list";
}

TEST_F(TextButtons, HoldingDownWalksAtTheFastRateAndStopsAtTheLast) {
  poll({});
  std::vector<int> seen;
  for (int i = 0; i < 14; ++i) {
    poll({key_down});
    seen.push_back(tbutton_choice);
  }
  EXPECT_EQ(seen.front(), 1);
  EXPECT_EQ(seen.back(), 2);
  int moves = 0;
  for (std::size_t i = 1; i < seen.size(); ++i) moves += seen[i] != seen[i - 1];
  EXPECT_EQ(moves, 1) << "the highlight stops at the last button";
}

TEST_F(TextButtons, CancelIsRefusedUnlessAllowed) {
  struct Case {
    int allowed;
    int confirmed;
    int read;
  } cases[] = {{0, 0, 0}, {1, 1, -1}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.allowed);
    set_tbutton_cancel(c.allowed);
    tbutton_choice = 2;
    poll({});
    poll({});
    poll({key_escape});
    EXPECT_EQ(tbutton_confirmed, c.confirmed);
    int choice = 7;
    EXPECT_EQ(get_tbutton(&choice), c.confirmed);
    EXPECT_EQ(choice, c.allowed ? -1 : 2);
    EXPECT_EQ(get_tbutton(&choice), 0) << "the choice is read once";
    EXPECT_EQ(tbutton_cancelled, 0);
  }
}

TEST_F(TextButtons, TheMouseHoversAndPicksUnlessKeysLeadTheSelection) {
  mouse_x = 160;
  mouse_y = 205;
  poll({});
  EXPECT_EQ(tbutton_choice, 1);
  key_nav_mode = 1;
  mouse_x = 210;
  poll({});
  EXPECT_EQ(tbutton_choice, 1) << "hover is ignored after a key moved the selection";
  key_nav_mode = 0;
  poll({key_mouse1});
  EXPECT_EQ(tbutton_choice, 2);
  EXPECT_EQ(tbutton_confirmed, 1);
  mouse_x = 145;  // between buttons: right edges are exclusive
  tbutton_confirmed = 0;
  poll({});
  EXPECT_EQ(tbutton_choice, 2);
}

}  // namespace

// Scripted input (QORV_INPUT) through the headless devices and the key mapping: the keys and
// the mouse that every screen needs reach the logical keys.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/frame_timer.h"
#include "core/grp_input.h"
#include "core/key_mapping.h"
#include "platform/automation.h"
#include "platform/input.h"

namespace {

class ScriptedInput : public ::testing::Test {
 protected:
  void SetUp() override {
    platform::reset_automation();
    platform::headless_input_reset();
    grp_input.create(nullptr, nullptr, 0);
    grp_input.set_mouse_speed(2.0f);
    grp_input.set_mouse_rect(0, 0, 640, 480);
    grp_input.set_mouse_pos(10, 10);
    set_default_key_bindings();
    game_clock = 10000;
  }

  void script(const std::string& text) {
    std::vector<platform::InputEvent> events;
    std::string error;
    ASSERT_TRUE(platform::parse_input_script(text, events, error)) << error;
    platform::set_input_events(std::move(events));
  }

  // One frame as the frame tick runs it: the frame is counted, then the keys are mapped.
  void frame() {
    platform::count_frame();
    game_clock += 29;
    map_keys();
  }
};

TEST_F(ScriptedInput, ArrowsEnterEscapeAndTheMouseReachTheLogicalKeys) {
  script(
      "1 down up\n2 up up\n"
      "3 down down\n4 up down\n"
      "5 down left\n6 up left\n"
      "7 down right\n8 up right\n"
      "9 down enter\n10 up enter\n"
      "11 down escape\n12 up escape\n"
      "13 mouse 320 240\n"
      "14 click left\n"
      "16 click right\n"
      "18 mouse 900 -5\n");
  const struct {
    int frame;
    KeyCode key;
  } presses[] = {{1, key_up},    {3, key_down},    {5, key_left},    {7, key_right},
                 {9, key_enter}, {11, key_escape}, {14, key_mouse1}, {16, key_mouse2}};
  for (int f = 0; f <= 18; ++f) {
    frame();
    for (auto p : presses) EXPECT_EQ(grp_input.key_press(p.key), f == p.frame) << f << " " << p.key;
    if (f == 13) {
      EXPECT_EQ(mouse_x, 320);
      EXPECT_EQ(mouse_y, 240);
    }
  }
  EXPECT_EQ(mouse_x, 639);
  EXPECT_EQ(mouse_y, 0);
}

// Wheel turns reach the wheel position once each, in 120 units a notch, and two turns of one
// frame add up.
TEST_F(ScriptedInput, WheelTurnsMoveTheWheelOnce) {
  script("2 wheel 1\n4 wheel -3\n6 wheel 2\n6 wheel 2\n");
  const int start = grp_input.get_mouse_z();
  const int expected_delta[] = {0, 0, 120, 0, -360, 0, 480, 0};
  int pos = start;
  for (int f = 0; f < 8; ++f) {
    frame();
    SCOPED_TRACE(f);
    EXPECT_EQ(grp_input.get_mouse_dz(), expected_delta[f]);
    pos += expected_delta[f];
    EXPECT_EQ(grp_input.get_mouse_z(), pos);
  }
}

TEST_F(ScriptedInput, AHeldKeyRepeatsUntilReleased) {
  script("2 down down\n40 up down\n");
  std::vector<int> repeats;
  for (int f = 0; f <= 41; ++f) {
    frame();
    if (grp_input.key_repeat(key_down)) repeats.push_back(f);
  }
  // Held from frame 2: counts 1, 15, 20, 25, 30, 35 fall on frames 2, 16, 21, 26, 31, 36.
  EXPECT_EQ(repeats, (std::vector<int>{2, 16, 21, 26, 31, 36}));
}

TEST_F(ScriptedInput, EventsOfFramesWithoutAPollAreNotLost) {
  script("1 down enter\n");
  platform::count_frame();  // frame 0
  platform::count_frame();  // frame 1: no poll in it
  frame();                  // frame 2
  EXPECT_EQ(grp_input.raw_key_down(key_enter), 0x80);
  // Never seen up before, the key counts as held from start: it repeats but is no press.
  EXPECT_EQ(grp_input.key_repeat(key_enter), 1);
  EXPECT_EQ(grp_input.key_press(key_enter), 0);
}

}  // namespace

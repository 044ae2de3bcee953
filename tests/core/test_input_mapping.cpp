// The per-frame key mapping over the headless devices: bindings, fixed keys, developer keys,
// the mouse.
#include <gtest/gtest.h>

#include "core/flags.h"
#include "core/game_flags.h"
#include "core/frame_timer.h"
#include "core/grp_input.h"
#include "core/key_mapping.h"
#include "platform/input.h"

using platform::InputDevice;

namespace {

class InputMapping : public ::testing::Test {
 protected:
  void SetUp() override {
    platform::headless_input_reset();
    platform::headless_set_device_present(InputDevice::Joystick, true);
    grp_input.create(nullptr, nullptr, 0);
    grp_input.set_mouse_speed(2.0f);
    grp_input.set_mouse_rect(0, 0, 640, 480);
    grp_input.set_mouse_pos(10, 10);
    set_default_key_bindings();
    set_default_joy_bindings();
    clear_flag(flag_developer_keys);
    game_clock = 5000;
    frame();  // every key is seen up once, so the next press counts
  }

  void frame() {
    game_clock += 28;
    map_keys();
  }

  // Holds the physical key for one frame, then releases it for one frame; true when the
  // logical key saw a press.
  bool press_gives(std::uint8_t scan, KeyCode logical) {
    platform::headless_set_key(scan, true);
    frame();
    bool pressed = grp_input.key_press(logical);
    platform::headless_set_key(scan, false);
    frame();
    game_clock += 200;  // the next press is a single one again
    frame();
    return pressed;
  }
};

TEST_F(InputMapping, DefaultBindingsLeaveTheOtherSlotsAlone) {
  key_bindings[15] = 77;
  key_bindings[31] = 99;
  joy_bindings[12] = 270;
  for (int slot = 0; slot < mapped_slot_count; ++slot) key_bindings[slot] = 0;
  set_default_key_bindings();
  set_default_joy_bindings();
  const int want[] = {27, 13, 136, 137, 134, 135, 32, 130, 131, 128, 129, 152, 153, 154, 155};
  for (int slot = 0; slot < mapped_slot_count; ++slot)
    EXPECT_EQ(key_bindings[slot], want[slot]) << slot;
  EXPECT_EQ(key_bindings[15], 77);
  EXPECT_EQ(key_bindings[31], 99);
  for (int slot = 0; slot < 12; ++slot) EXPECT_EQ(joy_bindings[slot], 264 + slot) << slot;
  EXPECT_EQ(joy_bindings[12], 270);
}

TEST_F(InputMapping, EveryBoundSlotDrivesItsLogicalKey) {
  const struct {
    std::uint8_t scan;
    KeyCode logical;
  } rows[] = {
      {platform::DIK_ESCAPE, key_escape},
      {platform::DIK_RETURN, key_enter},
      {platform::DIK_UP, key_up},
      {platform::DIK_DOWN, key_down},
      {platform::DIK_LEFT, key_left},
      {platform::DIK_RIGHT, key_right},
      {platform::DIK_SPACE, key_space},
      {platform::DIK_LCONTROL, key_lctrl},
      {platform::DIK_RCONTROL, key_rctrl},
      {platform::DIK_LSHIFT, key_lshift},
      {platform::DIK_RSHIFT, key_rshift},
      {platform::DIK_HOME, key_home},
      {platform::DIK_END, key_end},
      {platform::DIK_PRIOR, key_page_up},
      {platform::DIK_NEXT, key_page_down},
      // the fixed keys, always their own
      {platform::DIK_P, 'p'},
      {platform::DIK_A, 'a'},
      {platform::DIK_M, 'm'},
      {platform::DIK_R, 'r'},
      {platform::DIK_Q, 'q'},
      {platform::DIK_E, 'e'},
      {platform::DIK_TAB, key_tab},
      {platform::DIK_F1, key_f1},
  };
  for (auto row : rows) EXPECT_TRUE(press_gives(row.scan, row.logical)) << row.logical;
}

TEST_F(InputMapping, KeysOutsideTheMappingNeverRegister) {
  const struct {
    std::uint8_t scan;
    KeyCode own;
  } rows[] = {{platform::DIK_NUMPAD4, 166},       {platform::DIK_NUMPADENTER, key_pad_enter},
              {platform::DIK_INSERT, key_insert}, {platform::DIK_G, 'g'},
              {platform::DIK_LMENU, key_lalt},    {platform::DIK_0, '0'}};
  for (auto row : rows) EXPECT_FALSE(press_gives(row.scan, row.own)) << row.own;
}

TEST_F(InputMapping, DeveloperKeysOnlyWhileTheFlagIsSet) {
  const struct {
    std::uint8_t scan;
    KeyCode own;
  } rows[] = {
      {platform::DIK_F2, 139},
      {platform::DIK_F10, 147},
      {platform::DIK_F11, key_f11},
      {platform::DIK_F12, key_f12},
      {platform::DIK_ADD, key_pad_plus},
      {platform::DIK_SUBTRACT, key_pad_minus},
      {platform::DIK_CAPITAL, key_caps_lock},
      {platform::DIK_NUMPAD1, 163},
      {platform::DIK_NUMPAD3, 165},
      {platform::DIK_H, 'h'},
      {platform::DIK_K, 'k'},
      {platform::DIK_1, '1'},
      {platform::DIK_9, '9'},
      {platform::DIK_B, 'b'},
      {platform::DIK_V, 'v'},
      {platform::DIK_W, 'w'},
  };
  for (auto row : rows) EXPECT_FALSE(press_gives(row.scan, row.own)) << row.own;
  set_flag(flag_developer_keys);
  // Keys the mapping did not feed have never been seen up: held now, they would count as held
  // from start. One frame with them up first.
  frame();
  for (auto row : rows) EXPECT_TRUE(press_gives(row.scan, row.own)) << row.own;
  EXPECT_TRUE(press_gives(platform::DIK_F1, key_f1));
}

TEST_F(InputMapping, RebindingMovesTheLogicalKey) {
  key_bindings[2] = 'w';  // Up on W
  EXPECT_TRUE(press_gives(platform::DIK_W, key_up));
  EXPECT_FALSE(press_gives(platform::DIK_UP, key_up));
  // W is its own key as well only while the developer keys are on.
  EXPECT_FALSE(press_gives(platform::DIK_W, 'w'));
  set_flag(flag_developer_keys);
  frame();
  platform::headless_set_key(platform::DIK_W, true);
  frame();
  EXPECT_TRUE(grp_input.key_press(key_up));
  EXPECT_TRUE(grp_input.key_press('w'));
}

TEST_F(InputMapping, AKeyBoundTwiceDrivesBothAndUnboundSlotsStayUp) {
  key_bindings[6] = 'x';  // Space
  key_bindings[1] = 'x';  // Enter
  key_bindings[0] = 0;    // Escape unbound
  platform::headless_set_key(platform::DIK_X, true);
  platform::headless_set_key(platform::DIK_ESCAPE, true);
  platform::headless_set_key(platform::DIK_SPACE, true);
  frame();
  EXPECT_TRUE(grp_input.key_press(key_space));
  EXPECT_TRUE(grp_input.key_press(key_enter));
  EXPECT_FALSE(grp_input.key_down(key_escape));
  for (int i = 0; i < 5; ++i) frame();
  EXPECT_TRUE(grp_input.key_down(key_space));
  EXPECT_FALSE(grp_input.key_down(key_escape));
  EXPECT_EQ(grp_input.key_entry(key_escape).held, 0);
}

TEST_F(InputMapping, OutOfRangeBindingsReadAsUp) {
  key_bindings[0] = -1;
  key_bindings[1] = 256;
  key_bindings[2] = 0x7fffffff;
  for (int s = 1; s < 255; ++s) platform::headless_set_key(std::uint8_t(s), true);
  frame();
  EXPECT_FALSE(grp_input.key_down(key_escape));
  EXPECT_FALSE(grp_input.key_down(key_enter));
  EXPECT_FALSE(grp_input.key_down(key_up));
  EXPECT_TRUE(grp_input.key_down(key_down));
}

TEST_F(InputMapping, MousePositionAndButtonsReachTheLogicalKeys) {
  platform::headless_move_mouse(100, 50);
  frame();
  EXPECT_EQ(mouse_x, 210);
  EXPECT_EQ(mouse_y, 110);
  platform::headless_click_mouse_button(0);
  frame();
  EXPECT_TRUE(grp_input.key_press(key_mouse1));
  frame();                                      // the click is over
  EXPECT_TRUE(grp_input.key_down(key_mouse1));  // still set in the frame of the release
  frame();
  EXPECT_FALSE(grp_input.key_down(key_mouse1));
  platform::headless_set_mouse_button(1, true);
  frame();
  EXPECT_TRUE(grp_input.key_press(key_mouse2));
  // A second click of button 1 soon after the first is a double click.
  platform::headless_click_mouse_button(0);
  frame();
  EXPECT_TRUE(grp_input.key_double_press(key_mouse1));
  // The third button only has a raw state; it never reaches the logical keys.
  platform::headless_set_mouse_button(2, true);
  frame();
  EXPECT_EQ(grp_input.raw_state(key_mouse3), 2);
  EXPECT_FALSE(grp_input.key_down(key_mouse3));
}

TEST_F(InputMapping, JoystickButtonsDoNotDriveLogicalKeys) {
  for (int b = 0; b < 12; ++b) platform::headless_set_joystick_button(b, true);
  platform::headless_set_joystick_axes(-1000, 1000);
  frame();
  frame();
  for (KeyCode k = key_joy_left; k < key_code_count; ++k) EXPECT_FALSE(grp_input.key_down(k)) << k;
  EXPECT_FALSE(grp_input.key_down(key_space));
  EXPECT_EQ(grp_input.raw_state(key_joy_button1), 3);
}

TEST_F(InputMapping, AKeyHeldWhenTheKeyboardIsLostIsReleased) {
  platform::headless_set_key(platform::DIK_UP, true);
  frame();
  ASSERT_TRUE(grp_input.key_down(key_up));
  platform::headless_fail_reads(InputDevice::Keyboard, 1000);
  platform::headless_refuse_acquire(InputDevice::Keyboard, 1000);
  for (int i = 0; i < 3; ++i) frame();
  EXPECT_FALSE(grp_input.key_down(key_up));  // the party does not walk on by itself
}

}  // namespace

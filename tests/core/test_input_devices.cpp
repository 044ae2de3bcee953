// The input object over the headless devices: scan tables, mouse integration and clamping,
// wheel, raw key states, acquisition and read failures.
#include <gtest/gtest.h>

#include <set>
#include <utility>

#include "core/grp_input.h"
#include "platform/input.h"

using platform::InputDevice;

namespace {

class InputDevices : public ::testing::Test {
 protected:
  void SetUp() override { platform::headless_input_reset(); }

  // As start-up sets the object up.
  void start(GrpInput& in) {
    in.create(nullptr, nullptr, 0);
    in.set_mouse_speed(2.0f);
    in.set_mouse_rect(0, 0, 640, 480);
    in.set_mouse_pos(10, 10);
  }
};

// The scan table as the keyboard's layout gives it: device scan code, KeyCode.
// clang-format off
const std::pair<int, int> scan_rows[] = {
    {0x01, 27},
    {0x02, 49}, {0x03, 50}, {0x04, 51}, {0x05, 52}, {0x06, 53}, {0x07, 54}, {0x08, 55},
    {0x09, 56}, {0x0A, 57}, {0x0B, 48},
    {0x0C, 45}, {0x0D, 61}, {0x0E, 8}, {0x0F, 9},
    {0x10, 113}, {0x11, 119}, {0x12, 101}, {0x13, 114}, {0x14, 116}, {0x15, 121}, {0x16, 117},
    {0x17, 105}, {0x18, 111}, {0x19, 112},
    {0x1A, 91}, {0x1B, 93}, {0x1C, 13}, {0x1D, 130},
    {0x1E, 97}, {0x1F, 115}, {0x20, 100}, {0x21, 102}, {0x22, 103}, {0x23, 104}, {0x24, 106},
    {0x25, 107}, {0x26, 108},
    {0x27, 59}, {0x28, 39}, {0x29, 96}, {0x2A, 128}, {0x2B, 92},
    {0x2C, 122}, {0x2D, 120}, {0x2E, 99}, {0x2F, 118}, {0x30, 98}, {0x31, 110}, {0x32, 109},
    {0x33, 44}, {0x34, 46}, {0x35, 47}, {0x36, 129},
    {0x37, 157}, {0x38, 132}, {0x39, 32}, {0x3A, 173},
    {0x3B, 138}, {0x3C, 139}, {0x3D, 140}, {0x3E, 141}, {0x3F, 142}, {0x40, 143}, {0x41, 144},
    {0x42, 145}, {0x43, 146}, {0x44, 147},
    {0x45, 172}, {0x46, 174},
    {0x47, 169}, {0x48, 170}, {0x49, 171}, {0x4A, 158},
    {0x4B, 166}, {0x4C, 167}, {0x4D, 168}, {0x4E, 159},
    {0x4F, 163}, {0x50, 164}, {0x51, 165}, {0x52, 162}, {0x53, 161},
    {0x57, 148}, {0x58, 149},
    {0x9C, 160}, {0x9D, 131}, {0xB5, 156}, {0xB7, 175}, {0xB8, 133},
    {0xC7, 152}, {0xC8, 136}, {0xC9, 154}, {0xCB, 134}, {0xCD, 135},
    {0xCF, 153}, {0xD0, 137}, {0xD1, 155}, {0xD2, 150}, {0xD3, 151},
};
// clang-format on

TEST_F(InputDevices, ScanTableAndReverseMatchTheKeyboardLayout) {
  GrpInput in;
  start(in);
  std::set<int> listed;
  for (auto [scan, key] : scan_rows) {
    SCOPED_TRACE(scan);
    EXPECT_EQ(in.scan_table_entry(scan), key);
    EXPECT_EQ(in.reverse_entry(key), scan);
    EXPECT_EQ(in.key_to_scan(key), scan);
    listed.insert(scan);
  }
  for (int scan = 0; scan < 256; ++scan)
    EXPECT_EQ(in.scan_table_entry(scan) != 0, listed.count(scan) == 1) << scan;
  // Windows and application keys are explicitly nothing.
  EXPECT_EQ(in.scan_table_entry(0xDB), 0);
  EXPECT_EQ(in.scan_table_entry(0xDC), 0);
  EXPECT_EQ(in.scan_table_entry(0xDD), 0);
  // KeyCode 0 maps back to the last unmapped scan code; key_to_scan(0) is 0.
  EXPECT_EQ(in.reverse_entry(0), 255);
  EXPECT_EQ(in.key_to_scan(0), 0);
  EXPECT_EQ(in.key_to_scan(200), 0);  // a KeyCode no key produces
  EXPECT_EQ(in.key_to_scan(-5), 0);
  EXPECT_EQ(in.key_to_scan(300), 0);
}

TEST_F(InputDevices, WindowsKeysProduceNoKeyCode) {
  GrpInput in;
  start(in);
  platform::headless_set_key(platform::DIK_LWIN, true);
  platform::headless_set_key(platform::DIK_APPS, true);
  EXPECT_EQ(in.first_key_down(), 0);
  platform::headless_set_key(platform::DIK_RWIN, true);
  platform::headless_set_key(platform::DIK_S, true);
  platform::headless_set_key(platform::DIK_A, true);
  EXPECT_EQ(in.first_key_down(), 'a');  // the lowest scan code first: A (0x1E) before S (0x1F)
}

TEST_F(InputDevices, RawKeyDownFollowsTheBoundPhysicalKey) {
  GrpInput in;
  start(in);
  platform::headless_set_key(platform::DIK_UP, true);
  in.poll();
  EXPECT_EQ(in.raw_key_down(key_up), 0x80);
  EXPECT_EQ(in.raw_key_down(key_down), 0);
  EXPECT_EQ(in.raw_key_down(0), 0);  // unbound: scan code 255 is never down
  EXPECT_EQ(in.raw_key_down(256), 0);
  EXPECT_EQ(in.raw_key_down(-1), 0);
  EXPECT_EQ(in.raw_key_down(1 << 30), 0);
}

TEST_F(InputDevices, RawStatesStepThroughPressedHeldReleasedUp) {
  GrpInput in;
  start(in);
  const struct {
    bool down;
    int state;
  } steps[] = {{false, 0}, {true, 2}, {true, 3},  {true, 3}, {false, 1},
               {false, 0}, {true, 2}, {false, 1}, {true, 2}};
  for (auto step : steps) {
    platform::headless_set_key(platform::DIK_SPACE, step.down);
    in.poll();
    EXPECT_EQ(in.raw_state(key_space), step.state);
  }
}

TEST_F(InputDevices, SetMousePosKeepsInsideTheRectangle) {
  GrpInput in;
  in.set_mouse_rect(0, 0, 640, 480);
  const struct {
    int x, y, want_x, want_y;
  } cases[] = {{700, 500, 639, 479}, {0, 0, 1, 1}, {-50, -50, 1, 1},    {640, 480, 639, 479},
               {639, 479, 639, 479}, {1, 1, 1, 1}, {320, 240, 320, 240}};
  for (auto c : cases) {
    in.set_mouse_pos(c.x, c.y);
    EXPECT_EQ(in.mouse_x(), c.want_x) << c.x;
    EXPECT_EQ(in.mouse_y(), c.want_y) << c.y;
  }
  // With both bounds applying (an empty rectangle) the lower bound wins.
  in.set_mouse_rect(100, 100, 100, 100);
  in.set_mouse_pos(100, 100);
  EXPECT_EQ(in.mouse_x(), 101);
  EXPECT_EQ(in.mouse_y(), 101);
}

TEST_F(InputDevices, MouseMotionIsScaledByTheWholeSpeedAndClamped) {
  GrpInput in;
  start(in);
  const struct {
    float speed;
    int dx, dy, want_x, want_y;
  } cases[] = {
      {2.0f, 5, 7, 20, 24},  // from (10, 10)
      {2.5f, 5, 7, 20, 24},  // 2.5 doubles, the fraction is dropped
      {1.0f, -3, 4, 7, 14},
      {2.0f, 100000, 100000, 639, 479},
      {2.0f, -100000, -100000, 0, 0},  // the lower edge is 0 here, not 1 as for set_mouse_pos
      {2.0f, 2147483647, -2147483647 - 1, 639, 0},
  };
  for (auto c : cases) {
    in.set_mouse_pos(10, 10);
    in.set_mouse_speed(c.speed);
    platform::headless_move_mouse(c.dx, c.dy);
    in.poll();
    int x = -1, y = -1;
    in.get_mouse(&x, &y);
    EXPECT_EQ(x, c.want_x) << c.speed << " " << c.dx;
    EXPECT_EQ(y, c.want_y) << c.speed << " " << c.dy;
  }
}

TEST_F(InputDevices, MouseNeverLeavesTheScreenUnderLargeMotions) {
  GrpInput in;
  start(in);
  const int moves[][2] = {{400, 300},    {400, 300}, {-1000, 50},
                          {5000, -5000}, {-7, 9},    {1 << 20, 1 << 20}};
  for (auto& m : moves) {
    platform::headless_move_mouse(m[0], m[1]);
    in.poll();
    EXPECT_GE(in.mouse_x(), 0);
    EXPECT_LE(in.mouse_x(), 639);
    EXPECT_GE(in.mouse_y(), 0);
    EXPECT_LE(in.mouse_y(), 479);
  }
}

TEST_F(InputDevices, WheelStaysWithinItsLimits) {
  GrpInput in;
  start(in);
  EXPECT_EQ(in.get_mouse_z(), 50000);
  // The delta compares the new unclamped position with the previous one, so right after the
  // position hit a limit it is not the raw motion.
  const struct {
    int dz, pos, delta;
  } steps[] = {
      {120, 50120, 120},
      {-240, 49880, -240},
      {0, 49880, 0},
      {60000, 99999, 60000},          // unclamped 109880
      {120, 99999, 100119 - 109880},  // against the unclamped value
      {120, 99999, 0},                // 100119 both times
      {-2000000000, 0, -1999900001 - 100119},
      {-2000000000, 0, -2000000000 + 1999900001},  // from 0, not from the unclamped value
      {5, 5, 2000000005},
  };
  for (auto step : steps) {
    platform::headless_move_mouse(0, 0, step.dz);
    in.poll();
    EXPECT_EQ(in.get_mouse_z(), step.pos) << step.dz;
    EXPECT_EQ(in.get_mouse_dz(), step.delta) << step.dz;
  }
}

TEST_F(InputDevices, MouseButtonsReachRawStatesAndGetMouse) {
  GrpInput in;
  start(in);
  platform::headless_set_mouse_button(0, true);
  platform::headless_set_mouse_button(2, true);
  in.poll();
  EXPECT_EQ(in.get_mouse(nullptr, nullptr), 1);
  EXPECT_EQ(in.raw_state(key_mouse1), 2);
  EXPECT_EQ(in.raw_state(key_mouse2), 0);
  EXPECT_EQ(in.raw_state(key_mouse3), 2);
  platform::headless_set_mouse_button(1, true);
  in.poll();
  EXPECT_EQ(in.get_mouse(nullptr, nullptr), 3);
  EXPECT_EQ(in.raw_state(key_mouse2), 2);
  platform::headless_click_mouse_button(1);  // already down: stays down for one read
  in.poll();
  platform::headless_set_mouse_button(0, false);
  in.poll();
  EXPECT_EQ(in.get_mouse(nullptr, nullptr), 0);
}

TEST_F(InputDevices, ScriptedPlacementPutsTheMouseThere) {
  GrpInput in;
  start(in);
  platform::headless_place_mouse(320, 240);
  in.poll();
  EXPECT_EQ(in.mouse_x(), 320);
  EXPECT_EQ(in.mouse_y(), 240);
  platform::headless_place_mouse(900, -4);
  in.poll();
  EXPECT_EQ(in.mouse_x(), 639);
  EXPECT_EQ(in.mouse_y(), 0);
}

TEST_F(InputDevices, JoystickButtonsGiveOnlyRawStates) {
  platform::headless_set_device_present(InputDevice::Joystick, true);
  GrpInput in;
  start(in);
  EXPECT_EQ(in.first_joy_button_pressed(), 0);
  platform::headless_set_joystick_button(4, true);
  platform::headless_set_joystick_button(9, true);
  in.poll();
  EXPECT_EQ(in.raw_state(key_joy_button1 + 4), 2);
  EXPECT_EQ(in.first_joy_button_pressed(), key_joy_button1 + 4);
  in.poll();  // held now: no longer "pressed this poll"
  EXPECT_EQ(in.first_joy_button_pressed(), 0);
  platform::headless_set_joystick_button(12, true);  // button 13 has no KeyCode
  in.poll();
  EXPECT_EQ(in.first_joy_button_pressed(), 0);
}

TEST_F(InputDevices, JoystickPluggedInLaterIsPickedUpAtSetUp) {
  GrpInput in;
  start(in);
  platform::headless_set_device_present(InputDevice::Joystick, true);
  platform::headless_set_joystick_button(0, true);
  in.poll();
  EXPECT_EQ(in.raw_state(key_joy_button1), 0);
  in.set_devices(1, 1, 1);
  in.poll();
  EXPECT_EQ(in.raw_state(key_joy_button1), 2);
}

TEST_F(InputDevices, KeyboardReadFailureEndsThePollAndReleasesTheKeys) {
  GrpInput in;
  start(in);
  platform::headless_set_key(platform::DIK_RETURN, true);
  in.poll();
  ASSERT_EQ(in.raw_key_down(key_enter), 0x80);
  in.update_key(1000, key_enter, 1);

  // The keyboard fails and cannot be acquired again: mouse and joystick stay unread this frame.
  platform::headless_fail_reads(InputDevice::Keyboard, 1);
  platform::headless_refuse_acquire(InputDevice::Keyboard, 51);
  platform::headless_move_mouse(10, 0);
  in.poll();
  EXPECT_EQ(in.mouse_x(), 10);
  // No key is left held by the state read before the failure.
  EXPECT_EQ(in.raw_key_down(key_enter), 0);
  EXPECT_EQ(in.key_down(key_enter), 0);
  // The keyboard is given up: later frames read the mouse only.
  in.poll();
  EXPECT_EQ(in.mouse_x(), 30);
  EXPECT_EQ(in.raw_key_down(key_enter), 0);
  // Activating the window again brings it back.
  in.set_devices(1, 1, 0);
  in.poll();
  EXPECT_EQ(in.raw_key_down(key_enter), 0x80);
}

TEST_F(InputDevices, ReadFailureWithSuccessfulReacquireTriesAgainNextFrame) {
  GrpInput in;
  start(in);
  platform::headless_set_key(platform::DIK_Z, true);
  platform::headless_fail_reads(InputDevice::Keyboard, 1);
  platform::headless_refuse_acquire(InputDevice::Keyboard, 50);  // the 51st attempt succeeds
  in.poll();
  EXPECT_EQ(in.raw_key_down('z'), 0);
  in.poll();
  EXPECT_EQ(in.raw_key_down('z'), 0x80);
}

TEST_F(InputDevices, MouseReadFailureLeavesTheJoystickUnreadAndReleasesButtons) {
  platform::headless_set_device_present(InputDevice::Joystick, true);
  GrpInput in;
  start(in);
  platform::headless_set_mouse_button(0, true);
  in.poll();
  ASSERT_EQ(in.get_mouse(nullptr, nullptr), 1);
  platform::headless_fail_reads(InputDevice::Mouse, 1);
  platform::headless_refuse_acquire(InputDevice::Mouse, 51);
  platform::headless_set_joystick_button(0, true);
  in.poll();
  EXPECT_EQ(in.raw_state(key_joy_button1), 0);
  EXPECT_EQ(in.get_mouse(nullptr, nullptr), 0);
  in.poll();  // the mouse is given up; the joystick is read again
  EXPECT_EQ(in.raw_state(key_joy_button1), 2);
}

TEST_F(InputDevices, CreationFailures) {
  {  // The keyboard cannot be acquired: creation fails, set_devices does nothing.
    platform::headless_input_reset();
    platform::headless_refuse_acquire(InputDevice::Keyboard, 51);
    GrpInput in;
    EXPECT_EQ(in.create(nullptr, nullptr, 0), 0);
    in.set_devices(1, 1, 0);
    platform::headless_set_key(platform::DIK_A, true);
    in.poll();
    EXPECT_EQ(in.raw_state('a'), 0);
  }
  {  // No keyboard and no mouse: creation succeeds, their state stays zero.
    platform::headless_input_reset();
    platform::headless_set_device_present(InputDevice::Keyboard, false);
    platform::headless_set_device_present(InputDevice::Mouse, false);
    GrpInput in;
    EXPECT_EQ(in.create(nullptr, nullptr, 0), 1);
    platform::headless_move_mouse(5, 5);
    in.poll();
    EXPECT_EQ(in.first_key_down(), 0);
    EXPECT_EQ(in.get_mouse(nullptr, nullptr), 0);
  }
  {  // A joystick that refuses acquisition fails creation after the keyboard was made.
    platform::headless_input_reset();
    platform::headless_set_device_present(InputDevice::Joystick, true);
    platform::headless_refuse_acquire(InputDevice::Joystick, 51);
    GrpInput in;
    EXPECT_EQ(in.create(nullptr, nullptr, 0), 0);
    platform::headless_set_key(platform::DIK_A, true);
    in.poll();
    EXPECT_EQ(in.raw_state('a'), 2);
  }
}

TEST_F(InputDevices, UnacquiringTheKeyboardClearsTheKeys) {
  GrpInput in;
  start(in);
  platform::headless_set_key(platform::DIK_A, true);
  in.poll();
  in.update_key(500, 'a', 1);
  in.set_devices(1, 0, 0);
  EXPECT_EQ(in.raw_state('a'), 0);
  EXPECT_EQ(in.raw_key_down('a'), 0);
  EXPECT_EQ(in.key_entry('a').held, 0);
  in.poll();
  EXPECT_EQ(in.raw_key_down('a'), 0);
}

}  // namespace

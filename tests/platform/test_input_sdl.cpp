// The SDL input backend fed with synthetic events (no display needed): host scancodes to device
// scan codes, focus loss, mouse motion, wheel and buttons.
#include <gtest/gtest.h>

#include <cstring>

#include "platform/sdl/input_sdl.h"

using platform::InputDevice;

namespace {

class SdlInput : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(platform::sdl::input_open());
    ASSERT_TRUE(platform::sdl::open_device(InputDevice::Keyboard));
    ASSERT_TRUE(platform::sdl::open_device(InputDevice::Mouse));
    ASSERT_TRUE(platform::sdl::acquire_device(InputDevice::Keyboard));
    ASSERT_TRUE(platform::sdl::acquire_device(InputDevice::Mouse));
  }
  void TearDown() override { platform::sdl::input_close(); }

  static void key(SDL_Scancode sc, bool down) {
    SDL_Event e;
    std::memset(&e, 0, sizeof e);
    e.type = down ? SDL_KEYDOWN : SDL_KEYUP;
    e.key.keysym.scancode = sc;
    platform::sdl_input_event(e);
  }
  static void motion(int dx, int dy) {
    SDL_Event e;
    std::memset(&e, 0, sizeof e);
    e.type = SDL_MOUSEMOTION;
    e.motion.xrel = dx;
    e.motion.yrel = dy;
    platform::sdl_input_event(e);
  }
  static void wheel(int notches, bool flipped = false) {
    SDL_Event e;
    std::memset(&e, 0, sizeof e);
    e.type = SDL_MOUSEWHEEL;
    e.wheel.y = notches;
    e.wheel.direction = flipped ? SDL_MOUSEWHEEL_FLIPPED : SDL_MOUSEWHEEL_NORMAL;
    platform::sdl_input_event(e);
  }
  static void button(Uint8 b, bool down) {
    SDL_Event e;
    std::memset(&e, 0, sizeof e);
    e.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
    e.button.button = b;
    platform::sdl_input_event(e);
  }
  static void focus_lost() {
    SDL_Event e;
    std::memset(&e, 0, sizeof e);
    e.type = SDL_WINDOWEVENT;
    e.window.event = SDL_WINDOWEVENT_FOCUS_LOST;
    platform::sdl_input_event(e);
  }
  static int down_scan_codes(std::uint8_t* first = nullptr) {
    std::uint8_t state[256];
    EXPECT_TRUE(platform::sdl::read_keyboard(state));
    int count = 0;
    for (int s = 0; s < 256; ++s)
      if (state[s] & 0x80) {
        if (first && count == 0) *first = std::uint8_t(s);
        ++count;
      }
    return count;
  }
};

TEST_F(SdlInput, HostKeysBecomeDeviceScanCodes) {
  // clang-format off
  const struct {
    SDL_Scancode sdl;
    int scan;
  } rows[] = {
      {SDL_SCANCODE_ESCAPE, 0x01},   {SDL_SCANCODE_1, 0x02},         {SDL_SCANCODE_0, 0x0B},
      {SDL_SCANCODE_MINUS, 0x0C},    {SDL_SCANCODE_BACKSPACE, 0x0E}, {SDL_SCANCODE_TAB, 0x0F},
      {SDL_SCANCODE_Q, 0x10},        {SDL_SCANCODE_P, 0x19},         {SDL_SCANCODE_RETURN, 0x1C},
      {SDL_SCANCODE_LCTRL, 0x1D},    {SDL_SCANCODE_A, 0x1E},         {SDL_SCANCODE_L, 0x26},
      {SDL_SCANCODE_GRAVE, 0x29},    {SDL_SCANCODE_LSHIFT, 0x2A},    {SDL_SCANCODE_BACKSLASH, 0x2B},
      {SDL_SCANCODE_Z, 0x2C},        {SDL_SCANCODE_M, 0x32},         {SDL_SCANCODE_SLASH, 0x35},
      {SDL_SCANCODE_RSHIFT, 0x36},   {SDL_SCANCODE_KP_MULTIPLY, 0x37}, {SDL_SCANCODE_LALT, 0x38},
      {SDL_SCANCODE_SPACE, 0x39},    {SDL_SCANCODE_CAPSLOCK, 0x3A},  {SDL_SCANCODE_F1, 0x3B},
      {SDL_SCANCODE_F10, 0x44},      {SDL_SCANCODE_NUMLOCKCLEAR, 0x45},
      {SDL_SCANCODE_SCROLLLOCK, 0x46},
      {SDL_SCANCODE_KP_7, 0x47},     {SDL_SCANCODE_KP_MINUS, 0x4A},  {SDL_SCANCODE_KP_PLUS, 0x4E},
      {SDL_SCANCODE_KP_0, 0x52},     {SDL_SCANCODE_KP_PERIOD, 0x53}, {SDL_SCANCODE_F11, 0x57},
      {SDL_SCANCODE_F12, 0x58},      {SDL_SCANCODE_KP_ENTER, 0x9C},  {SDL_SCANCODE_RCTRL, 0x9D},
      {SDL_SCANCODE_KP_DIVIDE, 0xB5}, {SDL_SCANCODE_PRINTSCREEN, 0xB7}, {SDL_SCANCODE_RALT, 0xB8},
      {SDL_SCANCODE_HOME, 0xC7},     {SDL_SCANCODE_UP, 0xC8},        {SDL_SCANCODE_PAGEUP, 0xC9},
      {SDL_SCANCODE_LEFT, 0xCB},     {SDL_SCANCODE_RIGHT, 0xCD},     {SDL_SCANCODE_END, 0xCF},
      {SDL_SCANCODE_DOWN, 0xD0},     {SDL_SCANCODE_PAGEDOWN, 0xD1},  {SDL_SCANCODE_INSERT, 0xD2},
      {SDL_SCANCODE_DELETE, 0xD3},   {SDL_SCANCODE_LGUI, 0xDB},
      {SDL_SCANCODE_APPLICATION, 0xDD},
  };
  // clang-format on
  for (auto row : rows) {
    key(row.sdl, true);
    std::uint8_t scan = 0;
    EXPECT_EQ(down_scan_codes(&scan), 1) << row.sdl;
    EXPECT_EQ(scan, row.scan) << row.sdl;
    key(row.sdl, false);
    EXPECT_EQ(down_scan_codes(), 0) << row.sdl;
  }
  key(SDL_SCANCODE_F13, true);  // a key the game has no code for
  EXPECT_EQ(down_scan_codes(), 0);
}

TEST_F(SdlInput, FocusLossReleasesEveryKeyAndButton) {
  key(SDL_SCANCODE_UP, true);
  key(SDL_SCANCODE_LSHIFT, true);
  button(SDL_BUTTON_LEFT, true);
  EXPECT_EQ(down_scan_codes(), 2);
  focus_lost();
  EXPECT_EQ(down_scan_codes(), 0);
  platform::MouseState m;
  ASSERT_TRUE(platform::sdl::read_mouse(m));
  EXPECT_EQ(m.buttons[0], 0);
}

TEST_F(SdlInput, MouseMotionAddsUpBetweenReads) {
  motion(3, -4);
  motion(10, 1);
  wheel(1);
  wheel(2);
  wheel(1, true);
  button(SDL_BUTTON_LEFT, true);
  button(SDL_BUTTON_RIGHT, true);
  button(SDL_BUTTON_MIDDLE, true);
  button(SDL_BUTTON_RIGHT, false);
  platform::MouseState m;
  ASSERT_TRUE(platform::sdl::read_mouse(m));
  EXPECT_EQ(m.dx, 13);
  EXPECT_EQ(m.dy, -3);
  EXPECT_EQ(m.dz, 240);  // three notches away, one flipped back
  EXPECT_EQ(m.buttons[0], 0x80);
  EXPECT_EQ(m.buttons[1], 0);
  EXPECT_EQ(m.buttons[2], 0x80);
  ASSERT_TRUE(platform::sdl::read_mouse(m));
  EXPECT_EQ(m.dx, 0);
  EXPECT_EQ(m.dy, 0);
  EXPECT_EQ(m.dz, 0);
  EXPECT_EQ(m.buttons[0], 0x80);  // buttons stay as they are
}

TEST_F(SdlInput, DevicesNotAcquiredDoNotDeliver) {
  platform::sdl::unacquire_device(InputDevice::Keyboard);
  platform::sdl::unacquire_device(InputDevice::Mouse);
  std::uint8_t state[256];
  platform::MouseState m;
  EXPECT_FALSE(platform::sdl::read_keyboard(state));
  EXPECT_FALSE(platform::sdl::read_mouse(m));
  motion(50, 50);             // made while not acquired: lost
  key(SDL_SCANCODE_A, true);  // the keyboard's state is followed all the same
  ASSERT_TRUE(platform::sdl::acquire_device(InputDevice::Keyboard));
  ASSERT_TRUE(platform::sdl::acquire_device(InputDevice::Mouse));
  ASSERT_TRUE(platform::sdl::read_mouse(m));
  EXPECT_EQ(m.dx, 0);
  std::uint8_t scan = 0;
  EXPECT_EQ(down_scan_codes(&scan), 1);
  EXPECT_EQ(scan, 0x1E);
}

}  // namespace

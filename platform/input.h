#pragma once
// Keyboard, mouse and joystick, read the way the game reads them: each device's whole state
// once per frame (no event queue). The keyboard is 256 bytes indexed by device scan code (the
// numbering below), bit 7 set while the key is down; the mouse gives its motion since the last
// read, its wheel in 120 units a notch and its buttons; the joystick its two axes and buttons.
// A device is opened once, then acquired (it delivers) and unacquired; a read of a device that
// is not acquired fails, and so does a read after the device was lost.
#include <cstdint>

namespace platform {

// Device scan codes: the PC set-1 numbering, extended keys with 0x80 added.
// clang-format off
enum ScanCode : std::uint8_t {
  DIK_ESCAPE = 0x01,
  DIK_1 = 0x02, DIK_2, DIK_3, DIK_4, DIK_5, DIK_6, DIK_7, DIK_8, DIK_9, DIK_0,
  DIK_MINUS = 0x0C, DIK_EQUALS, DIK_BACK, DIK_TAB,
  DIK_Q = 0x10, DIK_W, DIK_E, DIK_R, DIK_T, DIK_Y, DIK_U, DIK_I, DIK_O, DIK_P,
  DIK_LBRACKET = 0x1A, DIK_RBRACKET, DIK_RETURN, DIK_LCONTROL,
  DIK_A = 0x1E, DIK_S, DIK_D, DIK_F, DIK_G, DIK_H, DIK_J, DIK_K, DIK_L,
  DIK_SEMICOLON = 0x27, DIK_APOSTROPHE, DIK_GRAVE, DIK_LSHIFT, DIK_BACKSLASH,
  DIK_Z = 0x2C, DIK_X, DIK_C, DIK_V, DIK_B, DIK_N, DIK_M,
  DIK_COMMA = 0x33, DIK_PERIOD, DIK_SLASH, DIK_RSHIFT, DIK_MULTIPLY, DIK_LMENU, DIK_SPACE,
  DIK_CAPITAL = 0x3A,
  DIK_F1 = 0x3B, DIK_F2, DIK_F3, DIK_F4, DIK_F5, DIK_F6, DIK_F7, DIK_F8, DIK_F9, DIK_F10,
  DIK_NUMLOCK = 0x45, DIK_SCROLL,
  DIK_NUMPAD7 = 0x47, DIK_NUMPAD8, DIK_NUMPAD9, DIK_SUBTRACT,
  DIK_NUMPAD4 = 0x4B, DIK_NUMPAD5, DIK_NUMPAD6, DIK_ADD,
  DIK_NUMPAD1 = 0x4F, DIK_NUMPAD2, DIK_NUMPAD3, DIK_NUMPAD0, DIK_DECIMAL,
  DIK_OEM_102 = 0x56, DIK_F11, DIK_F12,
  DIK_NUMPADENTER = 0x9C, DIK_RCONTROL = 0x9D,
  DIK_DIVIDE = 0xB5, DIK_SYSRQ = 0xB7, DIK_RMENU = 0xB8, DIK_PAUSE = 0xC5,
  DIK_HOME = 0xC7, DIK_UP = 0xC8, DIK_PRIOR = 0xC9, DIK_LEFT = 0xCB, DIK_RIGHT = 0xCD,
  DIK_END = 0xCF, DIK_DOWN = 0xD0, DIK_NEXT = 0xD1, DIK_INSERT = 0xD2, DIK_DELETE = 0xD3,
  DIK_LWIN = 0xDB, DIK_RWIN = 0xDC, DIK_APPS = 0xDD,
};
// clang-format on

enum class InputDevice { Keyboard, Mouse, Joystick };

struct MouseState {
  std::int32_t dx = 0, dy = 0;   // motion since the last read
  std::int32_t dz = 0;           // wheel motion, 120 a notch, positive away from the user
  std::uint8_t buttons[4] = {};  // left, right, middle, fourth; bit 7 while down
  // Scripted input only: the pointer was placed at (x, y) on the screen since the last read.
  bool placed = false;
  std::int32_t x = 0, y = 0;
};

struct JoystickState {
  std::int32_t x = 0, y = 0;      // axes, in the range given at open, centre dead zone read as 0
  std::uint8_t buttons[32] = {};  // bit 7 while down
};

// The input system; false when it cannot be started.
bool input_open();
void input_close();  // closes every device too

// Opening a device: false when there is none. The joystick is the first one attached now; its
// axes report axis_min..axis_max, with the centre dead_zone (in 1/10000 of the range) read as
// the centre.
bool open_keyboard();
bool open_mouse();
bool open_joystick(int axis_min, int axis_max, int dead_zone);
void close_device(InputDevice device);

// Acquiring makes an open device deliver; false when refused (callers retry). Acquiring a
// joystick that was unplugged takes the first joystick attached now, if any.
bool acquire_device(InputDevice device);
void unacquire_device(InputDevice device);

bool read_keyboard(std::uint8_t state[256]);
bool read_mouse(MouseState& state);  // takes the motion gathered since the last read
bool read_joystick(JoystickState& state);

// Headless backend: tests say what the devices deliver, and the scripted input of the running
// frame (QORV_INPUT, platform/automation.h) is applied at its first read. Keys and buttons stay
// as set; motion adds up until the next mouse read; a click is down for one mouse read and up
// afterwards; a scripted "mouse X Y" places the pointer.
void headless_input_reset();  // devices present: keyboard and mouse; everything up
void headless_set_device_present(InputDevice device, bool present);
void headless_set_key(std::uint8_t scan_code, bool down);
void headless_move_mouse(int dx, int dy, int dz = 0);
void headless_place_mouse(int x, int y);
void headless_set_mouse_button(int button, bool down);  // 0 left, 1 right, 2 middle
void headless_click_mouse_button(int button);
void headless_set_joystick_axes(int x, int y);             // in the range given at open
void headless_set_joystick_button(int button, bool down);  // 0 to 31
// The next count reads (or acquisitions) of the device fail.
void headless_fail_reads(InputDevice device, int count);
void headless_refuse_acquire(InputDevice device, int count);

}  // namespace platform

// The input object: devices, the per-frame poll, the mouse position and wheel, the scan table.
#include "core/grp_input.h"

#include <algorithm>
#include <cstring>

#include "platform/input.h"

using platform::InputDevice;

GrpInput grp_input;

namespace {

// Attempts at acquiring a device before giving up.
constexpr int acquire_attempts = 51;

constexpr int joystick_axis_min = -1000, joystick_axis_max = 1000;
constexpr int joystick_dead_zone = 1000;  // a tenth of the range

struct ScanKey {
  std::uint8_t scan;
  std::uint8_t key;
};

// Device scan code to KeyCode. Every scan code not listed (the Windows and application keys
// among them) gives 0.
// clang-format off
constexpr ScanKey scan_keys[] = {
    {platform::DIK_ESCAPE, 27},
    {platform::DIK_1, 49}, {platform::DIK_2, 50}, {platform::DIK_3, 51}, {platform::DIK_4, 52},
    {platform::DIK_5, 53}, {platform::DIK_6, 54}, {platform::DIK_7, 55}, {platform::DIK_8, 56},
    {platform::DIK_9, 57}, {platform::DIK_0, 48},
    {platform::DIK_MINUS, 45}, {platform::DIK_EQUALS, 61}, {platform::DIK_BACK, 8},
    {platform::DIK_TAB, 9},
    {platform::DIK_Q, 113}, {platform::DIK_W, 119}, {platform::DIK_E, 101}, {platform::DIK_R, 114},
    {platform::DIK_T, 116}, {platform::DIK_Y, 121}, {platform::DIK_U, 117}, {platform::DIK_I, 105},
    {platform::DIK_O, 111}, {platform::DIK_P, 112},
    {platform::DIK_LBRACKET, 91}, {platform::DIK_RBRACKET, 93}, {platform::DIK_RETURN, 13},
    {platform::DIK_LCONTROL, 130},
    {platform::DIK_A, 97}, {platform::DIK_S, 115}, {platform::DIK_D, 100}, {platform::DIK_F, 102},
    {platform::DIK_G, 103}, {platform::DIK_H, 104}, {platform::DIK_J, 106}, {platform::DIK_K, 107},
    {platform::DIK_L, 108},
    {platform::DIK_SEMICOLON, 59}, {platform::DIK_APOSTROPHE, 39}, {platform::DIK_GRAVE, 96},
    {platform::DIK_LSHIFT, 128}, {platform::DIK_BACKSLASH, 92},
    {platform::DIK_Z, 122}, {platform::DIK_X, 120}, {platform::DIK_C, 99}, {platform::DIK_V, 118},
    {platform::DIK_B, 98}, {platform::DIK_N, 110}, {platform::DIK_M, 109},
    {platform::DIK_COMMA, 44}, {platform::DIK_PERIOD, 46}, {platform::DIK_SLASH, 47},
    {platform::DIK_RSHIFT, 129},
    {platform::DIK_MULTIPLY, 157}, {platform::DIK_LMENU, 132}, {platform::DIK_SPACE, 32},
    {platform::DIK_CAPITAL, 173},
    {platform::DIK_F1, 138}, {platform::DIK_F2, 139}, {platform::DIK_F3, 140},
    {platform::DIK_F4, 141}, {platform::DIK_F5, 142}, {platform::DIK_F6, 143},
    {platform::DIK_F7, 144}, {platform::DIK_F8, 145}, {platform::DIK_F9, 146},
    {platform::DIK_F10, 147},
    {platform::DIK_NUMLOCK, 172}, {platform::DIK_SCROLL, 174},
    {platform::DIK_NUMPAD7, 169}, {platform::DIK_NUMPAD8, 170}, {platform::DIK_NUMPAD9, 171},
    {platform::DIK_SUBTRACT, 158},
    {platform::DIK_NUMPAD4, 166}, {platform::DIK_NUMPAD5, 167}, {platform::DIK_NUMPAD6, 168},
    {platform::DIK_ADD, 159},
    {platform::DIK_NUMPAD1, 163}, {platform::DIK_NUMPAD2, 164}, {platform::DIK_NUMPAD3, 165},
    {platform::DIK_NUMPAD0, 162}, {platform::DIK_DECIMAL, 161},
    {platform::DIK_F11, 148}, {platform::DIK_F12, 149},
    {platform::DIK_NUMPADENTER, 160}, {platform::DIK_RCONTROL, 131}, {platform::DIK_DIVIDE, 156},
    {platform::DIK_SYSRQ, 175}, {platform::DIK_RMENU, 133},
    {platform::DIK_HOME, 152}, {platform::DIK_UP, 136}, {platform::DIK_PRIOR, 154},
    {platform::DIK_LEFT, 134}, {platform::DIK_RIGHT, 135},
    {platform::DIK_END, 153}, {platform::DIK_DOWN, 137}, {platform::DIK_NEXT, 155},
    {platform::DIK_INSERT, 150}, {platform::DIK_DELETE, 151},
};
// clang-format on

// Tries to acquire a device as often as allowed; true at the first success.
bool acquire_with_retries(InputDevice device) {
  for (int attempt = 0; attempt < acquire_attempts; ++attempt)
    if (platform::acquire_device(device)) return true;
  return false;
}

}  // namespace

GrpInput::GrpInput() = default;

GrpInput::~GrpInput() {
  if (keyboard_present_) {
    platform::unacquire_device(InputDevice::Keyboard);
    platform::close_device(InputDevice::Keyboard);
  }
  if (mouse_present_) {
    platform::unacquire_device(InputDevice::Mouse);
    platform::close_device(InputDevice::Mouse);
  }
  if (joystick_present_) {
    platform::unacquire_device(InputDevice::Joystick);
    platform::close_device(InputDevice::Joystick);
  }
  if (input_open_) platform::input_close();
}

int GrpInput::create(platform::Instance*, platform::Window*, int /*exclusive_mouse*/) {
  if (!platform::input_open()) return 0;
  input_open_ = true;
  mouse_present_ = platform::open_mouse();
  if (mouse_present_) acquire_mouse();
  keyboard_present_ = platform::open_keyboard();
  if (keyboard_present_) {
    acquire_keyboard();
    if (!keyboard_enabled_) return 0;
    build_scan_tables();
  }
  joystick_present_ =
      platform::open_joystick(joystick_axis_min, joystick_axis_max, joystick_dead_zone);
  if (joystick_present_) {
    acquire_joystick();
    if (!joystick_enabled_) return 0;
  }
  created_ = 1;
  return 1;
}

void GrpInput::build_scan_tables() {
  std::memset(scan_table_, 0, sizeof scan_table_);
  for (const ScanKey& sk : scan_keys) scan_table_[sk.scan] = sk.key;
  // Later scan codes win, so KeyCode 0 maps back to 255, the last unmapped scan code.
  for (int s = 0; s < 256; ++s) reverse_[scan_table_[s]] = s;
}

void GrpInput::set_mouse_speed(float speed) { speed_ = speed; }

void GrpInput::set_mouse_rect(int min_x, int min_y, int max_x, int max_y) {
  min_x_ = min_x;
  min_y_ = min_y;
  max_x_ = max_x;
  max_y_ = max_y;
}

void GrpInput::set_mouse_pos(int x, int y) {
  // The upper bound first; the lower bound wins when both apply.
  mouse_x_ = x;
  if (x >= max_x_) mouse_x_ = max_x_ - 1;
  if (x <= min_x_) mouse_x_ = min_x_ + 1;
  mouse_y_ = y;
  if (y >= max_y_) mouse_y_ = max_y_ - 1;
  if (y <= min_y_) mouse_y_ = min_y_ + 1;
}

void GrpInput::set_devices(int mouse, int keyboard, int joystick) {
  if (!created_) return;
  mouse ? acquire_mouse() : unacquire_mouse();
  keyboard ? acquire_keyboard() : unacquire_keyboard();
  joystick ? acquire_joystick() : unacquire_joystick();
}

void GrpInput::acquire_keyboard() {
  if (!keyboard_present_) return;
  keyboard_enabled_ = 1;
  if (acquire_with_retries(InputDevice::Keyboard)) {
    clear_keys();
  } else {
    keyboard_enabled_ = 0;
    // The keyboard is no longer read: forget what it last said, or its keys would stay held.
    clear_keys();
  }
}

void GrpInput::acquire_mouse() {
  if (!mouse_present_) return;
  mouse_enabled_ = 1;
  if (!acquire_with_retries(InputDevice::Mouse)) {
    mouse_enabled_ = 0;
    std::memset(mouse_buttons_, 0, sizeof mouse_buttons_);  // no button stays held unread
  }
}

void GrpInput::acquire_joystick() {
  // A joystick plugged in after start-up is picked up here.
  if (!joystick_present_)
    joystick_present_ =
        platform::open_joystick(joystick_axis_min, joystick_axis_max, joystick_dead_zone);
  if (!joystick_present_) return;
  joystick_enabled_ = 1;
  if (!acquire_with_retries(InputDevice::Joystick)) joystick_enabled_ = 0;
}

void GrpInput::unacquire_keyboard() {
  clear_keys();
  keyboard_enabled_ = 0;
  if (keyboard_present_) platform::unacquire_device(InputDevice::Keyboard);
}

void GrpInput::unacquire_mouse() {
  mouse_enabled_ = 0;
  if (mouse_present_) platform::unacquire_device(InputDevice::Mouse);
}

void GrpInput::unacquire_joystick() {
  joystick_enabled_ = 0;
  if (joystick_present_) platform::unacquire_device(InputDevice::Joystick);
}

void GrpInput::poll() {
  // A failed read ends the poll: the devices after it are not read this frame.
  if (keyboard_enabled_ && !read_keyboard()) return;
  if (mouse_enabled_ && !read_mouse()) return;
  if (joystick_enabled_ && !read_joystick()) return;
}

bool GrpInput::read_keyboard() {
  if (!platform::read_keyboard(keyboard_state_)) {
    acquire_keyboard();  // clears the keys whether it succeeds or gives up
    return false;
  }
  for (int s = 0; s < 256; ++s)
    if (scan_table_[s] != 0) update_raw(scan_table_[s], (keyboard_state_[s] & 0x80) != 0);
  return true;
}

bool GrpInput::read_mouse() {
  platform::MouseState m;
  if (!platform::read_mouse(m)) {
    acquire_mouse();
    return false;
  }
  if (m.placed) {  // scripted input put the pointer somewhere
    mouse_x_ = m.x;
    mouse_y_ = m.y;
  }
  const long long s = static_cast<long long>(speed_);  // truncated: 2.5 doubles the motion
  move_mouse(m.dx * s, m.dy * s);
  move_wheel(m.dz);
  std::memcpy(mouse_buttons_, m.buttons, sizeof mouse_buttons_);
  for (int b = 0; b < 3; ++b) update_raw(key_mouse1 + b, (m.buttons[b] & 0x80) != 0);
  return true;
}

void GrpInput::move_mouse(long long dx, long long dy) {
  long long x = mouse_x_ + dx, y = mouse_y_ + dy;
  if (x <= min_x_) x = min_x_;
  if (x >= max_x_) x = max_x_ - 1LL;
  if (y >= max_y_) y = max_y_ - 1LL;
  if (x <= min_x_) x = min_x_;
  if (y <= min_y_) y = min_y_;
  mouse_x_ = static_cast<int>(x);
  mouse_y_ = static_cast<int>(y);
}

void GrpInput::move_wheel(long long dz) {
  long long sum = wheel_pos_ + dz;
  long long previous = wheel_unclamped_;
  wheel_unclamped_ = sum;
  if (sum >= wheel_max_) sum = wheel_max_ - 1;
  if (sum <= wheel_min_) sum = wheel_min_;
  wheel_pos_ = static_cast<int>(sum);
  wheel_delta_ =
      static_cast<int>(std::clamp<long long>(wheel_unclamped_ - previous, INT_MIN, INT_MAX));
}

bool GrpInput::read_joystick() {
  platform::JoystickState j;
  if (!platform::read_joystick(j)) {
    platform::acquire_device(InputDevice::Joystick);  // once; the next frame tries again
    for (int b = 0; b < 12; ++b) raw_keys_[key_joy_button1 + b] = 0;
    return false;
  }
  // The axes are read but nothing drives a key from them.
  for (int b = 0; b < 12; ++b) update_raw(key_joy_button1 + b, (j.buttons[b] & 0x80) != 0);
  return true;
}

void GrpInput::update_raw(KeyCode k, bool down) {
  std::uint8_t& s = raw_keys_[k];
  if (down)
    s = s <= 1 ? 2 : 3;
  else
    s = s >= 2 ? 1 : 0;
}

int GrpInput::get_mouse(int* x, int* y) const {
  if (x) *x = mouse_x_;
  if (y) *y = mouse_y_;
  return ((mouse_buttons_[0] & 0x80) ? 1 : 0) | ((mouse_buttons_[1] & 0x80) ? 2 : 0);
}

int GrpInput::raw_key_down(KeyCode k) const {
  if (k < 0 || k >= 256) return 0;
  return keyboard_state_[reverse_[k]] & 0x80;
}

int GrpInput::key_to_scan(KeyCode k) const {
  if (k <= 0 || k >= 256) return 0;
  return reverse_[k];
}

KeyCode GrpInput::first_key_down() {
  poll();
  for (int s = 0; s < 256; ++s)
    if (scan_table_[s] != 0 && (keyboard_state_[s] & 0x80)) return scan_table_[s];
  return 0;
}

KeyCode GrpInput::first_joy_button_pressed() const {
  for (int b = 0; b < 12; ++b)
    if (raw_keys_[key_joy_button1 + b] == 2) return key_joy_button1 + b;
  return 0;
}

void GrpInput::clear_keys() {
  std::memset(raw_keys_, 0, sizeof raw_keys_);
  std::memset(keyboard_state_, 0, sizeof keyboard_state_);
  for (KeyPress& e : key_presses_) e = KeyPress();
}

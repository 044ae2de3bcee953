#pragma once
// The program's one input object: keyboard, mouse and the first joystick, read once per frame.
// It keeps the keyboard state by device scan code, the mouse position clamped to the screen with
// its motion and wheel, and the logical key table that every screen queries (core/key_state.h).
#include <climits>
#include <cstdint>

#include "core/key_state.h"

namespace platform {
struct Instance;
struct Window;
}  // namespace platform

// The program's key numbering.
using KeyCode = int;

constexpr KeyCode key_none = 0;
constexpr KeyCode key_backspace = 8;
constexpr KeyCode key_tab = 9;
constexpr KeyCode key_enter = 13;
constexpr KeyCode key_escape = 27;
constexpr KeyCode key_space = 32;
// 39, 44-57, 59, 61, 91-93, 96, 97-122: the printable keys as their unshifted US ASCII codes.
constexpr KeyCode key_lshift = 128;
constexpr KeyCode key_rshift = 129;
constexpr KeyCode key_lctrl = 130;
constexpr KeyCode key_rctrl = 131;
constexpr KeyCode key_lalt = 132;
constexpr KeyCode key_ralt = 133;
constexpr KeyCode key_left = 134;
constexpr KeyCode key_right = 135;
constexpr KeyCode key_up = 136;
constexpr KeyCode key_down = 137;
constexpr KeyCode key_f1 = 138;  // F1-F10 are 138-147
constexpr KeyCode key_f11 = 148;
constexpr KeyCode key_f12 = 149;
constexpr KeyCode key_insert = 150;
constexpr KeyCode key_delete = 151;
constexpr KeyCode key_home = 152;
constexpr KeyCode key_end = 153;
constexpr KeyCode key_page_up = 154;
constexpr KeyCode key_page_down = 155;
constexpr KeyCode key_pad_divide = 156;
constexpr KeyCode key_pad_multiply = 157;
constexpr KeyCode key_pad_minus = 158;
constexpr KeyCode key_pad_plus = 159;
constexpr KeyCode key_pad_enter = 160;
constexpr KeyCode key_pad_period = 161;
constexpr KeyCode key_pad_0 = 162;  // pad 1-9 are 163-171
constexpr KeyCode key_num_lock = 172;
constexpr KeyCode key_caps_lock = 173;
constexpr KeyCode key_scroll_lock = 174;
constexpr KeyCode key_sys_rq = 175;
constexpr KeyCode key_mouse1 = 256;
constexpr KeyCode key_mouse2 = 257;
constexpr KeyCode key_mouse3 = 258;
constexpr KeyCode key_joy_left = 260;
constexpr KeyCode key_joy_right = 261;
constexpr KeyCode key_joy_up = 262;
constexpr KeyCode key_joy_down = 263;
constexpr KeyCode key_joy_button1 = 264;  // buttons 1-12 are 264-275
constexpr int key_code_count = 276;

class GrpInput {
 public:
  GrpInput();
  ~GrpInput();
  GrpInput(const GrpInput&) = delete;
  GrpInput& operator=(const GrpInput&) = delete;

  // Opens the devices; 1 on success, 0 when the input system, the keyboard's acquisition or the
  // joystick fail (devices opened before the failure keep working). The host devices need
  // neither the program instance nor the window, and the host's mouse is always shared with the
  // desktop, so exclusive_mouse changes nothing.
  int create(platform::Instance* instance, platform::Window* window, int exclusive_mouse);
  void set_mouse_speed(float speed);
  void set_mouse_rect(int min_x, int min_y, int max_x, int max_y);
  void set_mouse_pos(int x, int y);
  // Nothing before create finished; otherwise acquires each device whose flag is nonzero and
  // lets go of the others.
  void set_devices(int mouse, int keyboard, int joystick);
  void poll();
  int get_mouse(int* x, int* y) const;  // bit 0: button 1 down, bit 1: button 2 down
  int get_mouse_z() const { return wheel_pos_; }
  int get_mouse_dz() const { return wheel_delta_; }
  int raw_key_down(KeyCode k) const;  // 0x80 while the key bound to keyboard code k is down
  int key_to_scan(KeyCode k) const;
  KeyCode first_key_down();
  KeyCode first_joy_button_pressed() const;
  void clear_keys();

  void acquire_keyboard();
  void acquire_mouse();
  void acquire_joystick();
  void unacquire_keyboard();
  void unacquire_mouse();
  void unacquire_joystick();

  // The logical keys (core/key_state.cpp).
  int update_key(std::uint32_t now_ms, KeyCode k, int down);
  int key_press(KeyCode k) const;
  int key_double_press(KeyCode k) const;
  int key_down(KeyCode k) const;
  int key_repeat(KeyCode k) const;
  int key_repeat_fast(KeyCode k) const;

  // Read-only views for tests and tools.
  int scan_table_entry(int scan) const { return scan >= 0 && scan < 256 ? scan_table_[scan] : 0; }
  int reverse_entry(KeyCode k) const { return k >= 0 && k < 256 ? reverse_[k] : 0; }
  int raw_state(KeyCode k) const { return k >= 0 && k < key_code_count ? raw_keys_[k] : 0; }
  int mouse_x() const { return mouse_x_; }
  int mouse_y() const { return mouse_y_; }
  const KeyPress& key_entry(KeyCode k) const;

 private:
  bool read_keyboard();
  bool read_mouse();
  bool read_joystick();
  void build_scan_tables();
  void update_raw(KeyCode k, bool down);
  void move_mouse(long long dx, long long dy);
  void move_wheel(long long dz);

  bool input_open_ = false;
  bool keyboard_present_ = false, mouse_present_ = false, joystick_present_ = false;
  int created_ = 0;
  int mouse_enabled_ = 0, keyboard_enabled_ = 0, joystick_enabled_ = 0;
  float speed_ = 1.0f;
  int min_x_ = INT_MIN, min_y_ = INT_MIN, max_x_ = INT_MAX, max_y_ = INT_MAX;
  int mouse_x_ = 0, mouse_y_ = 0;
  int wheel_min_ = 0, wheel_max_ = 100000;
  long long wheel_unclamped_ = 50000;
  int wheel_delta_ = 0;
  int wheel_pos_ = 50000;
  std::uint8_t raw_keys_[key_code_count] = {};  // 0 up, 1 released, 2 pressed, 3 held
  std::uint8_t keyboard_state_[256] = {};       // by scan code, bit 7 while down
  int scan_table_[256] = {};
  std::uint8_t mouse_buttons_[4] = {};  // of the last mouse read, bit 7 while down
  int reverse_[256] = {};
  static constexpr int press_transition_[4] = {1, 2, 2, 2};
  int repeat_rate_ = 5;
  KeyPress key_presses_[key_code_count] = {};
};

// The one input object.
extern GrpInput grp_input;

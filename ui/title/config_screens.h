#pragma once
// The key and joystick configuration screens (modes 7 and 8): rows of bindings the player
// rebinds one by one, and the buttons "確定", "放棄", "預設". They edit working copies of the
// bindings and write them back on "確定"; leaving always writes User.cfg.
#include <cstdint>

void call_key_config(std::uint32_t flags, int, int);
void input_key_config();
void draw_key_config();
void call_joy_config(std::uint32_t flags, int, int);
void input_joy_config();
void draw_joy_config();

// The rules of both screens, apart from the devices and the drawing.
struct ConfigKind {
  int editable_rows;   // 13 keyboard slots 2-14, 6 joystick slots 0-5
  int first_button;    // cursor of "確定"; "放棄" and "預設" follow
  int waiting_marker;  // the working entry of the row that waits
  int mouse_row_top;   // rows are picked by the mouse in bands below this y
  int mouse_row_pitch;
  int row_pitch;       // drawn row spacing
  int button_box_x;    // the selection box of button cursor c is at 96 * c + this
};
extern const ConfigKind key_config_kind;
extern const ConfigKind joy_config_kind;

enum ConfigState : int { config_browsing = 0, config_waiting = 10 };

struct ConfigScreen {
  int working[32] = {};
  int cursor = 0;
  int state = config_browsing;
};
extern ConfigScreen key_config_screen;
extern ConfigScreen joy_config_screen;

// The row or button under the mouse: the cursor value, or -1.
int config_cursor_at(const ConfigKind& kind, int x, int y);
// The cursor moved by one, kept on the screen.
int config_step_cursor(const ConfigKind& kind, int cursor, int delta);

enum class ConfigChoice { wait_for_key, confirm, cancel, defaults };
// Choosing the cursor's row: an editable row starts the wait on it.
ConfigChoice config_choose(const ConfigKind& kind, ConfigScreen& s);
// A key (or button) arriving while a row waits: refused keys return false and the wait goes on;
// a key another editable row holds moves the wait to that row; else the row takes it.
bool config_take(const ConfigKind& kind, ConfigScreen& s, int code);

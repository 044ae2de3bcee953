// The key and joystick configuration screens.
#include "ui/title/config_screens.h"

#include <algorithm>

#include "core/flags.h"
#include "core/game_flags.h"
#include "core/game_mode.h"
#include "core/grp_input.h"
#include "core/key_mapping.h"
#include "core/text_colours.h"
#include "core/user_cfg.h"
#include "field/debug_overlay.h"
#include "g3d/renderer.h"
#include "gfx2d/game_fonts.h"
#include "script/talk_queue.h"
#include "script/talk_timer.h"
#include "sound/sfx_bank.h"
#include "ui/cursor.h"
#include "ui/title/key_names.h"
#include "ui/screen_button.h"
#include "ui/talk_msg.h"
#include "ui/text_draw.h"
#include "ui/ui_numbers.h"
#include "ui/window_frame.h"

namespace {

constexpr int normal_colour = 0;
constexpr int highlight_colour = 9;
constexpr std::uint32_t selection_colour = 0xFFC80000;
constexpr int key_slot_offset = 2;  // keyboard row j edits key slot j + 2

// "確定", "放棄", "預設"
constexpr const char* button_captions[3] = {"\xbdT\xa9w", "\xa9\xf1\xb1\xf3", "\xb9w\xb3]"};
constexpr const char* key_captions[13] = {
    "\xa4W", "\xa4U", "\xa5\xaa", "\xa5k", "\xbdT\xa9w,\xbf\xef\xb3\xe6", "\xa8\xfa\xae\xf8", "",
    "Camera \xb1\xb1\xa8\xee", "", "Camera \xbb\xb7", "Camera \xaa\xf1", "\xa4W\xa4@\xad\xb6",
    "\xa4U\xa4@\xad\xb6",
};  // 上 下 左 右 確定,選單 取消 - Camera 控制 - Camera 遠 Camera 近 上一頁 下一頁
constexpr const char* joy_captions[6] = {
    "\xbdT\xa9w,\xbf\xef\xb3\xe6", "\xa8\xfa\xae\xf8", "Camera \xb1\xb1\xa8\xee", "Camera \xbb\xb7,\xaa\xf1",
    "Camera \xa5\xaa\xb1\xdb\xc2\xe0", "Camera \xa5k\xb1\xdb\xc2\xe0",
};  // 確定,選單 取消 Camera 控制 Camera 遠,近 Camera 左旋轉 Camera 右旋轉
constexpr const char* key_title = "\xc1\xe4 \xbdL \xb3] \xa9w";  // "鍵 盤 設 定"
constexpr const char* joy_title = "\xb7n \xae\xc2 \xb3] \xa9w";  // "搖 捍 設 定"

constexpr KeyCode back_keys[] = {key_up, key_left, key_joy_up, key_joy_left};
constexpr KeyCode forward_keys[] = {key_down, key_right, key_joy_down, key_joy_right};
constexpr KeyCode choose_keys[] = {key_space, key_enter, key_joy_button1};
constexpr KeyCode leave_keys[] = {key_lctrl, key_rctrl, key_joy_button1 + 1, key_mouse2};

// What differs between the two screens.
struct ConfigScreenSetup {
  const ConfigKind& kind;
  ConfigScreen& screen;
  int mode;
  void (*call)(std::uint32_t, int, int);
  const char* title;
  const char* const* captions;
  void (*fill)(ConfigScreen&);
  void (*write_back)(const ConfigScreen&);
  void (*set_defaults)();
  const char* (*name_of)(int);
  int (*wait_for)();  // the key or button that arrived while waiting; 0 for none
};

void fill_keys(ConfigScreen& s) {
  for (int j = 0; j < binding_slot_count - key_slot_offset; ++j) s.working[j] = key_bindings[j + key_slot_offset];
}
void write_keys(const ConfigScreen& s) {
  for (int j = 0; j < binding_slot_count - key_slot_offset; ++j) key_bindings[j + key_slot_offset] = s.working[j];
}
void fill_joy(ConfigScreen& s) { std::copy(joy_bindings, joy_bindings + binding_slot_count, s.working); }
void write_joy(const ConfigScreen& s) { std::copy(s.working, s.working + binding_slot_count, joy_bindings); }
int next_key() { return grp_input.first_key_down(); }
int next_button() { return grp_input.first_joy_button_pressed(); }

const ConfigScreenSetup key_setup{key_config_kind, key_config_screen, mode_key_config, call_key_config, key_title,
                                key_captions, fill_keys, write_keys, set_default_key_bindings, key_binding_name,
                                next_key};
const ConfigScreenSetup joy_setup{joy_config_kind, joy_config_screen, mode_joy_config, call_joy_config, joy_title,
                                joy_captions, fill_joy, write_joy, set_default_joy_bindings, joy_binding_name,
                                next_button};

template <std::size_t N>
bool any_key(const KeyCode (&keys)[N], int (GrpInput::*test)(KeyCode) const) {
  for (KeyCode k : keys)
    if ((grp_input.*test)(k)) return true;
  return false;
}

void call_config(const ConfigScreenSetup& setup, std::uint32_t flags) {
  if (flags == MODE_ENTER) {
    if (GameMode == setup.mode) return;
    SavedGameMode = GameMode;
    GameMode = setup.mode;
    setup.screen.cursor = 0;
    setup.screen.state = config_browsing;
    setup.fill(setup.screen);
  } else if (flags == MODE_RESUME) {
    GameMode = setup.mode;
  } else {
    save_user_cfg();
    GameMode = SavedGameMode;
  }
}

void leave(const ConfigScreenSetup& setup) { setup.call(MODE_LEAVE, 0, 0); }

void browse(const ConfigScreenSetup& setup) {
  ConfigScreen& s = setup.screen;
  bool mouse_choice = false;
  const int hovered = config_cursor_at(setup.kind, mouse_x, mouse_y);
  if (hovered >= 0) {
    if (hovered != s.cursor) play_sfx(sfx_config_move, 1);
    s.cursor = hovered;
    mouse_choice = grp_input.key_press(key_mouse1) != 0;
  }
  if (any_key(back_keys, &GrpInput::key_repeat_fast)) {
    play_sfx(sfx_config_move, 1);
    s.cursor = config_step_cursor(setup.kind, s.cursor, -1);
    setup.call(MODE_RESUME, 0, 0);
  }
  if (any_key(forward_keys, &GrpInput::key_repeat_fast)) {
    play_sfx(sfx_config_move, 1);
    s.cursor = config_step_cursor(setup.kind, s.cursor, 1);
    setup.call(MODE_RESUME, 0, 0);
  }
  if (any_key(choose_keys, &GrpInput::key_press) || mouse_choice) {
    switch (config_choose(setup.kind, s)) {
      case ConfigChoice::confirm:
        play_sfx(sfx_config_take, 1);
        setup.write_back(s);
        leave(setup);
        return;
      case ConfigChoice::cancel:
        play_sfx(sfx_config_leave, 1);
        leave(setup);
        return;
      case ConfigChoice::defaults:
        play_sfx(sfx_config_take, 1);
        setup.set_defaults();
        setup.fill(s);
        break;
      case ConfigChoice::wait_for_key:
        return;
    }
  }
  if (any_key(leave_keys, &GrpInput::key_press)) {
    play_sfx(sfx_config_leave, 1);
    leave(setup);
  }
}

void input_config(const ConfigScreenSetup& setup) {
  if (setup.screen.state != config_waiting) {
    browse(setup);
    return;
  }
  const int code = setup.wait_for();
  if (code == 0) return;
  play_sfx(sfx_config_take, 1);
  config_take(setup.kind, setup.screen, code);
}

void draw_config(const ConfigScreenSetup& setup) {
  const ConfigScreen& s = setup.screen;
  const ConfigKind& k = setup.kind;
  renderer.draw_rect(0, 0, 640, 480, 0xFF000000, 0);
  draw_window_frame(window_frame_act, 64, 16, 512, 384);
  font_20.set_advance(22);
  draw_text_at(font_20, 254, 36, setup.title, text_colours[normal_colour], GLYPH_BOLD_SHADOW);
  for (int row = 0; row < k.editable_rows; ++row) {
    const int y = 66 + k.row_pitch * row;
    draw_text_at(font_20, 84, y, setup.captions[row], text_colours[normal_colour], GLYPH_BOLD_SHADOW);
    draw_text_at(font_20, 244, y, setup.name_of(s.working[row]),
                 text_colours[row == s.cursor ? highlight_colour : normal_colour], GLYPH_BOLD_SHADOW);
  }
  draw_window_frame(window_frame_act, 64, 400, 512, 64);
  for (int b = 0; b < 3; ++b)
    draw_text_at(font_20, 84 + 96 * b, 420, button_captions[b], text_colours[normal_colour], GLYPH_BOLD_SHADOW);
  if (s.cursor < k.editable_rows)
    renderer.draw_rect(234, 62 + k.row_pitch * s.cursor, 240, 25, selection_colour, G3D_OUTLINE);
  else
    renderer.draw_rect(96 * s.cursor + k.button_box_x, 416, 64, 25, selection_colour, G3D_OUTLINE);
  show_talkmsg();
  show_button();
  if (test_flag(flag_talk_countdown)) talk_timer_minutes(520, 5);
  cursor_act.act = cursor_act_number;
  draw_mouse_cursor();
  draw_debug_info();
  renderer.present();
}

}  // namespace

void call_key_config(std::uint32_t flags, int, int) { call_config(key_setup, flags); }
void input_key_config() { input_config(key_setup); }
void draw_key_config() { draw_config(key_setup); }
void call_joy_config(std::uint32_t flags, int, int) { call_config(joy_setup, flags); }
void input_joy_config() { input_config(joy_setup); }
void draw_joy_config() { draw_config(joy_setup); }

// The options panel.
#include "ui/menu/options_panel.h"

#include "core/flags.h"
#include "core/game_flags.h"
#include "core/game_mode.h"
#include "core/grp_input.h"
#include "core/key_mapping.h"
#include "core/text_colours.h"
#include "core/user_cfg.h"
#include "field/field_camera_state.h"
#include "field/role_draw.h"
#include "g3d/act_draw.h"
#include "g3d/camera.h"
#include "gfx2d/game_fonts.h"
#include "sound/music_director.h"
#include "sound/sfx_bank.h"
#include "ui/menu/menu_input.h"
#include "ui/menu/menu_numbers.h"
#include "ui/text_draw.h"
#include "ui/window_frame.h"

Slider options_sliders[options_slider_count];
int options_focus = 0;
int options_editing = 0;

namespace {

constexpr int label_colour = 26, chosen_colour = 21, other_colour = 20;
constexpr std::uint32_t highlight = 0x64FFFFFF;

// "訊息速度", "音樂音量", "音效音量"
constexpr const char* slider_titles[3] = {"\xb0T\xae\xa7\xb3t\xab\xd7", "\xad\xb5\xbc\xd6\xad\xb5\xb6q",
                                          "\xad\xb5\xae\xc4\xad\xb5\xb6q"};
// "慢", "適中", "快" and "小", "適中", "大"
constexpr const char* speed_words[3] = {"\xba\x43", "\xbe\x41\xa4\xa4", "\xa7\xd6"};
constexpr const char* size_words[3] = {"\xa4p", "\xbe\x41\xa4\xa4", "\xa4j"};
// "地圖特效:", "任務提示:", "鏡頭旋轉:", "影子顯示:"
constexpr const char* row_titles[4] = {"\xa6\x61\xb9\xcf\xafS\xae\xc4:", "\xa5\xf4\xb0\xc8\xb4\xa3\xa5\xdc:",
                                       "\xc3\xe8\xc0Y\xb1\xdb\xc2\xe0:", "\xbcv\xa4l\xc5\xe3\xa5\xdc:"};
// "模式一", "模式二", "關閉"
constexpr const char* mode_words[3] = {"\xbc\xd2\xa6\xa1\xa4@", "\xbc\xd2\xa6\xa1\xa4G", "\xc3\xf6\xb3\xac"};
constexpr const char* version_label = "Tolvane V1.04b";

int* slider_value(int i) {
  switch (i) {
    case 0:
      return &user_options[option_message_speed];
    case 1:
      return &music_volume;
    default:
      return &sfx_volume;
  }
}

// The choice boxes of rows 3-6 for a click; -1 outside them.
int choice_at(int row, int x, int y) {
  switch (row) {
    case 3:
      return first_box_hit({225, 255, 255, 285, 30, 0, 2}, x, y);
    case 4:
      return first_box_hit({225, 295, 255, 320, 30, 0, 2}, x, y);
    case 5:
      return first_box_hit({230, 340, 310, 370, 80, 0, 2}, x, y);
    case 6:
      return first_box_hit({230, 380, 310, 410, 80, 0, 3}, x, y);
    default:
      return -1;
  }
}

// A click: a slider that takes it, else a row, then the row's choice. True when a slider took it.
bool click(int x, int y) {
  for (int i = 0; i < options_slider_count; ++i)
    if (options_sliders[i].mouse(x, y)) {
      options_focus = i;
      options_store_slider(i);
      return true;
    }
  const int row = first_box_hit({140, 260, 540, 300, 0, 40, 4}, x, y);
  if (row >= 0) options_focus = row + 3;
  const int c = choice_at(options_focus, x, y);
  if (c >= 0) user_options[options_row_option(options_focus)] = c;
  return false;
}

void keys() {
  const bool left_repeat = grp_input.key_repeat(key_left) != 0, right_repeat = grp_input.key_repeat(key_right) != 0;
  if (options_focus >= options_slider_count) {
    const int delta = left_repeat ? -1 : right_repeat ? 1 : 0;
    int& v = user_options[options_row_option(options_focus)];
    if (delta != 0) v = options_step_choice(options_focus, v, delta);
    return;
  }
  Slider& s = options_sliders[options_focus];
  if (grp_input.key_down(key_left)) {
    s.decrease(2);
    options_store_slider(options_focus);
  } else if (grp_input.key_down(key_right)) {
    s.increase(2);
    options_store_slider(options_focus);
  }
}

void draw_choice_row(int row, int y) {
  draw_text_at(font_16, 140, y, row_titles[row - 3], text_colours[label_colour], GLYPH_BOLD_SHADOW);
  const int value = user_options[options_row_option(row)];
  if (row <= 4) {
    draw_act(panel_pictures_act, 7, 225, y - 5, 0);
    draw_act(panel_pictures_act, 8, 255, y - 5, 0);
    draw_act(panel_pictures_act, std::uint16_t(9 + value), 225 + 30 * value, y - 5, 0);
    return;
  }
  const int n = row == 6 ? 3 : 2;
  for (int k = 0; k < n; ++k)
    draw_text_at(font_16, 230 + 80 * k, y, mode_words[k], text_colours[k == value ? chosen_colour : other_colour],
                 GLYPH_BOLD_SHADOW);
}

}  // namespace

int options_step_focus(int focus, int delta) {
  return ((focus + delta) % options_row_count + options_row_count) % options_row_count;
}

int options_step_choice(int row, int value, int delta) {
  const int n = row == 6 ? 3 : 2;
  return ((value + delta) % n + n) % n;
}

void options_focus_point(int focus, int* x, int* y) {
  *x = 300;
  *y = focus < options_slider_count ? 85 + 60 * focus : 145 + 40 * focus;
}

int options_row_option(int row) {
  switch (row) {
    case 3:
      return option_map_effects;
    case 4:
      return option_mission_hints;
    case 5:
      return option_camera_rotation;
    default:
      return option_shadows;
  }
}

void options_store_slider(int i) {
  const int v = options_sliders[i].get_value();
  *slider_value(i) = v;
  if (i == 1) music_director.SetVolume(v);
  if (i == 2) play_sfx(sfx_volume_sample, 1);
}

void init_options_panel() {
  static constexpr int maxima[3] = {100, max_volume, max_volume};
  for (int i = 0; i < options_slider_count; ++i) {
    Slider& s = options_sliders[i];
    s.set_bar(slider_picture_act, 3, 230, 80 + 60 * i, 0, 0);
    s.set_knob(slider_picture_act, std::uint16_t(i), 0, 0);
    s.set_range(0, max_volume, 64, 2);
    s.set_range(0, maxima[i], *slider_value(i), 2);
  }
  options_focus = 0;
}

void input_options_panel() {
  const int dz = grp_input.get_mouse_dz();
  const bool taken = grp_input.key_press(key_mouse1) && click(mouse_x, mouse_y);
  if (!taken && options_focus < options_slider_count) {
    Slider& s = options_sliders[options_focus];
    if (grp_input.key_down(key_mouse1)) {
      if (s.mouse(mouse_x, mouse_y)) options_store_slider(options_focus);
    } else {
      s.release();
    }
  }
  keys();
  const int delta = grp_input.key_repeat(key_up) || dz > 0 ? -1 : grp_input.key_repeat(key_down) || dz < 0 ? 1 : 0;
  if (delta == 0) return;
  options_focus = options_step_focus(options_focus, delta);
  if (dz != 0) {
    int x = 0, y = 0;
    options_focus_point(options_focus, &x, &y);
    grp_input.set_mouse_pos(x, y);
  }
}

void draw_options_panel() {
  const bool menu = GameMode == mode_menu;
  for (int i = 0; i < options_slider_count; ++i) {
    options_sliders[i].draw();
    draw_text_at(font_16, 140, 78 + 60 * i, slider_titles[i], text_colours[label_colour], GLYPH_BOLD_SHADOW);
    for (int k = 0; k < 3; ++k)
      draw_text_at(font_12, 230 + 130 * k, 100 + 60 * i, i == 0 ? speed_words[k] : size_words[k],
                   text_colours[label_colour], GLYPH_PLAIN);
  }
  field_camera.set_mode(4);
  for (int row = 3; row < options_row_count; ++row) draw_choice_row(row, 260 + 40 * (row - 3));
  draw_text_at(font_16, 500, menu ? 400 : 450, version_label, text_colours[label_colour], GLYPH_BOLD_SHADOW);
  if (menu && !options_editing) return;
  if (options_focus < options_slider_count)
    draw_select_bar(130, 72 + 60 * options_focus, 400, 24, highlight);
  else
    draw_select_bar(130, 255 + 40 * (options_focus - 3), 400, 24, highlight);
}

void apply_option_flags() {
  clear_flag(flag_mission_hints);
  if (user_options[option_mission_hints] == 1) set_flag(flag_mission_hints);
  clear_flag(flag_shadows_off);
  shadow_instance.qq = user_options[option_shadows] == 1 ? shadow_qq_translucent : shadow_qq;
  if (user_options[option_shadows] == 2) set_flag(flag_shadows_off);
  Take_3dActData(&shadow_instance);
}

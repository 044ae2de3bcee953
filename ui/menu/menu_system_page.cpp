// The system page: its commands and the quit question; the options are ui/menu/options_panel.h.
#include "ui/menu/menu_system_page.h"

#include "core/game_mode.h"
#include "core/grp_input.h"
#include "core/key_mapping.h"
#include "core/user_cfg.h"
#include "field/field_camera_state.h"
#include "field/map_file.h"
#include "g3d/act_draw.h"
#include "g3d/camera.h"
#include "sound/sfx_bank.h"
#include "ui/menu/menu_input.h"
#include "ui/menu/menu_items.h"
#include "ui/menu/menu_numbers.h"
#include "ui/menu/menu_system.h"
#include "ui/menu/options_panel.h"
#include "ui/saves/save_load.h"
#include "ui/screen_extras.h"
#include "ui/talk_msg.h"
#include "ui/text_button.h"
#include "ui/ui_numbers.h"

int system_tab = 0;
int system_state = system_state_commands;
int system_quit_question = 0;
int system_tab_strip = 0;

namespace {

// "現在不能存檔!!%Q"
constexpr const char* no_save_text = "\xb2{\xa6""b\xa4\xa3\xaf\xe0\xa6s\xc0\xc9!!%Q";
// "確定要離開嗎? %B離開遊戲. / %B取消.%Q"
constexpr const char* quit_question =
    "\xbdT\xa9w\xadn\xc2\xf7\xb6}\xb6\xdc? %B\xc2\xf7\xb6}\xb9""C\xc0\xb8. / %B\xa8\xfa\xae\xf8.%Q";

void run_command() {
  switch (system_tab) {
    case system_tab_save:
      if (map_record.map_flags & map_no_save) {
        play_sfx(sfx_refuse, 1);
        del_all_talkmsg();
        add_time_msg(320, 120, 0, 100, no_save_text, 0);
        return;
      }
      field_camera = menu_camera_copy;
      play_sfx(sfx_select, 1);
      // A save item whose own save screen was left without saving stays marked until the menu
      // closes; this save is the page's, and must not take it.
      clear_save_item_mark();
      call_save_system(MODE_ENTER, 0, 0);
      return;
    case system_tab_load:
      play_sfx(sfx_select, 1);
      call_load_system(MODE_ENTER, 0, 0);
      return;
    case system_tab_options:
      play_sfx(sfx_select, 1);
      system_state = system_state_options;
      return;
    default:
      play_sfx(sfx_select, 1);
      system_quit_question = 1;
      system_state = system_state_quit;
      set_tbutton_cancel(1);
      add_txt_msg(144, 100, 370, 64, 0, 0, quit_question, 2);
      grp_input.set_mouse_pos(376, 136);
      return;
  }
}

// Step 1: true when a click asks for the chosen tab's command.
bool mouse_on_tabs() {
  const bool click = grp_input.key_press(key_mouse1) != 0;
  const int tab = first_box_hit({120, 4, 146, 36, 26, 0, system_tab_count}, mouse_x, mouse_y);
  if (tab >= 0) {
    menu_hint_key = tab;
    if (!click) return false;
    play_sfx(sfx_tab, 1);
    reset_tab_bounce();
    const bool again = tab == system_tab;
    system_tab = tab;
    system_state = system_state_commands;
    options_focus = 0;
    del_all_talkmsg();
    return again;
  }
  if (click && system_tab == system_tab_options && system_state == system_state_commands) {
    for (int i = 0; i < options_slider_count; ++i)
      if (i == options_focus && options_sliders[i].mouse(mouse_x, mouse_y)) {
        system_state = system_state_options;
        return false;
      }
    const int row = first_box_hit({140, 260, 540, 300, 0, 40, 4}, mouse_x, mouse_y);
    if (row >= 0) {
      options_focus = row + 3;
      system_state = system_state_options;
    }
  }
  return false;
}

void answer_quit() {
  int answer = 0;
  if (!get_tbutton(&answer)) return;
  save_user_cfg();
  set_tbutton_cancel(0);
  if (answer == 0) {
    quit_request = 1;
    return;
  }
  system_quit_question = 0;
  system_state = system_state_commands;
}

}  // namespace

void enter_system_page() {
  system_tab = 0;
  system_state = system_state_commands;
  system_quit_question = 0;
  menu_hint_key = 0;
  system_tab_strip = 1;
  init_options_panel();
  reset_tab_bounce();
}

void leave_system_page() {
  system_tab = 0;
  system_state = system_state_commands;
  system_quit_question = 0;
  system_tab_strip = 0;
  apply_option_flags();
  menu_page = menu_page_bar;
}

void input_system_page() {
  renew_key_nav_mode();
  bool confirm = false;
  if (!key_nav_mode) confirm = mouse_on_tabs();
  options_editing = system_state == system_state_options;
  if (system_state == system_state_options) {
    menu_tab_bounce.current.y = menu_tab_bounce.rest.y;
    input_options_panel();
    if (cancel_key()) {
      play_sfx(sfx_back, 1);
      system_state = system_state_commands;
    }
    options_editing = system_state == system_state_options;
    return;
  }
  if (system_state == system_state_quit) {
    answer_quit();
    return;
  }
  const int delta = grp_input.key_repeat(key_left) ? -1 : grp_input.key_repeat(key_right) ? 1 : 0;
  if (delta != 0) {
    system_tab = (system_tab + delta + system_tab_count) % system_tab_count;
    play_sfx(sfx_tab, 1);
    reset_tab_bounce();
    menu_hint_key = system_tab;
  }
  if (confirm || confirm_key(&GrpInput::key_repeat_fast) || grp_input.key_repeat(key_down)) {
    run_command();
    options_editing = system_state == system_state_options;
    return;
  }
  if (cancel_key()) {
    play_sfx(sfx_back, 1);
    leave_system_page();
  }
}

void draw_system_page() {
  if (system_tab_strip) {
    const int bounce = system_state == system_state_commands ? step_tab_bounce() : int(menu_tab_bounce.current.y);
    for (int i = 0; i < system_tab_count; ++i)
      if (i != system_tab) draw_act(system_tab_act, std::uint16_t(i), 120 + 26 * i, 4, 0);
    draw_act(system_tab_act, std::uint16_t(system_tab + 4), 120 + 26 * system_tab, bounce, 0);
    draw_hint_line(std::uint16_t(menu_hint_key + 29), 60, 448);
  }
  if (system_tab == system_tab_options) draw_options_panel();
}

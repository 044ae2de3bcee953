// The menu system: entering and leaving, the frame's layout and its input step.
#include "ui/menu/menu_system.h"

#include "base/base_camp.h"
#include "core/flags.h"
#include "core/game_flags.h"
#include "core/game_mode.h"
#include "core/grp_input.h"
#include "core/key_mapping.h"
#include "core/user_cfg.h"
#include "data/party.h"
#include "field/field_camera_state.h"
#include "g3d/camera.h"
#include "g3d/effects/effect_manager.h"
#include "sound/sfx_bank.h"
#include "ui/menu/item_recovery.h"
#include "ui/menu/menu_frame.h"
#include "ui/menu/menu_input.h"
#include "ui/menu/menu_items.h"
#include "ui/menu/menu_mechanisms.h"
#include "ui/menu/menu_numbers.h"
#include "ui/menu/menu_pages.h"
#include "ui/menu/menu_system_page.h"
#include "ui/saves/snapshot.h"
#include "ui/talk_msg.h"
#include "ui/text_button.h"
#include "ui/ui_numbers.h"

int menu_page = 0;
int menu_bar_sel = 0;
int menu_hint_key = 0;
int menu_return_mode = 0;
int menu_party_count = 0;
int menu_party[3] = {};
int menu_target_mode = 0;
std::uint16_t menu_bg_frame = 1;
int menu_party_target = 0;
Tween menu_card_tweens[3];
BounceMotion menu_tab_bounce;
ActInstance menu_model;
Camera menu_camera_copy;
int menu_close_frame = close_button_qq;
int menu_bar_previous = 0;
Tween menu_bar_tweens[menu_entry_count];

EffectManager& menu_effects() {
  static EffectManager manager;
  return manager;
}

namespace {

// "此功能尚未啟動!!%Q"
constexpr const char* not_started_text = "\xa6\xb9\xa5\\\xaf\xe0\xa9|\xa5\xbc\xb1\xd2\xb0\xca!!%Q";
constexpr int refusal_time = 100;  // 1 second
constexpr int bar_label_slide = 10;

void close_boxes() {
  del_all_tbutton();
  del_all_talkmsg();
}

void refuse_base_camp() {
  del_all_talkmsg();
  add_time_msg(320, 240, 0, refusal_time, not_started_text, 0);
  play_sfx(sfx_refuse, 1);
}

// The highlighted label slides out and the one before slides back.
void slide_bar_labels() {
  if (menu_bar_previous == menu_bar_sel) return;
  for (int e : {menu_bar_previous, menu_bar_sel}) {
    if (e < 1 || e > menu_entry_count) continue;
    menu_bar_tweens[e - 1].set_mode(3);
    menu_bar_tweens[e - 1].set_speed(3);
    menu_bar_tweens[e - 1].move_target(e == menu_bar_sel ? bar_label_slide : -bar_label_slide, 0);
  }
  menu_bar_previous = menu_bar_sel;
}

void lay_out_frame() {
  menu_party_count = collect_menu_party(menu_party);
  static constexpr int card_moves[3][4] = {{-175, 35, 90, 35}, {640, 35, 355, 35}, {-175, 175, 90, 175}};
  for (int i = 0; i < 3; ++i) {
    slide_in_panel(menu_card_tweens[i], card_moves[i][0], card_moves[i][1], card_moves[i][2], card_moves[i][3]);
  }
  for (int j = 0; j < menu_entry_count; ++j) {
    Tween& t = menu_bar_tweens[j];
    t.set_mode(3);
    t.set_speed(3);
    t.set_move(-95, 143 + 39 * j, 5, 143 + 39 * j);
    t.set_delay(3 * j);
  }
  reset_help_panel(menu_help_panel_x);
}

void enter_menu() {
  if (GameMode == mode_menu) return;
  play_sfx(sfx_menu_open, 1);
  SavedGameMode = menu_return_mode = GameMode;
  GameMode = mode_menu;
  menu_page = menu_bar_sel = menu_bar_previous = menu_hint_key = 0;
  reset_tab_bounce();
  menu_bg_frame = 1;
  menu_target_mode = 0;
  take_snapshot();
  menu_camera_copy = field_camera;
  close_boxes();
  rebuild_mechanism_list();
}

void leave_menu() {
  leave_equip_page();
  // The close button also works on the arts and log pages: the party's magic goes back out of
  // slot 1's list and the log's charts are freed.
  leave_arts_page();
  leave_log_page();
  field_camera = menu_camera_copy;
  menu_effects().clear();
  menu_page = menu_bar_sel = 0;
  clear_save_item_mark();
  GameMode = menu_return_mode;
  SavedGameMode = 0;
  free_snapshot();
  save_user_cfg();
}

void open_base_camp() {
  del_all_talkmsg();
  if (!test_flag(flag_base_camp_open)) {
    refuse_base_camp();
    return;
  }
  if (menu_bar_sel >= 1 && menu_bar_sel <= menu_entry_count) menu_bar_tweens[menu_bar_sel - 1].move_target(-bar_label_slide, 0);
  menu_bar_sel = menu_bar_previous = menu_page = 0;
  menu_bg_frame = 1;
  SavedGameMode = GameMode;
  GameMode = mode_base_camp;
  play_sfx(sfx_base_camp, 1);
  mouse_idle = 0;
  enter_base_camp();
}

void open_entry(int e) {
  switch (e) {
    case menu_page_items:
      menu_page = menu_page_items;
      enter_item_page();
      break;
    case menu_page_equip:
      enter_equip_page();
      break;
    case menu_page_arts:
      menu_page = menu_page_arts;
      enter_arts_page();
      break;
    case menu_page_mechanisms:
      menu_page = menu_page_mechanisms;
      break;
    case menu_entry_base_camp:
      open_base_camp();
      break;
    case menu_page_log:
      menu_page = menu_page_log;
      enter_log_page();
      break;
    case menu_page_system:
      menu_page = menu_page_system;
      enter_system_page();
      break;
    default:
      break;
  }
  menu_bg_frame = std::uint16_t(e == 0 ? 1 : e);
}

// Step 2: true when the close button left the menu.
bool close_button() {
  menu_close_frame = in_range(mouse_x, 610, 639) && in_range(mouse_y, 0, 29) ? close_button_qq + 1 : close_button_qq;
  if (menu_close_frame == close_button_qq || !grp_input.key_press(key_mouse1)) return false;
  play_sfx(sfx_select, 1);
  close_boxes();
  SFLB_call_menu_system(MODE_LEAVE, 0, 0);
  return true;
}

// Step 4: true when a click opened an entry (or was refused).
bool page_bar_mouse() {
  const int j = page_bar_entry_at(mouse_x, mouse_y);
  if (j < 0) return false;
  if (menu_page == menu_page_bar && menu_bar_sel != j + 1) {
    play_sfx(sfx_menu_entry_first + j, 1);
    menu_bar_sel = menu_hint_key = j + 1;
  }
  if (!grp_input.key_press(key_mouse1)) {
    slide_bar_labels();
    return false;
  }
  close_boxes();
  leave_equip_page();
  leave_arts_page();
  if (j + 1 == menu_entry_base_camp && !test_flag(flag_base_camp_open)) {
    refuse_base_camp();
    return true;
  }
  menu_bar_sel = j + 1;
  slide_bar_labels();
  play_sfx(sfx_select, 1);
  open_entry(j + 1);
  return true;
}

void page_bar_keys() {
  if (menu_bar_sel == 0) {
    if (grp_input.key_press(key_up) || grp_input.key_press(key_down)) {
      menu_bar_sel = 1;
      key_nav_mode = 1;
      slide_bar_labels();
      play_sfx(sfx_menu_entry_first, 1);
    }
  } else {
    const int delta = grp_input.key_repeat(key_up) ? -1 : grp_input.key_repeat(key_down) ? 1 : 0;
    if (delta != 0) {
      menu_bar_sel = wrap_bar_entry(menu_bar_sel, delta);
      key_nav_mode = 1;
      play_sfx(sfx_menu_entry_first - 1 + menu_bar_sel, 1);
      menu_hint_key = menu_bar_sel;
      slide_bar_labels();
    }
    if (grp_input.key_press(key_enter) || grp_input.key_press(key_space) || grp_input.key_press(key_right)) {
      play_sfx(sfx_select, 1);
      open_entry(menu_bar_sel);
      return;
    }
  }
  if (cancel_key()) {
    if (check_txt_msg_end()) {
      play_sfx(sfx_back, 1);
      SFLB_call_menu_system(MODE_LEAVE, 0, 0);
    } else {
      del_all_talkmsg();
    }
  }
}

void developer_keys() {
  if (!test_flag(flag_developer_keys)) return;
  if (grp_input.key_repeat(key_pad_0 + 1)) raise_member_level(0);
  if (grp_input.key_press(key_pad_0 + 2)) raise_member_level(1);
  if (grp_input.key_press(key_pad_0 + 3)) raise_member_level(2);
}

}  // namespace

int collect_menu_party(int out[3]) {
  int n = 0;
  for (int slot = 0; slot < 3; ++slot)
    if (test_flag(party_member_flags[slot])) out[n++] = slot;
  return n;
}

int page_bar_entry_at(int x, int y) { return first_box_hit({5, 143, 85, 183, 0, 40, menu_entry_count}, x, y); }

int wrap_bar_entry(int entry, int delta) {
  const int e = entry + delta;
  if (e < 1) return menu_entry_count;
  if (e > menu_entry_count) return 1;
  return e;
}

int SFLB_call_menu_system(std::uint32_t flags, int, int) {
  mouse_idle = 0;
  menu_effects().clear();
  if (flags == MODE_ENTER) {
    if (GameMode == mode_menu) return 0;
    enter_menu();
  } else if (flags == MODE_RESUME) {
    menu_page = menu_bar_sel = 0;
  } else {
    leave_menu();
  }
  lay_out_frame();
  return 1;
}

void input_menu_system() {
  renew_key_nav_mode(true);
  if (!menu_target_mode && close_button()) return;
  toggle_help_panel();
  if (!key_nav_mode && !menu_target_mode && page_bar_mouse()) return;
  switch (menu_page) {
    case menu_page_bar:
      page_bar_keys();
      break;
    case menu_page_items:
      input_item_page();
      if (menu_page == menu_page_items && GameMode == mode_menu) update_item_page();
      break;
    case menu_page_equip:
      input_equip_page();
      break;
    case menu_page_arts:
      input_arts_page();
      break;
    case menu_page_mechanisms:
      input_mechanism_page();
      break;
    case menu_page_log:
      input_log_page();
      break;
    case menu_page_system:
      input_system_page();
      break;
    default:
      break;
  }
  if (GameMode == mode_menu) developer_keys();
}

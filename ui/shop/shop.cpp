// The shop's entry and its input, step by step.
#include "ui/shop/shop.h"

#include "core/game_mode.h"
#include "core/grp_input.h"
#include "core/key_mapping.h"
#include "sound/sfx_bank.h"
#include "ui/menu/menu_input.h"
#include "ui/menu/menu_pages.h"
#include "ui/menu/menu_system.h"
#include "ui/shop/shop_rules.h"
#include "ui/talk_msg.h"
#include "ui/text_button.h"
#include "ui/ui_numbers.h"

namespace {

// " 客倌 您要買東西還是賣東西%N    %B買.  /  %B賣.  /  %B離開.%Q"
constexpr const char* choice_text =
    " \xAB\xC8\xAD\xBE \xB1z\xADn\xB6R\xAA" "F\xA6\xE8\xC1\xD9\xACO\xBD\xE6\xAA" "F\xA6\xE8%N    %B\xB6R.  /  "
    "%B\xBD\xE6.  /  %B\xC2\xF7\xB6}.%Q";
// "要馬上裝備嗎? %B確定./%B取消.%Q"
constexpr const char* equip_now_text = "\xADn\xB0\xA8\xA4W\xB8\xCB\xB3\xC6\xB6\xDC? %B\xBDT\xA9w./%B\xA8\xFA\xAE\xF8.%Q";
constexpr std::uint32_t shop_box_value = 2;
constexpr int choice_buy = 0, choice_sell = 1;

constexpr int rows_x0 = 140, rows_x1 = 480, rows_y = 74, row_height = 30;
constexpr int minus_x0 = 360, minus_x1 = 380, plus_x1 = 400;
constexpr int tab_x = 150, tab_width = 30, tab_y0 = 4, tab_y1 = 35;
constexpr int confirm_x0 = 570, confirm_x1 = 599, confirm_y0 = 355, confirm_y1 = 384, cancel_y1 = 414;
constexpr int close_x0 = 610, close_x1 = 639, close_y0 = 0, close_y1 = 29;
constexpr int close_frame_normal = 2, close_frame_hover = 3;
constexpr int flash_length = 4;

PointerWatch shop_pointer;

bool pressed(KeyCode k) { return grp_input.key_press(k) != 0; }
bool cancel_pressed() { return cancel_key(&GrpInput::key_press); }
bool confirm_pressed() { return confirm_key(&GrpInput::key_press) || pressed(key_joy_button1); }

void show_choice_box() {
  set_tbutton_cancel(1);
  add_txt_msg(144, 300, 352, 96, 0, 0, choice_text, shop_box_value);
  grp_input.set_mouse_pos(230, 360);
}

// Sets the list up for the current tab and mode (the scroll bar of the shop's rows).
void set_up_list() {
  ScrollList& l = shop.list;
  l = item_scroll_list(9);
  l.x = 485;
  l.y = 43;
  l.row_mouse_x = 380;
  l.first_row_y = 84;
  l.item_count = shop_count_rows(shop);
  input_scroll_list(&l);
}

void open_list(bool selling, int mode) {
  shop.selling = selling;
  GameMode = mode;
  shop.tab = 0;
  shop.quantity.fill(0);
  shop.row_object.fill(0);
  shop.total = 0;
  set_up_list();
}

void change_tab(int tab) {
  play_sfx(sfx_tab, 1);
  shop.tab = (tab + shop_tab_count) % shop_tab_count;
  shop_clear_quantities(shop);
  shop.list.cursor_row = shop.list.top_item = 0;
  shop.list.item_count = shop_count_rows(shop);
}

int row_under_mouse() {
  return list_row_at(shop.list, rows_x0, rows_x1, rows_y, rows_y + row_height - 1, mouse_x, mouse_y);
}

void confirm_action();

void frame_controls() {
  shop.close_frame = in_range(mouse_x, close_x0, close_x1) && in_range(mouse_y, close_y0, close_y1)
                         ? close_frame_hover
                         : close_frame_normal;
  if (shop.close_frame == close_frame_hover && pressed(key_mouse1)) {
    call_shop_system(MODE_LEAVE, nullptr, 0);
    return;
  }
  // In mode 4 the choice box covers the list: a tab click or a confirm button would change it unseen.
  if (key_nav_mode || GameMode == mode_shop_talk) return;
  if (in_range(mouse_y, tab_y0, tab_y1) && mouse_x >= tab_x && pressed(key_mouse1)) {
    for (int t = 0; t < shop_tab_count; ++t) {
      if (mouse_x >= tab_x + tab_width * (t + 1)) continue;
      if (t == shop.tab) {
        shop.step = shop_step_quantity;
      } else {
        shop.step = shop_step_tab;
        change_tab(t);
      }
      return;
    }
  }
  shop.confirm_hover = 0;
  if (in_range(mouse_x, confirm_x0, confirm_x1) && in_range(mouse_y, confirm_y0, cancel_y1)) {
    shop.confirm_hover = 1;
    shop.confirm_choice = mouse_y <= confirm_y1 ? 0 : 1;
    if (pressed(key_mouse1)) {
      shop.step = shop_step_confirm;
      confirm_action();
    }
  }
}

void choice_step() {
  int choice = 0;
  if (!get_tbutton(&choice)) return;
  set_tbutton_cancel(0);
  if (choice == choice_buy) {
    open_shop_buy(MODE_ENTER, shop.goods.data(), int(shop.goods.size()));
  } else if (choice == choice_sell) {
    open_shop_sell(MODE_ENTER);
  } else {
    call_shop_system(MODE_LEAVE, nullptr, 0);
    return;
  }
  shop.step = shop_step_tab;
}

void enter_quantities() {
  shop_clear_quantities(shop);
  shop.step = shop_step_quantity;
}

void tab_step() {
  input_scroll_list(&shop.list);
  if (shop.list.changed) {
    shop.list.cursor_row = 0;
    shop.step = shop_step_quantity;
  }
  if (grp_input.key_repeat(key_left)) change_tab(shop.tab - 1);
  if (grp_input.key_repeat(key_right)) change_tab(shop.tab + 1);
  if (pressed(key_mouse1)) {
    const int r = row_under_mouse();
    if (r >= 0) {
      play_sfx(sfx_cursor, 1);
      shop.list.cursor_row = r;
      shop.step = shop_step_quantity;
    }
  }
  if ((confirm_pressed() || pressed(key_down)) && shop.list.item_count > 0) enter_quantities();
  if (cancel_pressed()) {
    del_all_talkmsg();
    play_sfx(sfx_back, 1);
    show_choice_box();
    GameMode = mode_shop_talk;
    shop.step = shop_step_choice;
  }
}

void request(int direction) {
  play_sfx(sfx_tab, 1);
  const int row = shop.list.top_item + shop.list.cursor_row;
  if (shop_change_quantity(shop, row, direction) == ShopChange::no_money) {
    del_all_talkmsg();
    add_time_msg(320, 200, 0, 100, shop_no_money_text, shop_box_value);
    play_sfx(sfx_refuse, 1);
    return;
  }
  shop.flash = direction < 0 ? shop_flash_minus : shop_flash_plus;
  shop.flash_frames = 0;
}

// -1 minus, +1 plus, 0 none: the held left button on the cursor row's pictures.
int held_picture() {
  if (!grp_input.key_repeat_fast(key_mouse1)) return 0;
  const int y0 = rows_y + row_height * shop.list.cursor_row;
  if (mouse_y < y0 || mouse_y >= y0 + row_height - 1) return 0;
  if (mouse_x >= minus_x0 && mouse_x < minus_x1) return -1;
  if (mouse_x >= minus_x1 && mouse_x < plus_x1) return 1;
  return 0;
}

void quantity_step() {
  input_scroll_list(&shop.list);
  int direction = 0;
  if (grp_input.key_repeat_fast(key_left)) direction = -1;
  if (grp_input.key_repeat_fast(key_right)) direction = 1;
  if (!direction) direction = held_picture();
  if (direction) {
    request(direction);
  } else if (pressed(key_mouse1)) {
    const int r = row_under_mouse();
    if (r >= 0 && r != shop.list.cursor_row) {
      play_sfx(sfx_cursor, 1);
      shop.list.cursor_row = r;
    }
  }
  if (confirm_pressed()) {
    grp_input.set_mouse_pos(586, 368);
    shop.confirm_choice = 0;
    shop.step = shop_step_confirm;
  } else if (cancel_pressed()) {
    grp_input.set_mouse_pos(160, 14);
    play_sfx(sfx_back, 1);
    shop_clear_quantities(shop);
    shop.step = shop_step_tab;
  }
}

void confirm_action() {
  if (shop.confirm_choice != 0) {
    play_sfx(sfx_refuse, 1);
    shop_clear_quantities(shop);
    shop.step = shop_step_quantity;
    return;
  }
  switch (shop_confirm(shop)) {
    case ShopDeal::bought:
      play_sfx(sfx_trade, 1);
      break;
    case ShopDeal::bought_ask_equip:
      play_sfx(sfx_trade, 1);
      add_time_msg(320, 200, 0, 0, equip_now_text, shop_box_value);
      grp_input.set_mouse_pos(370, 200);
      break;
    case ShopDeal::nothing_to_buy:
      play_sfx(sfx_refuse, 1);
      break;
    case ShopDeal::sold:
      play_sfx(sfx_trade, 1);
      break;
    case ShopDeal::sold_nothing:
      break;
  }
}

void confirm_step() {
  if (grp_input.key_repeat_fast(key_up) || grp_input.key_repeat_fast(key_down) ||
      grp_input.key_repeat_fast(key_joy_up) || grp_input.key_repeat_fast(key_joy_down))
    shop.confirm_choice ^= 1;
  if (confirm_pressed()) {
    confirm_action();
  } else if (cancel_pressed()) {
    play_sfx(sfx_back, 1);
    shop.step = shop_step_quantity;
  }
}

void equip_now_step() {
  int answer = 0;
  if (!get_tbutton(&answer)) return;
  shop.equip_now = 0;
  del_all_talkmsg();
  shop.step = shop_step_quantity;
  if (answer != 0) return;
  // The menu opens straight on its equipment page, with no bar entry highlighted and its first
  // background; leaving the menu returns to this list.
  SFLB_call_menu_system(MODE_ENTER, 0, 0);
  enter_equip_page();
  shop.menu_visit = 1;
}

}  // namespace

bool shop_is_open() { return GameMode == mode_shop_talk || GameMode == mode_shop_buy || GameMode == mode_shop_sell; }

void call_shop_system(std::uint32_t flags, const std::uint16_t* goods, int count) {
  if (flags == MODE_ENTER) {
    if (GameMode == mode_shop_talk) return;
    shop.tab_bounce = tab_hop(4.0f);
    shop.party_count = present_party_members(shop.party);
    reset_help_panel(shop_help_panel_x);
    shop.menu_visit = 0;
    GameMode = mode_shop_talk;
    shop.step = shop_step_choice;
    // The shop's own list, handed back by its choice box, is already in place: assigning a
    // vector from its own elements is not allowed.
    if (goods != shop.goods.data()) shop.goods.assign(goods, goods + (goods && count > 0 ? count : 0));
    show_choice_box();
  } else if (flags == MODE_RESUME) {
    GameMode = mode_shop_talk;
  } else {
    del_all_talkmsg();
    shop.goods_list.clear();
    GameMode = mode_field;
    close_help_panel();
  }
}

void open_shop_buy(std::uint32_t flags, const std::uint16_t* goods, int count) {
  if (flags == MODE_ENTER) {
    if (GameMode == mode_shop_buy || GameMode == mode_shop_sell) return;
    // The shop's own list, handed back by its choice box, is already in place: assigning a
    // vector from its own elements is not allowed.
    if (goods != shop.goods.data()) shop.goods.assign(goods, goods + (goods && count > 0 ? count : 0));
    add_shop_goods(shop);
    open_list(false, mode_shop_buy);
  } else if (flags == MODE_RESUME) {
    GameMode = mode_shop_buy;
  } else {
    shop.goods_list.clear();
    GameMode = mode_field;
  }
}

void open_shop_sell(std::uint32_t flags) {
  if (flags == MODE_ENTER) {
    if (GameMode == mode_shop_buy || GameMode == mode_shop_sell) return;
    shop.goods_list.clear();
    open_list(true, mode_shop_sell);
  } else if (flags == MODE_RESUME) {
    GameMode = mode_shop_sell;
  } else {
    shop.goods_list.clear();
    GameMode = mode_field;
  }
}

void input_shop_system() {
  if (shop_pointer.moved()) key_nav_mode = 0;
  if (shop.menu_visit) {
    shop.menu_visit = 0;
    reset_help_panel(shop_help_panel_x);
  }
  if (check_txt_msg_end()) {
    toggle_help_panel();
    frame_controls();
    if (!shop_is_open()) return;
  }
  if (shop.flash != shop_flash_none && ++shop.flash_frames > flash_length) shop.flash = shop_flash_none;
  switch (shop.step) {
    case shop_step_choice: choice_step(); break;
    case shop_step_tab: tab_step(); break;
    case shop_step_quantity: quantity_step(); break;
    case shop_step_confirm: confirm_step(); break;
    case shop_step_equip_now: equip_now_step(); break;
    default: break;
  }
}

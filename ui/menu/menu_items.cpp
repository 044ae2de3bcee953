// The items page: its state, set-up, input and update steps.
#include "ui/menu/menu_items.h"

#include <algorithm>

#include "core/game_mode.h"
#include "core/grp_input.h"
#include "core/key_mapping.h"
#include "data/item_list.h"
#include "data/party.h"
#include "sound/sfx_bank.h"
#include "ui/menu/item_recovery.h"
#include "ui/menu/menu_input.h"
#include "ui/menu/menu_items_parts.h"
#include "ui/menu/menu_numbers.h"
#include "ui/menu/menu_system.h"
#include "ui/saves/save_load.h"
#include "ui/talk_msg.h"
#include "ui/text_button.h"
#include "ui/ui_numbers.h"

const std::uint16_t item_tab_keys[item_tab_count] = {item_key_new, 201, 202, 203, 204, 206, 205, 1};

int item_page_state = item_state_list;
int item_tab = 0;
ScrollList item_list;
std::uint16_t item_selected_object = 0;
int item_usable = 0;
int item_box_choice = 0;
int item_target_flag = 0;
std::uint16_t item_used_object = 0;
int item_used_all = 0;
int item_use_wait = 0;
int item_use_lock = 0;
int item_save_mark = 0;
int placement_rows = 0, placement_cursor = 0;
int placement_recall = 0, placement_answered = 0, placement_answer = 0;
Tween item_list_tween, item_info_tween, item_picture_tween;

namespace {

// "整理完畢!!%Q"
constexpr const char* tidied_text = "\xbe\xe3\xb2z\xa7\xb9\xb2\xa6!!%Q";
// "確定要丟棄嗎? %B放棄./%B確定.%Q"
constexpr const char* discard_question =
    "\xbdT\xa9w\xadn\xa5\xe1\xb1\xf3\xb6\xdc? %B\xa9\xf1\xb1\xf3./%B\xbdT\xa9w.%Q";
// "這個物品不能使用!!%Q"
constexpr const char* unusable_text = "\xb3o\xad\xd3\xaa\xab\xab~\xa4\xa3\xaf\xe0\xa8\xcf\xa5\xce!!%Q";

void back_to_list() {
  item_page_state = item_state_list;
  item_box_choice = 0;
  menu_party_target = 0;
  item_target_flag = 0;
}

// The current tab's node of the cursor row, with the usable mark renewed.
void resolve_selection() {
  const ItemNode* node = selected_item_node();
  item_selected_object = node ? node->object : 0;
  item_usable = node ? item_is_usable(node->item) : 0;
}

void change_tab() {
  menu_hint_key = item_tab;
  refresh_item_list();
  item_list.top_item = 0;
  if (item_list.cursor_row >= item_list.item_count) item_list.cursor_row = 0;
  reset_tab_bounce();
  close_help_panel();
  play_sfx(sfx_tab, 1);
  input_scroll_list(&item_list);
}

// The discard question's answer, when there is one.
void answer_discard() {
  int answer = 0;
  if (!get_tbutton(&answer)) return;
  if (answer == 1) {
    play_sfx(sfx_item_discarded, 1);
    discard_item();
  } else {
    play_sfx(sfx_back, 1);
  }
  back_to_list();
}

void confirm_in_list(const ItemNode& node) {
  play_sfx(sfx_select, 1);
  if (node.object == object_placement_item) {
    item_page_state = item_state_placement;
    placement_rows = get_item_num(&party_bag, object_placement_item);
    placement_cursor = placement_recall = placement_answered = 0;
    grp_input.set_mouse_pos(310, 60);
  } else if (node.item.kind == object_type_story && item_talk_number(node.item) != 0) {
    queue_story_talk(item_talk_number(node.item));
  } else {
    item_page_state = item_state_box;
    grp_input.set_mouse_pos(400, 165);
  }
}

void confirm_in_box(const ItemNode& node) {
  if (item_box_choice == 1) {
    if (node.item.kind == object_type_story) {
      refuse_item(undiscardable_text(), 240);
      return;
    }
    play_sfx(sfx_select, 1);
    item_page_state = item_state_discard;
    set_tbutton_cancel(1);
    add_txt_msg(180, 150, 320, 64, 0, 0, discard_question, 2);
    grp_input.set_mouse_pos(386, 180);
    return;
  }
  if (!item_usable) {
    refuse_item(unusable_text, 240);
    return;
  }
  play_sfx(sfx_cursor, 1);
  item_used_object = node.object;
  item_used_all = item_targets_all(node.item) ? 1 : 0;
  switch (node.object) {
    case object_save_item:
      play_sfx(sfx_item_used, 1);
      item_save_mark = 1;
      call_save_system(MODE_ENTER, 0, 0);
      back_to_list();
      break;
    case object_story_item:
    case object_travel_item:
    case object_battle_item:
      if (use_item()) {
        play_sfx(sfx_item_used, 1);
        back_to_list();
      }
      break;
    default:
      item_page_state = item_state_member;
      item_target_flag = 1;
      break;
  }
}

void confirm() {
  if (item_tab_keys[item_tab] == item_tab_keys[item_tidy_tab]) {
    play_sfx(sfx_bag_tidied, 1);
    tidy_items();
    back_to_list();
    del_all_talkmsg();
    add_time_msg(320, 200, 0, 80, tidied_text, 0);
    return;
  }
  if (item_list.item_count <= 0) return;
  const ItemNode* node = selected_item_node();
  switch (item_page_state) {
    case item_state_list:
      if (node) confirm_in_list(*node);
      break;
    case item_state_box:
      if (node) confirm_in_box(*node);
      break;
    case item_state_member:
      if (!item_use_lock && use_item()) {
        play_sfx(sfx_item_used, 1);
        item_use_wait = 1;
      }
      break;
    case item_state_discard:
      answer_discard();
      break;
    case item_state_placement:
      placement_step();
      break;
    default:
      break;
  }
}

void cancel() {
  play_sfx(sfx_back, 1);
  switch (item_page_state) {
    case item_state_list:
      menu_page = menu_page_bar;
      break;
    case item_state_placement:
      if (tbutton_count == 0) item_page_state = item_state_list;
      break;
    case item_state_discard:
      item_page_state = item_state_list;
      del_all_tbutton();
      break;
    case item_state_box:
      item_page_state = item_state_list;
      break;
    case item_state_member:
      item_page_state = item_state_box;
      break;
    default:
      break;
  }
  item_target_flag = item_box_choice = menu_party_target = 0;
}

// Steps 2 and 3: the arrow keys.
bool arrow_keys() {
  bool tab_changed = false;
  const bool up = grp_input.key_repeat(key_up) != 0, down = grp_input.key_repeat(key_down) != 0;
  if (up || down) {
    if (item_page_state == item_state_box) {
      item_box_choice ^= 1;
      play_sfx(sfx_cursor, 1);
    } else if (item_page_state == item_state_placement && tbutton_count == 0 && placement_rows > 0) {
      placement_cursor = (placement_cursor + (down ? 1 : placement_rows - 1)) % placement_rows;
      play_sfx(sfx_cursor, 1);
    }
    key_nav_mode = 1;
  }
  const bool left = grp_input.key_repeat(key_left) != 0, right = grp_input.key_repeat(key_right) != 0;
  if (left || right) {
    if (item_page_state != item_state_list) {
      // With no member present there is nobody to step to.
      if (menu_party_count > 0)
        menu_party_target = (menu_party_target + (right ? 1 : menu_party_count - 1)) % menu_party_count;
    } else {
      item_tab = (item_tab + (right ? 1 : item_tab_count - 1)) % item_tab_count;
      tab_changed = true;
    }
    key_nav_mode = 1;
  }
  return tab_changed;
}

struct MouseResult {
  bool tab_changed = false;
  bool confirm = false;
};

MouseResult mouse_tests() {
  MouseResult r;
  const bool click = grp_input.key_press(key_mouse1) != 0;
  switch (item_page_state) {
    case item_state_list: {
      const int tab = first_box_hit({120, 4, 146, 36, 26, 0, item_tab_count}, mouse_x, mouse_y);
      if (tab >= 0) {
        menu_hint_key = tab;
        if (click) {
          item_tab = tab;
          r.tab_changed = true;
          r.confirm = tab == item_tidy_tab;
        }
        break;
      }
      const int shown = std::min(item_list.visible_rows, item_list.item_count - item_list.top_item);
      const int row = first_box_hit({120, 70, 390, 100, 0, 30, shown}, mouse_x, mouse_y);
      if (row >= 0) {
        if (row != item_list.cursor_row) play_sfx(sfx_cursor, 1);
        item_list.cursor_row = row;
        r.confirm = click;
      }
      break;
    }
    case item_state_box: {
      const int row = first_box_hit({360, 150, 424, 176, 0, 26, 2}, mouse_x, mouse_y);
      if (row >= 0) {
        if (row != item_box_choice) play_sfx(sfx_cursor, 1);
        item_box_choice = row;
        r.confirm = click;
      }
      break;
    }
    case item_state_member:
      for (int i = 0; i < menu_party_count; ++i) {
        const int x = menu_card_tweens[i].get_x(), y = menu_card_tweens[i].get_y();
        if (in_span(mouse_x, x, x + 265) && in_span(mouse_y, y, y + 148)) {
          if (i != menu_party_target) play_sfx(sfx_cursor, 1);
          menu_party_target = i;
          r.confirm = click;
          break;
        }
      }
      break;
    case item_state_placement:
      if (tbutton_count == 0) {
        const int row = first_box_hit({220, 40, 520, 70, 0, 30, placement_rows}, mouse_x, mouse_y);
        if (row >= 0) {
          if (row != placement_cursor) play_sfx(sfx_cursor, 1);
          placement_cursor = row;
          r.confirm = click;
        }
      }
      break;
    default:
      break;
  }
  return r;
}

// The questions' answers are polled whatever moved the selection, so that an answer given with
// the keys is seen at once. True when the step ends.
bool poll_answers(bool& confirm_now) {
  if (item_page_state == item_state_discard) {
    answer_discard();
    return item_page_state == item_state_list;
  }
  if (item_page_state == item_state_placement && tbutton_count > 0) {
    int answer = 0;
    if (get_tbutton(&answer)) {
      placement_answered = 1;
      placement_answer = answer;
      confirm_now = true;
    }
  }
  return false;
}

}  // namespace

ItemNode* selected_item_node() {
  return get_item_by_tab(&party_bag, item_tab_keys[item_tab], 0,
                         std::uint16_t(item_list.top_item + item_list.cursor_row));
}

void refresh_item_list() {
  item_list.item_count = count_item_tab(&party_bag, item_tab_keys[item_tab]);
  if (item_list.top_item > 0 && item_list.top_item >= item_list.item_count) item_list.top_item = 0;
}

void keep_cursor_in_list() {
  refresh_item_list();
  const int rows = item_list.item_count - item_list.top_item;
  if (item_list.cursor_row >= rows) item_list.cursor_row = rows > 0 ? rows - 1 : 0;
}

void enter_item_page() {
  set_menu_camera(-100, 20, 0, 0, 0, 0, 600);
  item_save_mark = 0;
  placement_recall = placement_answered = 0;
  reset_tab_bounce();
  item_list = item_scroll_list(8);
  item_tab = 0;
  refresh_item_list();
  back_to_list();
  item_used_object = 0;
  item_used_all = 0;
  struct Move {
    Tween& t;
    int x0, y0, x1, y1;
  };
  for (const Move& m : {Move{item_list_tween, -200, 38, 105, 38}, Move{item_info_tween, 90, 480, 90, 345},
                        Move{item_picture_tween, 640, 80, 450, 80}}) {
    slide_in_panel(m.t, m.x0, m.y0, m.x1, m.y1);
  }
  item_use_lock = item_use_wait = 0;
  resolve_selection();
}

void input_item_page() {
  if (item_page_state == item_state_list) input_scroll_list(&item_list);
  resolve_selection();
  bool tab_changed = arrow_keys();
  renew_key_nav_mode();
  bool confirm_now = false;
  if (poll_answers(confirm_now)) {
    menu_target_mode = item_target_flag;
    return;
  }
  if (!key_nav_mode) {
    const MouseResult m = mouse_tests();
    tab_changed = tab_changed || m.tab_changed;
    confirm_now = confirm_now || m.confirm;
  }
  if (tab_changed) change_tab();
  resolve_selection();
  if (confirm_now || confirm_key()) {
    confirm();
  } else if (cancel_key()) {
    cancel();
  }
  resolve_selection();
  menu_target_mode = menu_page == menu_page_items ? item_target_flag : 0;
}

void update_item_page() {
  if (item_page_state != item_state_member || item_use_wait == 0) return;
  if (++item_use_wait <= item_use_wait_frames) return;
  item_use_wait = 0;
  item_use_lock = 0;
  if (get_item_num(&party_bag, item_used_object) == 0) {
    back_to_list();
    menu_target_mode = 0;
  }
}

void clear_save_item_mark() { item_save_mark = 0; }

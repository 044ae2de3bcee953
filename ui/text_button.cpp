// Text buttons.
#include "ui/text_button.h"

#include <new>

#include "core/grp_input.h"
#include "core/key_mapping.h"
#include "core/log.h"
#include "sound/sfx_bank.h"
#include "ui/talk_msg.h"
#include "ui/ui_numbers.h"

TextButton lpButton;
int tbutton_count = 0;
int tbutton_choice = 0;
int tbutton_confirmed = 0;
int tbutton_cancelled = 0;
int tbutton_cancel_allowed = 0;

namespace {

constexpr KeyCode back_keys[] = {key_up, key_left, key_joy_up, key_joy_left};
constexpr KeyCode forward_keys[] = {key_down, key_right, key_joy_down, key_joy_right};
constexpr KeyCode confirm_keys[] = {key_enter, key_space, key_joy_button1};
constexpr KeyCode cancel_keys[] = {key_lctrl, key_rctrl, key_joy_button1 + 1, key_escape};

template <std::size_t N>
bool any_press(const KeyCode (&keys)[N]) {
  for (KeyCode k : keys)
    if (grp_input.key_press(k)) return true;
  return false;
}

template <std::size_t N>
bool any_repeat_fast(const KeyCode (&keys)[N]) {
  for (KeyCode k : keys)
    if (grp_input.key_repeat_fast(k)) return true;
  return false;
}

// The hover and the click of the mouse: whether the left button picked the hovered button.
bool mouse_pick() {
  int index = 0;
  for (TextButton* b = lpButton.next; b; b = b->next, ++index) {
    if (mouse_x < b->left || mouse_x >= b->right || mouse_y < b->top || mouse_y >= b->bottom) continue;
    if (tbutton_choice != index) play_sfx(sfx_cursor, 1);
    tbutton_choice = index;
    return grp_input.key_press(key_mouse1) != 0;
  }
  return false;
}

}  // namespace

void add_tbutton(const TextButton* b) {
  TextButton* node = new (std::nothrow) TextButton(*b);
  if (!node) {
    // "add_tbutton(...)錯誤 無法配制 lpButton->next 記憶體"
    report_error("%s", "add_tbutton(...)\xbf\xf9\xbb~ \xb5L\xaak\xb0t\xa8\xee lpButton->next \xb0O\xbe\xd0\xc5\xe9");
    return;
  }
  node->next = nullptr;
  TextButton* last = &lpButton;
  while (last->next) last = last->next;
  last->next = node;
  ++tbutton_count;
}

void input_tbutton() {
  bool pick = false, mouse_cancel = false;
  if (key_nav_mode == 0) {
    pick = mouse_pick();
    mouse_cancel = grp_input.key_press(key_mouse2) != 0;
  }
  if (any_repeat_fast(back_keys)) {
    if (tbutton_choice > 0) --tbutton_choice;
    play_sfx(sfx_cursor, 1);
    key_nav_mode = 1;
  }
  if (any_repeat_fast(forward_keys)) {
    if (tbutton_choice < tbutton_count - 1) ++tbutton_choice;
    play_sfx(sfx_cursor, 1);
    key_nav_mode = 1;
  }
  const bool confirm_key = any_press(confirm_keys);
  if (confirm_key || pick) {
    tbutton_confirmed = 1;
    if (confirm_key) key_nav_mode = 1;
  }
  const bool cancel_key = any_press(cancel_keys);
  if (cancel_key || mouse_cancel) {
    if (cancel_key) key_nav_mode = 1;
    play_sfx(sfx_back, 1);
    if (tbutton_cancel_allowed) {
      tbutton_cancelled = 1;
      tbutton_confirmed = 1;
      tbutton_choice = 0;
    }
  }
}

int get_tbutton(int* out) {
  *out = tbutton_choice;
  if (tbutton_confirmed != 1) return 0;
  tbutton_confirmed = 0;
  del_all_tbutton();
  if (tbutton_cancelled == 1) {
    *out = -1;
    tbutton_cancelled = 0;
  }
  return 1;
}

void del_all_tbutton() {
  TextButton* b = lpButton.next;
  while (b) {
    TextButton* next = b->next;
    delete b;
    b = next;
  }
  lpButton.next = nullptr;
  tbutton_count = 0;
  tbutton_choice = 0;
  tbutton_confirmed = 0;
}

void set_tbutton_cancel(int allowed) { tbutton_cancel_allowed = allowed; }

// The command menu's mouse: hover and click on the wheel slots, the list tabs and rows, the
// guardian slots and the option rows; target picking is fight_target.cpp's.
#include "battle/fight_globals.h"
#include "battle/fight_menu.h"
#include "battle/fight_target.h"
#include "core/grp_input.h"
#include "core/key_mapping.h"
#include "sound/sfx_bank.h"

namespace {
bool in_box(int x0, int x1, int y0, int y1) { return mouse_x >= x0 && mouse_x < x1 && mouse_y >= y0 && mouse_y < y1; }

// The first row r (below `rows`) whose band [top, top + step (r + 1)) holds the pointer; -1 none.
int row_at(int top, int step, int rows) {
  if (!(mouse_x >= 120 && mouse_x < 360)) return -1;
  for (int r = 0; r < rows; ++r)
    if (mouse_y >= top && mouse_y < top + step * (r + 1)) return r;
  return -1;
}

void set_row(int& cursor, int r) {
  if (cursor != r) play_sfx(sfx_cursor, 1);
  cursor = r;
}

void wheel_mouse() {
  for (int i = 0; i < 4; ++i) {
    const int sx = wheel_tweens[i].get_x(), sy = wheel_tweens[i].get_y();
    if (!in_box(sx, sx + 110, sy - 20, sy + 30)) continue;
    void (*const ops[4])() = {fight_cmd_up, fight_cmd_down, fight_cmd_left, fight_cmd_right};
    ops[i]();
    if (grp_input.key_repeat_fast(key_mouse1)) {
      play_sfx(sfx_select, 1);
      fight_cmd_confirm();
    }
    return;
  }
}

void list_rows_mouse() {
  const int r = row_at(90, 30, menu_list.visible_rows);
  if (r < 0 || menu_list.top_item + r >= menu_list.item_count) return;
  set_row(menu_list.cursor_row, r);
  if (grp_input.key_press(key_mouse1)) fight_cmd_confirm();
}

void tabs_mouse() {
  for (int t = 0; t < 3; ++t) {
    if (!in_box(120, 154 + 34 * t, 60, 86)) continue;
    if (grp_input.key_press(key_mouse1)) fight_menu_select_tab(t);
    return;
  }
}

void guardian_mouse() {
  for (int g = 0; g < 2; ++g) {
    if (!in_box(110, 170, 80, 120 + 40 * g)) continue;
    guardian_cursor = g;
    if (grp_input.key_press(key_mouse1)) fight_cmd_confirm();
    return;
  }
}

void option_mouse(int top) {
  const int r = row_at(top, 35, option_rows);
  if (r >= 0) {
    set_row(option_cursor, r);
    if (grp_input.key_press(key_mouse1)) fight_cmd_confirm();
  }
  if (fight_menu_state == menu_resist && in_box(120, 240, 60, 90)) resist_column = (mouse_x - 120) / 60;
}

bool results_state(int s) { return (s >= 99 && s <= 104) || s == 110 || s == 200 || s == 201 || s == 300; }
}  // namespace

void fight_cmd_mouse() {
  if (mouse_x != input_snapshot.x || mouse_y != input_snapshot.y) {
    pointer_idle_frames = pointer_hidden = pointer_keyboard_mode = 0;
    input_snapshot = {mouse_x, mouse_y};
  }
  if (pointer_keyboard_mode == 1) {
    if (!grp_input.key_down(key_mouse1) && !grp_input.key_down(key_mouse2)) return;
    pointer_keyboard_mode = 0;
  }
  switch (fight_menu_state) {
    case menu_wheel: case menu_subwheel: wheel_mouse(); break;
    case menu_items: case menu_magic: case menu_martial: case menu_mechanisms:
      tabs_mouse();
      list_rows_mouse();
      break;
    case menu_special: list_rows_mouse(); break;
    case menu_guardians: guardian_mouse(); break;
    case menu_defence: option_mouse(90); break;
    case menu_resist: option_mouse(120); break;
    case menu_target: fight_target_mouse(); break;
    default:
      if (results_state(fight_menu_state) && grp_input.key_press(key_mouse1)) fight_cmd_confirm();
      break;
  }
}

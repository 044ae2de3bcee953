// The shared input conventions of the menus and their neighbours.
#include "ui/menu/menu_input.h"

#include <algorithm>
#include <initializer_list>

#include "core/key_mapping.h"
#include "ui/menu/menu_numbers.h"
#include "ui/talk_msg.h"

namespace {
PointerWatch menu_pointer;
}  // namespace

bool PointerWatch::moved() {
  if (mouse_x == x && mouse_y == y) return false;
  x = mouse_x;
  y = mouse_y;
  return true;
}

void renew_key_nav_mode(bool buttons_clear) {
  if (menu_pointer.moved()) key_nav_mode = 0;
  if (buttons_clear && (grp_input.key_down(key_mouse1) || grp_input.key_down(key_mouse2))) key_nav_mode = 0;
}

ScrollList item_scroll_list(int visible_rows) {
  ScrollList l;
  l.bar_act = item_scroll_bar_act;
  l.thumb_width = 13;
  l.track_length = 235;
  l.visible_rows = visible_rows;
  l.row_height = 30;
  return l;
}

int list_row_at(const ScrollList& list, int x0, int x1, int y0, int first_end, int x, int y) {
  const int rows = std::max(0, std::min(list.visible_rows, list.item_count - list.top_item));
  return first_box_hit({x0, y0, x1, first_end, 0, list.row_height, rows}, x, y);
}

bool cancel_key(int (GrpInput::*query)(KeyCode) const) {
  for (KeyCode k : {key_mouse2, key_lctrl, key_rctrl, key_escape})
    if ((grp_input.*query)(k)) return true;
  return false;
}

bool confirm_key(int (GrpInput::*query)(KeyCode) const) {
  return (grp_input.*query)(key_enter) || (grp_input.*query)(key_space);
}

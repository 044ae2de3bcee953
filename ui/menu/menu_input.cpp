// The shared input conventions of the menus and their neighbours.
#include "ui/menu/menu_input.h"

#include <initializer_list>

#include "core/key_mapping.h"
#include "ui/talk_msg.h"

namespace {
int mouse_copy_x = -1, mouse_copy_y = -1;
}  // namespace

void renew_key_nav_mode(bool buttons_clear) {
  if (mouse_x != mouse_copy_x || mouse_y != mouse_copy_y) {
    key_nav_mode = 0;
    mouse_copy_x = mouse_x;
    mouse_copy_y = mouse_y;
  }
  if (buttons_clear && (grp_input.key_down(key_mouse1) || grp_input.key_down(key_mouse2))) key_nav_mode = 0;
}

bool cancel_key(int (GrpInput::*query)(KeyCode) const) {
  for (KeyCode k : {key_mouse2, key_lctrl, key_rctrl, key_escape})
    if ((grp_input.*query)(k)) return true;
  return false;
}

bool confirm_key(int (GrpInput::*query)(KeyCode) const) {
  return (grp_input.*query)(key_enter) || (grp_input.*query)(key_space);
}

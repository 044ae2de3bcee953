// The mouse cursor and the field's menu icon.
#include "ui/cursor.h"

#include "core/flags.h"
#include "core/game_flags.h"
#include "core/key_mapping.h"
#include "g3d/act_draw.h"
#include "ui/talk_msg.h"
#include "ui/text_button.h"

ActInstance cursor_act;
std::int16_t menu_icon_offset = 0;

namespace {

ActInstance menu_icon;

}  // namespace

void restart_menu_icon() { menu_icon.state |= act_state_restart; }
ActInstance& menu_icon_instance() { return menu_icon; }

void draw_mouse_cursor() {
  if (test_flag(flag_event_scene) || test_flag(flag_cursor_hidden) || mouse_idle == 1) return;
  if (tbutton_count > 0 || talkmsg_count() > 0) {
    cursor_act.act = cursor_act_number;
    cursor_act.qq = cursor_qq_choice;
  }
  if (Take_3dActData(&cursor_act) == 1) draw_act_instance(&cursor_act, mouse_x, mouse_y, 0);
}

void draw_menu_icon() {
  if (test_flag(flag_event_scene) || test_flag(flag_cursor_hidden) || test_flag(flag_input_captured)) return;
  const int x = 590 + menu_icon_offset, y = 10;
  if (mouse_x >= 570 && mouse_x <= 639 && mouse_y >= 2 && mouse_y <= 49) {
    menu_icon.act = menu_icon_act;
    menu_icon.qq = 0;
    if (Take_3dActData(&menu_icon) == 1) draw_act_instance(&menu_icon, x, y, 0);
  } else {
    draw_act(menu_icon_act, 0, x, y, 0);
  }
}

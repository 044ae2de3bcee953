// The field edit mode.
#include "field/edit_mode.h"

int edit_role_index = 0;
float edit_point[3] = {};
float edit_move_speed = 0;
std::uint16_t edit_dialog_act = 0, edit_dialog_qq = 0;
int edit_anim_playing = 0;

void reset_edit_mode() {
  edit_role_index = 0;
  edit_point[0] = edit_point[1] = edit_point[2] = 0;
  edit_move_speed = 0;
  edit_dialog_act = edit_dialog_qq = 0;
  edit_anim_playing = 0;
}

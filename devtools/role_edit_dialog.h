#pragma once
// IDD_ROLE_EDIT, "路人編輯": shows and changes one role's placement and state. Find fills the
// fields from the live role (or, off the current map, from its placement row); OK writes the
// placement row and, on the current map, the live role too.
#include "ui/dialog_runner.h"

enum : int {
  role_edit_id = 1003,
  role_edit_find = 1028,
  role_edit_map = 1009,
  role_edit_act = 1006,
  role_edit_qq = 1007,
  role_edit_dir = 1008,
  role_edit_talk = 1010,
  role_edit_ai = 1011,
  role_edit_x = 1029,
  role_edit_y = 1030,
  role_edit_z = 1031,
  role_edit_state_first = 1012,  // check box 1012 + k: bit k of STATE, k = 0-15
};
extern const DialogTable IDD_ROLE_EDIT;
int role_edit_dialog_proc(DialogMessage message, int id);

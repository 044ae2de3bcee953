#pragma once
// The field edit mode (game flag 8053): a developer's mode for placing roles and framing the
// camera by hand. The field controller runs field_edit_mode in place of its own input every
// frame while the flag is set; a developer key switches the mode on and off and keeps the
// backup that switching off restores.
#include <cstdint>

#include "ui/dialog_runner.h"

extern int edit_role_index;   // the gmMapRole index of the edited role
extern float edit_point[3];   // the free point the look-at point follows
extern float edit_move_speed;
extern std::uint16_t edit_dialog_act, edit_dialog_qq;  // IDD_SET_ACT's values, kept between uses
extern int edit_anim_playing;

// One frame of the mode.
void field_edit_mode();
// Forgets the mode's own state (the values above, the drags); for tests and new games.
void reset_edit_mode();

// IDD_SET_ACT, "設定編輯人物動作": the edited role's animation.
constexpr int set_act_edit_act = 1000;
constexpr int set_act_edit_qq = 1002;
extern const DialogTable IDD_SET_ACT;
int set_act_dlg_proc(DialogMessage message, int id);

// The field edit mode: one frame of keys and drags that move the edited role, the edit point
// and the camera in place in the live records.
#include "field/edit_mode.h"

#include <algorithm>
#include <cmath>

#include "core/flags.h"
#include "core/game_flags.h"
#include "core/grp_input.h"
#include "core/key_mapping.h"
#include "core/log.h"
#include "data/map_role.h"
#include "field/field_camera_state.h"
#include "field/field_controller.h"
#include "field/role_move.h"
#include "field/role_pick.h"
#include "g3d/view_zoom.h"
#include "ui/talk_msg.h"

int edit_role_index = 0;
float edit_point[3] = {};
float edit_move_speed = 0;
std::uint16_t edit_dialog_act = 0, edit_dialog_qq = 0;
int edit_anim_playing = 0;

namespace {

constexpr float degrees_to_radians = 0.01745f;  // the mode's own constant, not pi / 180
constexpr float role_speed = 5.0f, double_press_speed = 14.0f, camera_speed = 100.0f;
constexpr float min_view_scale = 0.5f, view_scale_step = 0.5f;
constexpr float min_drag_distance = 100.0f, min_key_distance = 50.0f;
constexpr float lowest_dragged_pitch = 270.0f;
constexpr std::uint32_t state_playing = 0x20;

// 移動人物模式 / 移動竟頭模式 / 鏡頭不動模式 / 鏡頭移動模式 / 來源鏡頭不動模式 / 來源鏡頭移動模式 /
// 關閉編輯模式
const char role_mode_message[] = "\xB2\xBE\xB0\xCA\xA4H\xAA\xAB\xBC\xD2\xA6\xA1!!%Q";
const char camera_mode_message[] = "\xB2\xBE\xB0\xCA\xB3\xBA\xC0Y\xBC\xD2\xA6\xA1!!%Q";
const char look_still_message[] = "\xC3\xE8\xC0Y\xA4\xA3\xB0\xCA\xBC\xD2\xA6\xA1!!%Q";
const char look_moves_message[] = "\xC3\xE8\xC0Y\xB2\xBE\xB0\xCA\xBC\xD2\xA6\xA1!!%Q";
const char eye_still_message[] = "\xA8\xD3\xB7\xBD\xC3\xE8\xC0Y\xA4\xA3\xB0\xCA\xBC\xD2\xA6\xA1!!%Q";
const char eye_moves_message[] = "\xA8\xD3\xB7\xBD\xC3\xE8\xC0Y\xB2\xBE\xB0\xCA\xBC\xD2\xA6\xA1!!%Q";
const char edit_off_message[] = "\xC3\xF6\xB3\xAC\xBDs\xBF\xE8\xBC\xD2\xA6\xA1!!%Q";
const char act_error_message[] = "Take_3dActData \xBF\xF9\xBB~";  // Take_3dActData 錯誤

int left_drag = 0, right_drag = 0;
int drag_start[2] = {};

GrpInput& in() { return grp_input; }
bool pressed(KeyCode k) { return in().key_press(k) != 0; }
bool held(KeyCode k) { return in().key_down(k) != 0; }
bool repeat(KeyCode k) { return in().key_repeat_fast(k) != 0; }
void message(const char* text) { add_txt_msg(224, 176, 192, 64, 50, 100, text, 2); }

FieldCameraState& view() { return field_camera_state; }
float& pitch() { return view().target_angles[0]; }
float& yaw() { return view().target_angles[1]; }

void apply_angles() { field_camera.set_angles(view().target_angles[0], view().target_angles[1], view().target_angles[2]); }
void apply_distances() {
  field_camera.set_look_distance(view().look_distance);
  field_camera.set_distance(view().distance);
}
void set_both_distances(float d) { view().look_distance = view().distance = d; }

void follow() {
  if (!test_flag(flag_edit_look_still)) std::copy(edit_point, edit_point + 3, view().target_point);
}

void point_at(const MapRole& r) {
  edit_point[0] = r.X, edit_point[1] = r.Y, edit_point[2] = r.Z;
}

// A quarter turn, snapped down to a multiple of 90.
float quarter_turn(float angle) { return static_cast<float>(static_cast<int>(std::fmod(angle + 90.0f, 360.0f)) / 90 * 90); }

// Above 360 an angle is taken modulo 360, below 0 it gets 360.
float wrap(float a) {
  if (a > 360.0f) return std::fmod(a, 360.0f);
  if (a < 0.0f) return a + 360.0f;
  return a;
}

MapRole* edited_role() {
  if (edit_role_index < 0 || edit_role_index >= gmMapRoleCount) edit_role_index = player_role_index;
  if (edit_role_index < 0 || edit_role_index >= gmMapRoleCount) return nullptr;
  return &gmMapRole[edit_role_index];
}

void toggle_with_messages(int flag, const char* on_message, const char* off_message) {
  if (test_flag(flag)) {
    clear_flag(flag);
    message(off_message);
  } else {
    set_flag(flag);
    message(on_message);
  }
}

// Step 2: Caps Lock takes the next role, and after the map's last one the controlled role.
void next_role() {
  ++edit_role_index;
  if (edit_role_index >= gmMapRoleCount || gmMapRole[edit_role_index].RoleID == 0) edit_role_index = player_role_index;
  if (MapRole* r = edited_role()) point_at(*r);
  follow();
}

// Steps 6 to 8: the sub-mode switches.
void mode_switches(MapRole& r) {
  if (pressed('z')) {
    if (!test_flag(flag_edit_role_mode)) {
      set_flag(flag_edit_role_mode);
      message(role_mode_message);
      point_at(r);
      follow();
    } else {
      clear_flag(flag_edit_role_mode);
      message(camera_mode_message);
    }
  }
  if (pressed('x')) {
    if (test_flag(flag_edit_look_still)) std::copy(view().target_point, view().target_point + 3, edit_point);
    toggle_with_messages(flag_edit_look_still, look_still_message, look_moves_message);
  }
  if (pressed('c')) {
    toggle_with_messages(flag_edit_eye_still, eye_still_message, eye_moves_message);
    field_camera.set_mode(test_flag(flag_edit_eye_still) ? camera_mode_outside_eye : camera_mode_orbit);
  }
}

// The animation of the dialog on the role, standing on the floor unless movement is free.
void put_dialog_anim(MapRole& r) {
  r.anim.act = edit_dialog_act;
  r.anim.qq = edit_dialog_qq;
  if (!test_flag(flag_collisions_off)) move_role(&r, 0, 0, 0);
}

void set_act_done(int) {
  MapRole* r = edited_role();
  if (!r) return;
  put_dialog_anim(*r);
  if (Take_3dActData(&r->anim) == 0) {
    report_error("%s", act_error_message);
    clear_flag(flag_edit_animation);
  }
  r->STATE &= ~state_playing;
}

// Steps 9 and 10: the animation mode and its play key. True when the dialog holds the frame.
bool animation_keys(MapRole& r) {
  if (pressed('v')) {
    if (test_flag(flag_edit_animation)) {
      clear_flag(flag_edit_animation);
      message(eye_moves_message);
    } else {
      edit_anim_playing = 0;
      set_flag(flag_edit_animation);
      run_dialog(IDD_SET_ACT, set_act_dlg_proc, set_act_done);
      if (dialog_running()) return true;
    }
  }
  if (pressed(key_space) && test_flag(flag_edit_animation)) {
    if (edit_anim_playing == 0) {
      edit_anim_playing = 1;
      r.STATE |= state_playing;
    } else {
      r.anim = ActInstance{};
      put_dialog_anim(r);
      edit_anim_playing = 0;
      Take_3dActData(&r.anim);
      r.STATE &= ~state_playing;
    }
  }
  return false;
}

// Step 12: a double click picks the nearest role under the mouse (no rotation, every role).
void pick_role() {
  debug_picked_role = -1;
  float best = 1.0f;
  for (int i = 0; i < gmMapRoleCount; ++i) {
    const MapRole& r = gmMapRole[i];
    if (r.RoleID == 0 || r.RoleID >= party_role_limit) continue;
    float depth = 0;
    if (!pick_role_box(r, float(mouse_x), float(mouse_y), false, &depth) || depth > best) continue;
    best = depth;
    debug_picked_role = i;
    edit_role_index = i;
  }
  if (debug_picked_role < 0) return;
  point_at(gmMapRole[debug_picked_role]);
  follow();
}

// Step 14: the drags, applied every frame while their button is held.
void drags() {
  if (left_drag && !held(key_mouse1)) left_drag = 0;
  if (right_drag && !held(key_mouse2)) right_drag = 0;
  const int dx = mouse_x - drag_start[0], dy = mouse_y - drag_start[1];
  if (left_drag) {
    yaw() = wrap(yaw() + static_cast<float>(dx / 2));
    const float p = pitch() - static_cast<float>(dy / 2);
    pitch() = p < 0.0f ? std::max(p + 360.0f, lowest_dragged_pitch) : wrap(p);
    apply_angles();
  }
  if (right_drag) {
    const int d = dy / 2 * 10;
    view().look_distance += static_cast<float>(d);
    view().distance = view().look_distance;
    if (d < 0 && view().look_distance <= min_drag_distance) set_both_distances(min_drag_distance);
    apply_distances();
  }
  drag_start[0] = mouse_x, drag_start[1] = mouse_y;
}

// Step 15: Shift turns the camera a degree a repeat.
void shift_turns() {
  if (repeat(key_up)) pitch() = wrap(pitch() + 1.0f);
  if (repeat(key_down)) pitch() = wrap(pitch() - 1.0f);
  if (repeat(key_right)) yaw() = yaw() + 1.0f >= 360.0f ? 0.0f : yaw() + 1.0f;
  if (repeat(key_left)) yaw() = wrap(yaw() - 1.0f);
  apply_angles();
}

// Steps 16.1 and 16.2: distance and height.
void distance_and_height(MapRole& r, bool fine, bool role_mode) {
  if (repeat(key_home)) {
    set_both_distances(view().look_distance + (fine ? 2.0f : 50.0f));
    apply_distances();
  }
  if (repeat(key_end)) {
    set_both_distances(view().look_distance - (fine ? 2.0f : 50.0f));
    if (view().look_distance <= min_key_distance) set_both_distances(min_key_distance);
    apply_distances();
  }
  for (const auto& [key, sign] : {std::pair{key_page_up, 1.0f}, std::pair{key_page_down, -1.0f}}) {
    if (!repeat(key)) continue;
    const float rise = sign * (fine ? 4.0f : 50.0f);
    edit_point[1] += rise;
    if (role_mode) r.Y += rise;
    view().target_point[1] = edit_point[1];
  }
}

struct Heading {
  KeyCode a, b;
  float angle;
};
// Held keys in role mode; a later match wins.
constexpr Heading role_headings[] = {
    {key_up, key_none, 180}, {key_down, key_none, 0},  {key_right, key_none, 90}, {key_left, key_none, 270},
    {key_up, key_left, 225}, {key_up, key_right, 135}, {key_down, key_left, 315}, {key_down, key_right, 45},
};

// Step 16.4: the direction of a move, or a negative number for none.
float move_direction(MapRole& r, bool fine, bool role_mode, float heading) {
  float angle = -1.0f;
  if (role_mode && fine) {
    if (repeat(key_right)) r.DIR = std::fmod(r.DIR + 2.0f, 360.0f);
    if (repeat(key_left)) r.DIR = r.DIR - 2.0f < 0.0f ? 359.0f : r.DIR - 2.0f;
    return -1.0f;
  }
  if (role_mode) {
    for (const Heading& h : role_headings)
      if (held(h.a) && (h.b == key_none || held(h.b))) angle = h.angle;
  } else {
    for (int i = 0; i < 4; ++i)
      if (repeat(role_headings[i].a)) angle = role_headings[i].angle;
  }
  return angle < 0.0f ? -1.0f : std::fmod(heading + angle, 360.0f);
}

// Step 16.5: one step towards the direction, free or over the floor.
void move(MapRole& r, float direction, bool fine, bool role_mode) {
  if (fine) edit_move_speed = role_speed;
  if (role_mode)
    for (KeyCode k : {key_up, key_down, key_left, key_right})
      if (in().key_double_press(k)) edit_move_speed = double_press_speed;
  const float a = std::fmod(direction + 270.0f, 360.0f) * degrees_to_radians;
  const float sx = std::cos(a) * edit_move_speed, sz = std::sin(a) * edit_move_speed;
  if (test_flag(flag_collisions_off)) {
    edit_point[0] += sx;
    edit_point[2] += sz;
    if (role_mode) {
      r.X = edit_point[0], r.Z = edit_point[2];
      Take_3dActData(&r.anim);
    }
  } else {
    MapRole scratch;
    scratch.X = edit_point[0], scratch.Y = edit_point[1], scratch.Z = edit_point[2];
    scratch.anim.box.max.y = 100.0f;
    if (move_role(&scratch, sx, 0, sz) == 1) {
      point_at(scratch);
      if (role_mode) {
        r.X = edit_point[0], r.Y = edit_point[1], r.Z = edit_point[2];
        r.DIR = direction;
        Take_3dActData(&r.anim);
      }
    }
  }
  follow();
}

}  // namespace

void reset_edit_mode() {
  edit_role_index = 0;
  edit_point[0] = edit_point[1] = edit_point[2] = 0;
  edit_move_speed = 0;
  edit_dialog_act = edit_dialog_qq = 0;
  edit_anim_playing = 0;
  left_drag = right_drag = 0;
  drag_start[0] = drag_start[1] = 0;
}

void field_edit_mode() {
  if (pressed(key_enter)) {
    message(edit_off_message);
    clear_flag(flag_edit_mode);
    clear_flag(flag_collisions_off);
  }
  if (pressed(key_caps_lock)) next_role();
  MapRole* role = edited_role();
  if (!role) return;
  MapRole& r = *role;
  if (pressed('w')) {
    yaw() = quarter_turn(yaw());
    apply_angles();
  }
  if (pressed('q')) r.DIR = quarter_turn(r.DIR);
  if (repeat('s')) view_scale += view_scale_step;
  if (repeat('d')) view_scale = std::max(view_scale - view_scale_step, min_view_scale);
  mode_switches(r);
  if (animation_keys(r)) return;
  if (pressed(key_mouse1)) {
    left_drag = 1, right_drag = 0;
    drag_start[0] = mouse_x, drag_start[1] = mouse_y;
  }
  if (in().key_double_press(key_mouse1)) pick_role();
  if (pressed(key_mouse2)) {
    right_drag = 1, left_drag = 0;
    drag_start[0] = mouse_x, drag_start[1] = mouse_y;
    return;
  }
  drags();
  if (held(key_lshift) || held(key_rshift)) {
    shift_turns();
    return;
  }
  const bool fine = held(key_lctrl) || held(key_rctrl);
  const bool role_mode = test_flag(flag_edit_role_mode) != 0;
  distance_and_height(r, fine, role_mode);
  const float heading = test_flag(flag_edit_eye_still) ? field_camera.heading_to(edit_point[0], edit_point[1], edit_point[2])
                                                       : view().current_angles[1];
  const float direction = move_direction(r, fine, role_mode, heading);
  if (direction >= 0.0f) {
    move(r, direction, fine, role_mode);
  } else {
    edit_move_speed = role_mode ? role_speed : camera_speed;
    Take_3dActData(&r.anim);
  }
}

// ---- IDD_SET_ACT ------------------------------------------------------------------------------

namespace {
const DialogControl set_act_controls[] = {
    {dialog_no_id, DialogControlKind::static_text, "ACT:", 15, 16, 26, 8},
    {set_act_edit_act, DialogControlKind::edit, nullptr, 45, 13, 60, 14},
    {dialog_no_id, DialogControlKind::static_text, "QQ:", 15, 36, 26, 8},
    {set_act_edit_qq, DialogControlKind::edit, nullptr, 45, 33, 60, 14},
    {dialog_ok, DialogControlKind::default_button, dialog_ok_text, 20, 60, 40, 14},
    {dialog_cancel, DialogControlKind::push_button, dialog_cancel_text, 86, 60, 40, 14},
};
}  // namespace

const DialogTable IDD_SET_ACT{"IDD_SET_ACT", "\xB3]\xA9w\xBDs\xBF\xE8\xA4H\xAA\xAB\xB0\xCA\xA7@", 148, 83,
                              set_act_controls};  // 設定編輯人物動作

int set_act_dlg_proc(DialogMessage message, int id) {
  if (message == DialogMessage::init) {
    set_dlg_item_int(set_act_edit_act, edit_dialog_act);
    set_dlg_item_int(set_act_edit_qq, edit_dialog_qq);
    select_dlg_text(set_act_edit_act);
    select_dlg_text(set_act_edit_qq);
    set_dlg_focus(set_act_edit_act);
  } else if (id == dialog_ok) {
    edit_dialog_act = static_cast<std::uint16_t>(get_dlg_item_int(set_act_edit_act));
    edit_dialog_qq = static_cast<std::uint16_t>(get_dlg_item_int(set_act_edit_qq));
    end_dialog(0);
  } else if (id == dialog_cancel) {
    end_dialog(-1);
  }
  return 0;
}

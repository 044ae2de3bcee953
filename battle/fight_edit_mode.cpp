// The battle's edit mode: the battle and its effects stand still while the developer moves the
// camera's goal point, angles and distances, optionally dragging a unit along, then keeps the
// result (Enter) or throws it away (F2).
#include <cmath>

#include "battle/fight_debug.h"
#include "battle/fight_globals.h"
#include "battle/fight_man.h"
#include "core/flags.h"
#include "core/game_flags.h"
#include "core/grp_input.h"
#include "core/key_mapping.h"
#include "g3d/effects/effect_manager.h"
#include "g3d/view_zoom.h"
#include "ui/talk_msg.h"

EditSavedCamera edit_saved_camera;
int edit_unit = 0;
int edit_enemy_cursor = 0;

namespace {
constexpr char edit_on[] = "\xB1\xD2\xB0\xCA\xBDs\xBF\xE8\xBC\xD2\xA6\xA1!!%Q";       // 啟動編輯模式!!%Q
constexpr char edit_off[] = "\xC3\xF6\xB3\xAC\xBDs\xBF\xE8\xBC\xD2\xA6\xA1!!%Q";      // 關閉編輯模式!!%Q
constexpr char edit_kept[] = "\xA7\xF3\xB7s\xA6\xEC\xB8m!!%Q";                         // 更新位置!!%Q
constexpr char move_unit[] = "\xB2\xBE\xB0\xCA\xA4H\xAA\xAB\xBC\xD2\xA6\xA1!!%Q";     // 移動人物模式!!%Q
constexpr char move_camera[] = "\xB2\xBE\xB0\xCA\xB3\xBA\xC0Y\xBC\xD2\xA6\xA1!!%Q";   // 移動竟頭模式!!%Q
constexpr int edit_box_ms = 50, key_box_ms = 200;

int drag_right_y = 0, drag_left_x = 0, drag_left_y = 0;

void box(const char* text, int min_ms) { add_txt_msg(224, 176, 192, 64, std::uint32_t(min_ms), 100, text, 2); }

void pause_effects(int paused) {
  fight_unit_effects.paused = paused;
  fight_effects.paused = paused;
}

void save_camera() {
  edit_saved_camera.camera = fight_camera;
  edit_saved_camera.setup = fight_cam_setup;
  edit_saved_camera.view_scale = view_scale;
  edit_saved_camera.view_far = view_far;
  edit_saved_camera.view_near = view_near;
}

void set_point_from_edit() {
  fight_cam_setup.point[0] = edit_point[0];
  fight_cam_setup.point[1] = edit_point[1];
  fight_cam_setup.point[2] = edit_point[2];
}

void set_distances(float d) {
  fight_cam_setup.distance[0] = fight_cam_setup.distance[1] = d;
  fight_camera.set_look_distance(d);
  fight_camera.set_distance(d);
}

void set_angles() {
  const float* a = fight_cam_setup.angles;
  fight_camera.set_angles(a[0], a[1], a[2]);
}

void point_at_unit(int unit) {
  gmFightMan[unit].GetPos(&edit_point[0], &edit_point[1], &edit_point[2]);
}

void next_enemy() {
  for (; edit_enemy_cursor < fight_enemy_count; ++edit_enemy_cursor) {
    const int unit = fight_first_enemy + edit_enemy_cursor;
    if (unit >= fight_unit_slots || gmFightMan[unit].IsDead()) continue;
    edit_unit = unit;
    point_at_unit(unit);
    ++edit_enemy_cursor;
    break;
  }
  if (edit_enemy_cursor >= fight_enemy_count) edit_enemy_cursor = 0;
  set_point_from_edit();
}

void mouse_drags() {
  if (grp_input.key_press(key_mouse2)) drag_right_y = mouse_y;
  if (grp_input.key_down(key_mouse2)) {
    const float d = float(mouse_y - drag_right_y) / 2 * 10;
    float dist = fight_cam_setup.distance[0] + d;
    if (d < 0 && dist <= 20) dist = 20;
    set_distances(dist);
    drag_right_y = mouse_y;
  }
  if (grp_input.key_press(key_mouse1)) drag_left_x = mouse_x, drag_left_y = mouse_y;
  if (grp_input.key_down(key_mouse1)) {
    float* a = fight_cam_setup.angles;
    a[1] += float(mouse_x - drag_left_x) / 2;
    if (a[1] > 360) a[1] = std::fmod(a[1], 360.0f);
    if (a[1] < 0) a[1] += 360;
    a[0] -= float(mouse_y - drag_left_y) / 2;
    a[0] = a[0] < -90 ? -90 : a[0] > 90 ? 90 : a[0];
    set_angles();
    drag_left_x = mouse_x, drag_left_y = mouse_y;
  }
}

void shift_turns() {
  float* a = fight_cam_setup.angles;
  if (grp_input.key_repeat_fast(key_left) && (a[1] -= 1) < 0) a[1] += 360;
  if (grp_input.key_repeat_fast(key_right)) a[1] = std::fmod(a[1] + 1, 360.0f);
  if (grp_input.key_repeat_fast(key_down) && (a[0] -= 1) < -90) a[0] = -90;
  if (grp_input.key_repeat_fast(key_up) && (a[0] += 1) >= 90) a[0] = 90;
  set_angles();
}

void move_keys() {
  const bool fine = grp_input.key_down(key_lctrl) || grp_input.key_down(key_rctrl);
  const float s = fine ? 2.0f : 50.0f, v = fine ? 5.0f : 100.0f;
  if (grp_input.key_repeat_fast(key_home)) set_distances(fight_cam_setup.distance[0] + s);
  if (grp_input.key_repeat_fast(key_end)) {
    const float d = fight_cam_setup.distance[0] - s;
    set_distances(d <= 50 ? 50 : d);
  }
  if (grp_input.key_repeat_fast(key_page_up)) edit_point[1] += s, set_point_from_edit();
  if (grp_input.key_repeat_fast(key_page_down)) edit_point[1] -= s, set_point_from_edit();
  int base = -1;  // the last arrow of Up, Down, Right, Left that fired
  const int bases[4][2] = {{key_up, 180}, {key_down, 0}, {key_right, 90}, {key_left, 270}};
  for (const auto& b : bases)
    if (grp_input.key_repeat_fast(b[0])) base = b[1];
  if (base < 0) return;
  float yaw = 0;
  fight_camera.get_angles(nullptr, nullptr, nullptr, nullptr, &yaw, nullptr);
  float dx = 0, dz = 0;
  edit_arrow_step(base, yaw, &dx, &dz);
  edit_point[0] += dx * v;
  edit_point[2] += dz * v;
  set_point_from_edit();
  if (test_flag(flag_edit_role_mode) && edit_unit >= 0 && edit_unit < fight_unit_slots)
    gmFightMan[edit_unit].SetPosition(edit_point[0], edit_point[1], edit_point[2]);
}
}  // namespace

void edit_arrow_step(int base_degrees, float yaw, float* dx, float* dz) {
  const int d = int(base_degrees + yaw) % 360;
  const float a = float((d + 270) % 360) * 0.01745f;
  *dx = std::cos(a);
  *dz = std::sin(a);
}

void fight_edit_toggle() {
  if (!test_flag(flag_edit_mode)) {
    box(edit_on, key_box_ms);
    set_flag(flag_edit_mode);
    save_camera();
    fight_camera.set_point_interp(1);
    fight_camera.set_angle_interp(1);
    fight_camera.set_dist_interp(1);
    for (int i = 0; i < 3; ++i) edit_point[i] = fight_cam_setup.point[i];
    edit_enemy_cursor = 0;
    pause_effects(1);
    return;
  }
  box(edit_off, key_box_ms);
  clear_flag(flag_edit_mode);
  fight_camera = edit_saved_camera.camera;
  fight_cam_setup = edit_saved_camera.setup;
  view_scale = edit_saved_camera.view_scale;
  view_far = edit_saved_camera.view_far;
  view_near = edit_saved_camera.view_near;
  pause_effects(0);
}

void fight_edit_keep() {
  save_camera();
  box(edit_kept, edit_box_ms);
  clear_flag(flag_edit_mode);
  pause_effects(0);
}

void fight_debug_end() {
  // Only F2 and Enter resume the effects; a battle that ends in edit mode must not leave them
  // frozen for the next one.
  pause_effects(0);
}

void fight_edit_input() {
  if (grp_input.key_press(key_enter)) fight_edit_keep();
  if (grp_input.key_press(key_caps_lock)) next_enemy();
  if (grp_input.key_press('z')) {
    if (test_flag(flag_edit_role_mode)) clear_flag(flag_edit_role_mode);
    else set_flag(flag_edit_role_mode);
    box(test_flag(flag_edit_role_mode) ? move_unit : move_camera, edit_box_ms);
  }
  for (int k = 0; k < 3; ++k)
    if (grp_input.key_press('1' + k) && fight_ally_count >= k + 1) point_at_unit(k), set_point_from_edit();
  if (grp_input.key_repeat_fast('s')) view_scale += 0.5f;
  if (grp_input.key_repeat_fast('d')) view_scale -= 0.5f;
  if (grp_input.key_repeat_fast('k')) view_near += 1.0f;
  if (grp_input.key_repeat_fast('j')) view_near -= 1.0f;
  mouse_drags();
  if (grp_input.key_down(key_lshift) || grp_input.key_down(key_rshift)) shift_turns();
  else move_keys();
}

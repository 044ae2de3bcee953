// Talk opcodes of the field view and the screen: the player's walking bounds, the camera brought
// back to the player after a scene, a look at a part of a role's model, the far distance, the
// black screen shade, an effect at a role, and the return point that remembers where the player
// stood so that a script can send the player elsewhere and bring them back.
#include <cmath>

#include "core/game_mode.h"
#include "core/log.h"
#include "data/map_role.h"
#include "data/role_rows.h"
#include "field/field_camera_state.h"
#include "field/map_change.h"
#include "field/map_effects.h"
#include "field/map_file.h"
#include "field/role_move.h"
#include "field/role_path.h"
#include "field/talk_view.h"
#include "g3d/ani_matrix.h"
#include "g3d/effects/effect_manager.h"
#include "g3d/effects/spawn_effect.h"
#include "g3d/model_cache.h"
#include "g3d/renderer.h"
#include "g3d/view_zoom.h"
#include "script/script_messages.h"
#include "script/talk_marks.h"
#include "script/talk_ops.h"
#include "script/talk_queue.h"
#include "script/talk_state_words.h"
#include "ui/screen_fade.h"
#include "ui/talk_msg.h"

int view_return_busy = 0;
int view_return_snap = 0;
int shade_busy = 0;
float effect_offset[3] = {};

namespace {
// 對話%d 指令錯誤 %d: 找不到指定之 角色ID=%d
constexpr const char* effect_no_role_message =
    "\xB9\xEF\xB8\xDC%d \xAB\xFC\xA5O\xBF\xF9\xBB~ %d: \xA7\xE4\xA4\xA3\xA8\xEC\xAB\xFC\xA9w\xA4\xA7 "
    "\xA8\xA4\xA6\xE2ID=%d";
// 對話%d 指令錯誤 %d: 沒有記住返回點
constexpr const char* no_return_point_message =
    "\xB9\xEF\xB8\xDC%d \xAB\xFC\xA5O\xBF\xF9\xBB~ %d: \xA8S\xA6\xB3\xB0O\xA6\xED\xAA\xF0\xA6^\xC2I";

constexpr int screen_width = 640, screen_height = 480;
constexpr float far_viewport_near = 200.0f, far_viewport_far = 50000.0f;
// The camera's return to the player: speeds and divisors while it travels.
constexpr float return_point_speed = 20.0f, return_angle_speed = 1000.0f, return_dist_speed = 20.0f;
constexpr float return_divisor = 10.0f;

TalkMarkOwner view_return_owner, shade_owner;

FieldCameraState& view() { return field_camera_state; }

MapRole* leader() {
  return player_role_index >= 0 && player_role_index < gmMapRoleCount ? &gmMapRole[player_role_index] : nullptr;
}

// A mark whose event left the queue no longer stands.
bool mark_held(int& mark, TalkMarkOwner& owner) {
  if (mark && !talk_mark_owner_live(owner)) mark = 0;
  return mark != 0;
}

void set_mark(int& mark, TalkMarkOwner& owner, const TalkRun& run) {
  mark = 1;
  owner = talk_mark_owner(run);
}


// The camera looks at the player again from the angles and distances of the settings.
void camera_onto_player(const FieldCameraState& v) {
  if (const MapRole* p = leader()) set_camera_point_goal(p->X, p->Y + look_at_height, p->Z);
  field_camera.set_turn_dir(0);
  field_camera.set_angles(v.target_angles[0], v.target_angles[1], v.target_angles[2]);
  field_camera.set_look_distance(v.look_distance);
  field_camera.set_distance(v.distance);
}

bool camera_arrived() {
  return field_camera.point_arrived() && field_camera.angles_arrived() && field_camera.distance_arrived();
}

// The first run of opcode 115: the settings of the scene's start, travelled to at the return's
// own speeds (or snapped).
void start_view_return(const TalkRun& run) {
  set_mark(view_return_busy, view_return_owner, run);
  FieldCameraState& v = view();
  v = field_view_saved;
  v.point_speed = return_point_speed;
  v.angle_speed = return_angle_speed;
  v.dist_speed = return_dist_speed;
  v.point_divisor = v.angle_divisor = v.dist_divisor = return_divisor;
  const int type = view_return_snap == 1 ? camera_snap : camera_proportional;
  field_camera.set_point_interp(type);
  field_camera.set_angle_interp(type);
  field_camera.set_dist_interp(type);
  camera_takes_speeds(field_camera, v);
  camera_onto_player(v);
}

// The camera is back: the settings' way of moving is the scene start's again.
void finish_view_return() {
  view_return_snap = 0;
  FieldCameraState& v = view();
  const FieldCameraState& s = field_view_saved;
  v.point_interp = s.point_interp;
  v.angle_interp = s.angle_interp;
  v.dist_interp = s.dist_interp;
  v.eye_mode = s.eye_mode;
  v.point_speed = s.point_speed;
  v.angle_speed = s.angle_speed;
  v.dist_speed = s.dist_speed;
  v.point_divisor = s.point_divisor;
  v.angle_divisor = s.angle_divisor;
  v.dist_divisor = s.dist_divisor;
  camera_takes_interp(field_camera, v);
  view_return_busy = 0;
  view_return_owner = TalkMarkOwner{};
}

// The look-at goal on the tagged part of the role's model in its current frame. A role without a
// model, or a model without the part, leaves the goal where it was.
void look_at_part(const MapRole& r, std::uint16_t tag) {
  const ActInstance& a = r.anim;
  const G3dPoly* model = a.resource ? GetPoly(a.resource) : nullptr;
  if (!model) return;
  G3dMatrix m;
  set_ani_matrix(&m, &a, r.X, r.Y, r.Z, r.DIR);
  G3dVector point;
  if (renderer.get_part_point(&m, model, a.picture, tag, &point)) set_camera_point_goal(point.x, point.y, point.z);
}
}  // namespace

void undo_view_marks(int slot) {
  if (view_return_busy && talk_mark_owned_by(view_return_owner, slot)) view_return_busy = 0;
  if (shade_busy && talk_mark_owned_by(shade_owner, slot)) shade_busy = 0;
}

SliceResult talk_walk_bounds(TalkRun& run) {
  const float min_x = run.cur.u16(), min_z = run.cur.u16(), max_x = run.cur.u16(), max_z = run.cur.u16();
  const std::uint16_t on = run.cur.u16();
  if (run.cur.ok()) role_bounds = {min_x, min_z, max_x, max_z, on == 1 ? 1 : 0};
  return SliceResult::EndSlice;
}

// Opcode 115: the camera travels back to the player with the settings of the scene's start.
SliceResult talk_view_return(TalkRun& run) {
  // A pair never saved (no scene started) would leave the view without scale or depth.
  if (saved_view_pair[1] > view_near + 1.0f) {
    view_scale = saved_view_pair[0];
    view_far = saved_view_pair[1];
  }
  if (fixed_eye.on & 1) {
    field_camera.set_mode(camera_mode_outside_eye);
    field_camera.set_eye(map_record.fixed_eye);
    return SliceResult::EndSlice;
  }
  if (!mark_held(view_return_busy, view_return_owner)) start_view_return(run);
  if (!camera_arrived()) return SliceResult::Wait;
  finish_view_return();
  return SliceResult::EndSlice;
}

// Opcode 130: the camera looks at a part of a role's model, waiting as the camera goals do.
SliceResult talk_look_at_part(TalkRun& run) {
  const std::uint16_t role_id = run.cur.u16(), tag = run.cur.u16();
  if (!run.cur.ok()) return SliceResult::EndSlice;
  if (camera_busy()) return camera_point_wait(false);
  const std::uint16_t index = find_role(role_id);
  if (index == 0xFFFF) {
    report_talk_role(run, camera_no_role_message, role_id);
    return SliceResult::EndSlice;
  }
  set_camera_busy(run);
  look_at_part(gmMapRole[index], tag);
  return camera_point_wait(true);
}

SliceResult talk_far_distance(TalkRun& run) {
  const float far_distance = run.cur.u16();
  if (!run.cur.ok()) return SliceResult::EndSlice;
  set_far(far_distance);
  renderer.set_viewport(0, 0, screen_width, screen_height, view_scale, far_viewport_near, far_viewport_far);
  return SliceResult::EndSlice;
}

SliceResult talk_view_return_snap(TalkRun&) {
  view_return_snap = 1;
  return SliceResult::EndSlice;
}

// Opcode 143: the black shade moves from one alpha to another and the talk waits until it is
// there. A step of 0 would never get there: the shade takes its target at once.
SliceResult talk_screen_shade(TalkRun& run) {
  const std::uint16_t from = run.cur.u16(), to = run.cur.u16(), step = run.cur.u16();
  if (!run.cur.ok()) return SliceResult::EndSlice;
  ScreenDim& d = screen_dim;
  if (mark_held(shade_busy, shade_owner)) {
    if (d.done != 1) return SliceResult::Wait;
    shade_busy = 0;
    return SliceResult::EndSlice;
  }
  d.done = 0;
  d.alpha = std::uint8_t(from);
  d.target_alpha = std::uint8_t(to);
  d.step = float(step);
  if (step != 0) {
    set_mark(shade_busy, shade_owner, run);
    return SliceResult::Wait;
  }
  constexpr float whole_range = 255.0f;
  d.alpha = d.target_alpha;
  d.step = d.target_alpha != 0 ? whole_range : 0.0f;
  d.done = 1;
  return SliceResult::EndSlice;
}

SliceResult talk_wait_camera(TalkRun&) { return camera_arrived() ? SliceResult::EndSlice : SliceResult::Wait; }

SliceResult talk_effect_offset(TalkRun& run) {
  const std::int32_t x = run.cur.i32(), y = run.cur.i32(), z = run.cur.i32();
  if (!run.cur.ok()) return SliceResult::EndSlice;
  effect_offset[0] = float(x);
  effect_offset[1] = float(y);
  effect_offset[2] = float(z);
  return SliceResult::EndSlice;
}

// A far plane at or below the near one would leave nothing to see (and a projection divided by
// zero): the view keeps its own then.
void set_far(float far_distance) {
  if (far_distance > view_near + 1.0f) view_far = far_distance;
}

namespace {
// The effect manager the screen running the talk updates and draws: the battle's units' manager
// in a battle and on the title, the field's anywhere else, since the field draws no other.
EffectManager& talk_effects() {
  return GameMode == mode_battle || GameMode == mode_title ? fight_unit_effects : field_effects;
}
}  // namespace

// Opcode 154: an effect of Effect.dat starts at the role, moved by the offset of opcode 153,
// which serves this one effect only.
SliceResult talk_role_effect(TalkRun& run) {
  const std::uint16_t role_id = run.cur.u16(), effect = run.cur.u16();
  if (!run.cur.ok()) return SliceResult::EndSlice;
  const std::uint16_t index = find_role(role_id);
  if (index == 0xFFFF) {
    report_talk_role(run, effect_no_role_message, role_id);
  } else {
    const MapRole& r = gmMapRole[index];
    spawn_effect(&talk_effects(), effect, r.X + effect_offset[0], r.Y + effect_offset[1], r.Z + effect_offset[2]);
  }
  effect_offset[0] = effect_offset[1] = effect_offset[2] = 0.0f;
  return SliceResult::EndSlice;
}

// Opcode 162: the map, the camera's settings, the far distance and the player's place.
SliceResult talk_save_return(TalkRun&) {
  ReturnPoint p;
  p.map = map_record.map_number;
  p.view = view();
  p.far_distance = view_far;
  if (const MapRole* l = leader()) {
    p.x = l->X;
    p.y = l->Y;
    p.z = l->Z;
    p.dir = l->DIR;
  }
  if (map_record.map_flags & map_eye_follows_height) {
    p.view.camera_mode = camera_mode_outside_eye;
    p.view.eye[0] = map_record.fixed_eye.x;
    p.view.eye[1] = map_record.fixed_eye.y;
    p.view.eye[2] = map_record.fixed_eye.z;
  }
  set_return_point(p);
  return SliceResult::EndSlice;
}

namespace {
void camera_from_return(const ReturnPoint& p) {
  const FieldCameraState& v = p.view;
  if (v.camera_mode == camera_mode_outside_eye) {
    field_camera.set_mode(camera_mode_outside_eye);
    field_camera.set_eye_xyz(v.eye[0], v.eye[1] + eye_above_player, v.eye[2]);
    return;
  }
  camera_takes_interp(field_camera, v);
  camera_takes_speeds(field_camera, v);
  camera_onto_player(v);
}
}  // namespace

// Opcode 163: back to the remembered map, place and camera. Nothing remembered changes nothing.
SliceResult talk_go_return(TalkRun& run) {
  if (return_point_empty()) {
    report_error(no_return_point_message, run.ev->TALK, run.op);
    return SliceResult::EndSlice;
  }
  const ReturnPoint p = get_return_point();
  del_all_talkmsg();
  del_all_role_path();
  save_all_maps_role();
  map_record.map_number = p.map;
  view() = p.view;
  set_far(p.far_distance);
  MapRole* l = leader();
  if (l) {
    l->X = p.x;
    l->Y = p.y;
    l->Z = p.z;
    l->DIR = p.dir;
  }
  camera_from_return(p);
  if (l) set_maps_role_map(l->RoleID, p.map);
  renderer.flush_textures();
  enter_map(p.map, p.x, p.y, p.z, p.dir);
  clear_return_point();
  return SliceResult::EndSlice;
}

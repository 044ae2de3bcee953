// Talk opcodes of the field camera: how its point, angles and distances travel (interpolation,
// speeds), their goals with the talk waiting until they are reached, the eye, the camera mode and
// the view zoom. Each setting a script makes is kept in the field's camera settings too, so that
// the field and the scene restore put the same camera back.
#include "core/flags.h"
#include "core/game_flags.h"
#include "core/log.h"
#include "data/map_role.h"
#include "field/field_camera_state.h"
#include "field/map_change.h"
#include "field/map_file.h"
#include "field/role_move.h"
#include "g3d/view_zoom.h"
#include "script/script_messages.h"
#include "script/talk_marks.h"
#include "script/talk_ops.h"

int talk_camera_busy = 0;

namespace {
TalkMarkOwner camera_owner;  // the event whose camera opcode set talk_camera_busy

FieldCameraState& view() { return field_camera_state; }

void set_interp(int type) {
  field_camera.set_point_interp(type);
  field_camera.set_angle_interp(type);
  field_camera.set_dist_interp(type);
}

// One run of a waiting camera opcode: the first sets the goal and marks the camera busy, a later
// one passes once the camera arrived (or at once when the talk does not wait). True: passed.
template <class SetGoal>
bool camera_wait_step(const TalkRun& run, SetGoal set_goal, bool (Camera::*arrived)() const) {
  if (!camera_busy()) {
    set_camera_busy(run);
    set_goal();
    return false;
  }
  if (view().control_mode == 0 && !(field_camera.*arrived)()) return false;
  clear_camera_busy();
  return true;
}

// Runs a waiting camera opcode whose operands were read. When the talk neither waits nor lets a
// frame pass, the opcode runs again at once: the goal is set and passed in the same call.
template <class SetGoal>
SliceResult camera_wait(TalkRun& run, SetGoal set_goal, bool (Camera::*arrived)() const) {
  if (!run.cur.ok()) return SliceResult::EndSlice;
  for (int pass = 0; pass < 2; ++pass) {
    const bool passed = camera_wait_step(run, set_goal, arrived);
    const bool go_on = camera_go_on();
    if (passed) return go_on ? SliceResult::GoOn : SliceResult::EndSlice;
    if (!go_on) break;
  }
  return SliceResult::Wait;
}

MapRole* leader() {
  return player_role_index >= 0 && player_role_index < gmMapRoleCount ? &gmMapRole[player_role_index] : nullptr;
}
}  // namespace

void set_camera_busy(const TalkRun& run) {
  talk_camera_busy = 1;
  camera_owner = talk_mark_owner(run);
}

bool camera_busy() {
  if (talk_camera_busy && !talk_mark_owner_live(camera_owner)) clear_camera_busy();
  return talk_camera_busy != 0;
}

void clear_camera_busy() {
  talk_camera_busy = 0;
  camera_owner = TalkMarkOwner{};
}

void set_camera_point_goal(float x, float y, float z) {
  view().target_point[0] = x;
  view().target_point[1] = y;
  view().target_point[2] = z;
  field_camera.set_point(x, y, z);
}

namespace {
// A later run of a camera opcode that looks at a point: it passes once the point arrived, or at
// once when the talk does not wait.
bool camera_point_passes() {
  if (view().control_mode == 0 && !field_camera.point_arrived()) return false;
  clear_camera_busy();
  return true;
}
}  // namespace

SliceResult camera_point_wait(bool goal_just_set) {
  bool passed = !goal_just_set && camera_point_passes();
  // A snapping camera moves at once and the opcode runs again in the same call; the second run
  // sees the camera arrived.
  for (int pass = 0; pass < 2; ++pass) {
    if (field_camera.get_point_interp() != camera_snap) return passed ? SliceResult::EndSlice : SliceResult::Wait;
    field_camera.update();
    field_camera.apply_view();
    if (passed) return SliceResult::GoOn;
    passed = camera_point_passes();
  }
  return SliceResult::Wait;
}

bool camera_go_on() { return view().control_mode == 1 && test_flag(flag_talk_waits_path); }

void undo_camera_marks(int slot) {
  if (talk_camera_busy && talk_mark_owned_by(camera_owner, slot)) clear_camera_busy();
}

SliceResult talk_camera_interp(TalkRun& run) {
  const std::uint16_t type = run.cur.u16();
  if (!run.cur.ok()) return SliceResult::GoOn;
  set_interp(type);
  view().point_interp = view().angle_interp = view().dist_interp = type;
  return SliceResult::GoOn;
}

SliceResult talk_point_speed(TalkRun& run) {
  const float v = float(run.cur.s16());
  if (!run.cur.ok()) return SliceResult::GoOn;
  field_camera.set_point_speed(v);
  field_camera.set_point_divisor(v);
  view().point_speed = view().point_divisor = v;
  return SliceResult::GoOn;
}

SliceResult talk_angle_speed(TalkRun& run) {
  const float v = float(run.cur.s16());
  if (!run.cur.ok()) return SliceResult::GoOn;
  field_camera.set_angle_speed(v);
  field_camera.set_angle_divisor(v);
  view().angle_speed = view().angle_divisor = v;
  return SliceResult::GoOn;
}

SliceResult talk_distance_speed(TalkRun& run) {
  const float v = float(run.cur.s16());
  if (!run.cur.ok()) return SliceResult::GoOn;
  field_camera.set_dist_speed(v);
  field_camera.set_dist_divisor(v);
  view().dist_speed = view().dist_divisor = v;
  return SliceResult::GoOn;
}

SliceResult talk_control_on(TalkRun&) {
  view().control_mode = 1;
  return SliceResult::GoOn;
}

SliceResult talk_control_off(TalkRun&) {
  view().control_mode = 0;
  return SliceResult::GoOn;
}

SliceResult talk_camera_point(TalkRun& run) {
  const float x = float(run.cur.i32()), y = float(run.cur.i32()), z = float(run.cur.i32());
  return camera_wait(run, [&] { set_camera_point_goal(x, y, z); }, &Camera::point_arrived);
}

SliceResult talk_camera_angles(TalkRun& run) {
  const float x = float(run.cur.s16()), y = float(run.cur.s16()), z = float(run.cur.s16());
  const std::int16_t turn = run.cur.s16();
  auto set_goal = [&] {
    view().target_angles[0] = x;
    view().target_angles[1] = y;
    view().target_angles[2] = z;
    field_camera.set_angles(x, y, z);
    field_camera.set_turn_dir(turn);
  };
  return camera_wait(run, set_goal, &Camera::angles_arrived);
}

SliceResult talk_camera_distance(TalkRun& run) {
  const float d = float(run.cur.s16());
  auto set_goal = [&] {
    view().look_distance = view().distance = d;
    field_camera.set_look_distance(d);
    field_camera.set_distance(d);
  };
  return camera_wait(run, set_goal, &Camera::distance_arrived);
}

// Opcode 71: the camera's point goes to a role, its height added. With snapping the camera is
// moved at once and the opcode completes within the call.
SliceResult talk_camera_follow(TalkRun& run) {
  const std::uint16_t type = run.cur.u16(), role_id = run.cur.u16();
  const float height = float(run.cur.u16());
  if (!run.cur.ok()) return SliceResult::EndSlice;
  if (camera_busy()) return camera_point_wait(false);
  set_interp(type);
  const std::uint16_t index = find_role(role_id);
  if (index == 0xFFFF) {
    report_talk_role(run, camera_no_role_message, role_id);
    return SliceResult::EndSlice;
  }
  set_camera_busy(run);
  const MapRole& r = gmMapRole[index];
  set_camera_point_goal(r.X, r.Y + height, r.Z);
  return camera_point_wait(true);
}

// Opcode 72: on a map whose eye follows the player's height the fixed eye moves over (x, z),
// above the leader; elsewhere the camera's eye goes to (x, y, z).
SliceResult talk_camera_eye(TalkRun& run) {
  const float x = float(run.cur.s16()), y = float(run.cur.s16()), z = float(run.cur.s16());
  if (!run.cur.ok()) return SliceResult::GoOn;
  if (!(map_record.map_flags & map_eye_follows_height)) {
    field_camera.set_eye_xyz(x, y, z);
    return SliceResult::GoOn;
  }
  // Without a leader there is no height to keep the eye above: the eye stays.
  if (const MapRole* l = leader()) {
    map_record.fixed_eye.x = x;
    map_record.fixed_eye.y = l->Y + eye_above_player;
    map_record.fixed_eye.z = z;
    field_camera.set_eye(map_record.fixed_eye);
  }
  return SliceResult::GoOn;
}

SliceResult talk_camera_mode(TalkRun& run) {
  const std::uint16_t mode = run.cur.u16();
  if (run.cur.ok()) field_camera.set_mode(mode);
  return SliceResult::GoOn;
}

SliceResult talk_eye_speed(TalkRun& run) {
  const float v = float(run.cur.s16());
  if (!run.cur.ok()) return SliceResult::GoOn;
  field_camera.set_eye_speed(v);
  field_camera.set_spare_speed(v);
  return SliceResult::GoOn;
}

SliceResult talk_point_interp(TalkRun& run) {
  const std::uint16_t type = run.cur.u16();
  if (!run.cur.ok()) return SliceResult::GoOn;
  field_camera.set_point_interp(type);
  view().point_interp = type;
  return SliceResult::GoOn;
}

SliceResult talk_angle_interp(TalkRun& run) {
  const std::uint16_t type = run.cur.u16();
  if (!run.cur.ok()) return SliceResult::GoOn;
  field_camera.set_angle_interp(type);
  view().angle_interp = type;
  return SliceResult::GoOn;
}

SliceResult talk_distance_interp(TalkRun& run) {
  const std::uint16_t type = run.cur.u16();
  if (!run.cur.ok()) return SliceResult::GoOn;
  field_camera.set_dist_interp(type);
  view().dist_interp = type;
  return SliceResult::GoOn;
}

SliceResult talk_eye_mode(TalkRun& run) {
  const std::uint16_t mode = run.cur.u16();
  if (!run.cur.ok()) return SliceResult::GoOn;
  field_camera.set_eye_mode(mode);
  view().eye_mode = mode;
  return SliceResult::GoOn;
}

// Opcode 86: the view zoom is only requested here; the field frame applies it, so the slice
// ends whatever the mode.
SliceResult talk_view_zoom(TalkRun& run) {
  const std::int16_t mode = std::int16_t(run.cur.u16()), frames = std::int16_t(run.cur.u16());
  const float scale = float(run.cur.s16());
  if (run.cur.ok()) set_view_zoom(mode, frames, scale);
  return SliceResult::EndSlice;
}

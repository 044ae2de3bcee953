// The new-game reset.
#include "ui/new_game.h"

#include <cstring>

#include "core/flags.h"
#include "core/frame_timer.h"
#include "core/game_ini.h"
#include "core/game_mode.h"
#include "script/talk_state_words.h"
#include "field/field_camera_state.h"

namespace {
// The field camera of a fresh start: behind and a little above the look-at point.
void reset_field_camera() {
  FieldCameraState& s = field_camera_state;
  s = FieldCameraState{};
  s.target_angles[0] = 10.0f;
  s.look_distance_goal = s.distance_goal = 1250.0f;
  s.point_speed = 10.0f;
  s.angle_speed = 1.0f;
  s.dist_speed = 25.0f;
  s.point_divisor = 4.0f;
  s.angle_divisor = 3.0f;
  s.dist_divisor = 4.0f;
  Camera& c = field_camera;
  c.set_mode(camera_mode_orbit);
  c.set_point_interp(camera_snap);
  c.set_angle_interp(camera_snap);
  c.set_dist_interp(camera_snap);
  c.set_eye_mode(camera_eye_follows);
  c.set_point(0, 0, 0);
  c.set_angles(s.target_angles[0], 0, 0);
  c.set_look_distance(s.look_distance_goal);
  c.set_distance(s.distance_goal);
  c.set_point_speed(s.point_speed);
  c.set_angle_speed(s.angle_speed);
  c.set_dist_speed(s.dist_speed);
  c.set_eye_speed(20.0f);
  c.set_point_divisor(s.point_divisor);
  c.set_angle_divisor(s.angle_divisor);
  c.set_dist_divisor(s.dist_divisor);
  c.update();
  c.apply_view();
}
}  // namespace

void reset_game() {
  quit_request = 0;
  frame_due = 0;
  GameMode = mode_field;
  SavedGameMode = mode_field;
  talk_box_state = 0;
  input_wait_frames = 0;
  game_clock = 0;
  play_time = 0;
  std::memset(flag_bytes, 0, sizeof flag_bytes);
  clear_return_point();
  reset_field_camera();
  // The switches game.ini turned on (the developer keys among them) outlast the reset.
  reapply_game_ini_flags();
}

// The battle's end cameras: the snap to the victory or defeat view when the result is decided,
// and the slow move of that view on every frame after it.
#include "battle/fight.h"
#include "battle/fight_globals.h"
#include "battle/fight_man.h"
#include "core/flags.h"
#include "core/game_flags.h"
#include "g3d/view_zoom.h"

namespace {
constexpr int interp_instant = 1, interp_glide = 2;

// The goal block's point, angles and distances set as the camera's goals.
void set_goals(const G3dVector& point, float pitch, float yaw, float distance) {
  FightCamSetup& s = fight_cam_setup;
  s.point[0] = point.x, s.point[1] = point.y, s.point[2] = point.z;
  s.angles[0] = pitch, s.angles[1] = yaw, s.angles[2] = 0;
  s.distance[0] = s.distance[1] = distance;
  Camera& c = fight_camera;
  c.set_point(point.x, point.y, point.z);
  c.set_angles(pitch, yaw, 0);
  c.set_look_distance(distance);
  c.set_distance(distance);
}

void snap_now() {
  Camera& c = fight_camera;
  c.set_point_interp(interp_instant), c.set_angle_interp(interp_instant), c.set_dist_interp(interp_instant);
  c.update();
  c.apply_view();
}

// The yaw goal turned by a step, kept within 0..360 as the views wrap it.
void turn_yaw(float step) {
  FightCamSetup& s = fight_cam_setup;
  s.angles[1] += step;
  if (s.angles[1] > 360.0f) s.angles[1] = 0;
  if (s.angles[1] < 0.0f) s.angles[1] = 359.0f;
  fight_camera.set_angles(s.angles[0], s.angles[1], s.angles[2]);
}

void victory_step() {
  Camera& c = fight_camera;
  FightCamSetup& s = fight_cam_setup;
  switch (fight_end_view) {
    case 0:
      c.set_point_interp(interp_glide), c.set_dist_interp(interp_glide);
      c.set_point_speed(2.0f), c.set_dist_speed(15.0f);
      turn_yaw(0.5f);
      s.distance[0] = s.distance[1] = 350;
      c.set_look_distance(350), c.set_distance(350);
      break;
    case 1:
      c.set_point_interp(interp_glide), c.set_angle_interp(interp_glide), c.set_dist_interp(interp_glide);
      c.set_point_speed(1.0f);
      s.point[1] = 200;
      break;
    default:
      c.set_point_interp(interp_glide), c.set_angle_interp(interp_glide), c.set_dist_interp(interp_glide);
      c.set_point_speed(3.0f);
      turn_yaw(-0.6f);
      s.point[0] = 200;
      break;
  }
}

void defeat_step() {
  Camera& c = fight_camera;
  FightCamSetup& s = fight_cam_setup;
  c.set_dist_interp(interp_glide);
  c.set_dist_speed(1.0f);
  s.distance[1] += 50;
  s.distance[0] += 10;
  c.set_look_distance(s.distance[1]);
  c.set_distance(s.distance[0]);
}
}  // namespace

void fight_end_camera_step() {
  if (battle_over != 1 || test_flag(flag_battle_camera_held)) return;
  if (fight_flags & fight_victory) victory_step();
  else if (fight_flags & fight_defeat) defeat_step();
}

void fight_snap_victory_camera(int unit) {
  if (test_flag(flag_battle_camera_held)) return;
  const G3dVector p = gmFightMan[unit].pos;
  switch (fight_end_view) {
    case 0: set_goals({p.x, p.y + 85, p.z, 0}, 6, 140, 1000); break;
    case 1:
      set_goals({p.x, p.y + 40, p.z, 0}, 6, 200, 550);
      snap_now();
      fight_camera.set_mode(camera_mode_outside_eye);
      view_scale = 20.0f;
      return;
    default: set_goals({-200, 160, -400, 0}, 15, 220, 850); break;
  }
  snap_now();
}

void fight_snap_defeat_camera(int unit) {
  set_goals(gmFightMan[unit].pos, 76, 0, 700);
  snap_now();
}

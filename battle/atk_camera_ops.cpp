// ATK commands: the battle camera, its follow and its shake.
#include "battle/atk_ops.h"

#include "battle/fight.h"
#include "battle/fight_globals.h"
#include "battle/fight_man.h"
#include "core/flags.h"
#include "core/game_flags.h"
#include "g3d/view_zoom.h"

namespace {
Camera& cam() { return fight_camera; }
FightCamSetup& setup() { return fight_cam_setup; }

// Gives the stored goal of a camera command to the camera.
void give_goal(std::uint16_t op) {
  FightCamSetup& s = setup();
  if (op == 38 || op == 41) cam().set_point(s.point[0], s.point[1], s.point[2]);
  if (op == 39) cam().set_angles(s.angles[0], s.angles[1], s.angles[2]);
  if (op == 40) cam().set_look_distance(s.distance[1]), cam().set_distance(s.distance[0]);
}

int interp_of(std::uint16_t op) {
  if (op == 39) return cam().get_angle_interp();
  if (op == 40) return cam().get_dist_interp();
  return cam().get_point_interp();
}

bool arrived(std::uint16_t op) {
  if (op == 39) return cam().angles_arrived();
  if (op == 40) return cam().distance_arrived();
  return cam().point_arrived();
}
}  // namespace

SliceResult atk_camera_free(AtkRun&) {
  cam().set_turn_dir(0);
  setup().instant = 1;
  fight_cam_follow = 0;
  fight_cam_follow_offset = G3dVector{};
  return SliceResult::GoOn;
}

SliceResult atk_camera_done(AtkRun&) {
  fight_cam_follow = 0;
  fight_cam_follow_offset = G3dVector{};
  fight_flags |= 0x4000000;
  return SliceResult::EndSlice;
}

SliceResult atk_camera_interp(AtkRun& run) {
  const int t = run.cur.u16();
  if (run.op == 32 || run.op == 44) cam().set_point_interp(t);
  if (run.op == 32 || run.op == 45) cam().set_angle_interp(t);
  if (run.op == 32 || run.op == 46) cam().set_dist_interp(t);
  return SliceResult::GoOn;
}

SliceResult atk_camera_speed(AtkRun& run) {
  const float v = run.cur.s16();
  if (run.op == 33) cam().set_point_speed(v), cam().set_point_divisor(v);
  if (run.op == 34) cam().set_angle_speed(v), cam().set_angle_divisor(v);
  if (run.op == 35) cam().set_dist_speed(v), cam().set_dist_divisor(v);
  return SliceResult::GoOn;
}

SliceResult atk_camera_instant(AtkRun& run) {
  setup().instant = run.op == 36 ? 1 : 0;
  return SliceResult::GoOn;
}

SliceResult atk_camera_goal(AtkRun& run) {
  FightCamSetup& s = setup();
  const std::uint16_t op = run.op;
  if (atk_first_time(run)) {
    if (op == 38) {
      for (float& f : s.point) f = float(run.cur.i32());
    } else if (op == 39) {
      for (float& f : s.angles) f = run.cur.s16();
      cam().set_turn_dir(run.cur.s16());
    } else if (op == 40) {
      s.distance[0] = s.distance[1] = run.cur.s16();
    } else {
      const float dx = run.cur.s16(), dy = run.cur.s16(), dz = run.cur.s16();
      fight_cam_follow_unit = run.slot->actor;
      fight_cam_follow_offset = {dx, dy, dz, 0};
      if (FightMan* a = fight_cam_follow_unit) s.point[0] = a->pos.x + dx, s.point[1] = a->pos.y + dy, s.point[2] = a->pos.z + dz;
    }
    give_goal(op);
  } else if (s.instant == 1 || arrived(op)) {
    run.cur.skip(std::size_t(find_opcode(atk_opcodes(), op)->size - 2));
    return atk_done(run);
  }
  if (interp_of(op) == 1) {
    give_goal(op);
    cam().update();
    cam().apply_view();
  }
  return SliceResult::Wait;
}

SliceResult atk_camera_follow_target(AtkRun& run) {
  const float dx = run.cur.s16(), dy = run.cur.s16(), dz = run.cur.s16();
  FightMan* t = run.slot->targets[0];
  fight_cam_follow_unit = t;
  fight_cam_follow_offset = {dx, dy, dz, 0};
  if (t) setup().point[0] = t->pos.x + dx, setup().point[1] = t->pos.y + dy, setup().point[2] = t->pos.z + dz;
  return SliceResult::GoOn;
}

SliceResult atk_camera_follow(AtkRun& run) {
  fight_cam_follow = run.cur.u16();
  return SliceResult::EndSlice;
}

SliceResult atk_camera_eye_mode(AtkRun& run) {
  cam().set_eye_mode(run.cur.u16());
  return SliceResult::GoOn;
}

SliceResult atk_camera_mode(AtkRun& run) {
  cam().set_mode(run.cur.u16() == 1 ? 4 : 1);
  return SliceResult::EndSlice;
}

SliceResult atk_camera_overview(AtkRun&) {
  if (test_flag(flag_battle_camera_held)) return SliceResult::EndSlice;
  view_scale = 10.0f;
  FightCamSetup& s = setup();
  cam().set_mode(1);
  cam().set_point_interp(1), cam().set_angle_interp(1), cam().set_dist_interp(1);
  cam().set_angle_speed(5000), cam().set_dist_speed(200);
  cam().set_angle_divisor(5), cam().set_dist_divisor(20);
  s.point[0] = 15, s.point[1] = 40, s.point[2] = -240;
  s.angles[0] = 16, s.angles[1] = 359, s.angles[2] = 0;
  s.distance[0] = s.distance[1] = 1600;
  cam().set_point(s.point[0], s.point[1], s.point[2]);
  cam().set_angles(s.angles[0], s.angles[1], s.angles[2]);
  cam().set_look_distance(s.distance[1]);
  cam().set_distance(s.distance[0]);
  return SliceResult::EndSlice;
}

SliceResult atk_camera_eye(AtkRun& run) {
  const float x = float(run.cur.i32()), y = float(run.cur.i32()), z = float(run.cur.i32());
  cam().set_eye_xyz(x, y, z);
  return SliceResult::EndSlice;
}

SliceResult atk_shake(AtkRun& run) {
  const std::uint16_t on = run.cur.u16();
  fight_shake.on = 0;
  fight_shake.hold = 0;
  if (on == 1) fight_shake = FightShake{1, 10, 0, 0, 0};
  return SliceResult::EndSlice;
}

SliceResult atk_shake_hold(AtkRun&) {
  fight_shake.hold = 1;
  return SliceResult::EndSlice;
}

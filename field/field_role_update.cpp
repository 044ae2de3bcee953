// Every role's frame on the field: turns, jumps, poses, AI scripts; then the talks, the talk
// timer, the scripted paths and the camera point.
#include <cmath>

#include "core/flags.h"
#include "core/game_flags.h"
#include "core/game_mode.h"
#include "core/log.h"
#include "data/map_role.h"
#include "field/field_camera_state.h"
#include "field/field_controller.h"
#include "field/role_move.h"
#include "field/role_path.h"
#include "field/role_talk_start.h"
#include "g3d/motion.h"
#include "script/role_ai.h"
#include "script/talk_queue.h"
#include "script/talk_timer.h"

namespace {
// 角色[%d] ACT:%d QQ:%d 錯誤!!
constexpr const char* missing_anim_message = "\xA8\xA4\xA6\xE2[%d] ACT:%d QQ:%d \xBF\xF9\xBB~!!";
constexpr std::uint32_t state_walk_while_turning = 0x2000 | 0x8000;
constexpr std::uint32_t state_no_restore = 0x4000;
constexpr std::uint32_t state_animated = 0x20;
constexpr std::uint16_t qq_stand = 0, qq_walk = 8;
constexpr int kept_qq_var = 3, kept_delay_var = 4, pending_qq_var = 6;
constexpr float turn_end_window = 5.0f;

void end_turn(int i, MapRole& r) {
  if (r.STATE & state_walk_while_turning) r.anim.qq = qq_stand;
  std::uint16_t& pending = *role_var(r, pending_qq_var);
  if (pending) {
    r.anim.qq = pending;
    pending = 0;
  }
  r.STATE &= ~state_turning;
  r.DIR = r.turn_dir;
  if (i == talk_partner_index && !(r.STATE & state_script_starts_talk)) add_talks_proc(&r);
  if (r.TALK == 0 && player_role_index >= 0 && player_role_index < gmMapRoleCount)
    gmMapRole[player_role_index].STATE &= ~state_held;
  r.STATE &= ~state_script_starts_talk;
}

void turn(int i, MapRole& r) {
  const float d = r.turn_speed == 5.0f ? r.DIR - r.turn_dir : r.turn_dir - r.DIR;
  if (std::fabs(d) > turn_end_window) {
    if (r.STATE & state_walk_while_turning) r.anim.qq = qq_walk;
    r.DIR = std::fmod(r.DIR + r.turn_speed, 360.0f);
    if (r.DIR < 0.0f) r.DIR = 359.0f;
  } else {
    end_turn(i, r);
  }
  Take_3dActData(&r.anim);
}

void restore_pose(MapRole& r) {
  std::uint16_t& kept = *role_var(r, kept_qq_var);
  if ((r.STATE & state_held) || kept == 0) return;
  std::uint16_t& delay = *role_var(r, kept_delay_var);
  r.anim.qq = kept;
  r.anim.delay = delay;
  r.anim.delay_count = std::int16_t(delay);
  r.anim.state |= act_state_restart;
  kept = delay = 0;
}

void update_role(int i, MapRole& r) {
  if (r.STATE & state_turning) {
    turn(i, r);
    return;
  }
  step_role_jump(i, &r);
  if (!(r.STATE & state_no_restore)) {
    restore_pose(r);
    if (role_runs_ai(r)) {
      run_role_ai(&r);
      return;
    }
  }
  if (!(r.STATE & state_animated)) return;
  if (!Take_3dActData(&r.anim) && r.missing_anim == 0) {
    r.missing_anim = 1;
    report_error(missing_anim_message, r.RoleID, r.anim.act, r.anim.qq);
  }
}
}  // namespace

void update_field_roles() {
  if (test_flag(flag_battle) || GameMode != mode_field) return;
  if (!test_flag(flag_act_camera))
    for (int i = 0; i < gmMapRoleCount; ++i) {
      MapRole& r = gmMapRole[i];
      if (r.RoleID <= party_role_limit && !(r.STATE & state_off_map)) update_role(i, r);
    }
  run_talk_queue();
  tick_talk_timer();
  if (!test_flag(flag_edit_mode) && !test_flag(flag_battle)) run_role_paths();
  const float* p = field_camera_state.target_point;
  field_camera.set_point(p[0], p[1], p[2]);
}

void step_role_jump(int index, MapRole* role) {
  MapRole& r = *role;
  if (!(r.STATE & state_jumping)) return;
  const int done = step_jump(&r.jump);
  r.X = r.jump.current.x;
  r.Y = r.jump.current.y;
  r.Z = r.jump.current.z;
  if (done) {
    r.STATE &= ~state_jumping;
    r.jump = JumpMotion{};
    return;
  }
  move_role(&r, 0.0f, 0.0f, 0.0f);
  r.Y = r.jump.height;
  if (index == camera_follow_role) {
    float* p = field_camera_state.target_point;
    p[0] = r.X, p[1] = r.Y + 100.0f, p[2] = r.Z;
    field_camera.set_point(p[0], p[1], p[2]);
  }
}

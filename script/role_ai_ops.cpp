// The field AI's own opcodes: waits, the role's look and place, paths and the random jump.
#include "core/flags.h"
#include "core/frame_timer.h"
#include "core/game_flags.h"
#include "core/log.h"
#include "data/map_role.h"
#include "field/map_file.h"
#include "field/role_move.h"
#include "field/role_path.h"
#include "field/role_walk.h"
#include "g3d/act_animation.h"
#include "script/ai_run.h"
#include "script/msg_settings.h"
#include "script/role_ai.h"
#include "ui/talk_msg.h"

namespace {
constexpr std::uint16_t wait_started = 0x8000;

// AI%d 指令錯誤 %d: 找不到指定之 角色ID%d
constexpr const char* missing_role_message =
    "AI%d \xAB\xFC\xA5O\xBF\xF9\xBB~ %d: \xA7\xE4\xA4\xA3\xA8\xEC\xAB\xFC\xA9w\xA4\xA7 \xA8\xA4\xA6\xE2ID%d";

SliceResult tick_anim(AiRun& run) {
  Take_3dActData(&run.role->anim);
  return SliceResult::EndSlice;
}

// A path template with what every AI path shares.
RolePath path_for(MapRole* role) {
  RolePath p;
  p.role = role;
  p.speed = ai_walk_speed;
  p.walk_qq[0] = role->anim.qq;
  p.delay_count = role->anim.delay_count;
  p.delay = role->anim.delay;
  return p;
}

SliceResult hold(AiRun& run, bool on) {
  std::uint16_t id = run.cur.u16();
  std::uint16_t i = find_role(id);
  if (i == 0xFFFF) {
    report_error(missing_role_message, run.number, run.op, id);
  } else if (on) {
    gmMapRole[i].STATE |= state_held;
  } else {
    gmMapRole[i].STATE &= ~state_held;
  }
  return SliceResult::EndSlice;
}

SliceResult set_state(AiRun& run, std::uint32_t bits, bool on) {
  if (on) run.role->STATE |= bits;
  else run.role->STATE &= ~bits;
  return SliceResult::EndSlice;
}
}  // namespace

SliceResult ai_timed_wait(AiRun& run) {
  std::uint16_t word = run.cur.u16();
  if (!(word & wait_started)) {
    // The start is marked in the loaded script: every later pass, by any role running the
    // same script, measures from the shared start.
    ai_wait_start = ai_wait_now = game_clock;
    run.cur.put_u16(run.op_pos + 2, static_cast<std::uint16_t>(word | wait_started));
    return SliceResult::Wait;
  }
  std::uint16_t wait = static_cast<std::uint16_t>((word & 0x7FFF) * 10);
  ai_wait_now = game_clock;
  if (ai_wait_now - ai_wait_start >= wait || test_flag(flag_speed_up)) return SliceResult::EndSlice;
  return SliceResult::Wait;
}

SliceResult ai_box_colour(AiRun& run) {
  std::uint32_t a = run.cur.u16(), r = run.cur.u16(), g = run.cur.u16(), b = run.cur.u16();
  talk_box_colour = a << 24 | r << 16 | g << 8 | b;
  return SliceResult::GoOn;
}

SliceResult ai_box_frame(AiRun& run) {
  msg_box_frame[0] = run.cur.u16();
  msg_box_frame[1] = run.cur.u16();
  return SliceResult::GoOn;
}

SliceResult ai_wait_box(AiRun& run) {
  std::uint16_t i = find_role(run.role->RoleID);
  if (i != 0xFFFF && (gmMapRole[i].STATE & state_box_open)) return SliceResult::Wait;
  return SliceResult::EndSlice;
}

SliceResult ai_set_act(AiRun& run) {
  run.role->anim.act = run.cur.u16();
  run.role->anim.qq = 0;
  return tick_anim(run);
}

SliceResult ai_set_qq(AiRun& run) {
  std::uint16_t qq = run.cur.u16();
  run.role->anim.qq = qq;
  if (std::uint16_t* v3 = role_var(*run.role, 3)) *v3 = qq;
  return tick_anim(run);
}

SliceResult ai_keep_delay(AiRun& run) {
  std::uint16_t delay = run.cur.u16();
  run.role->anim.control |= act_control_keep_delay;
  run.role->anim.delay = delay;
  run.role->anim.delay_count = static_cast<std::int16_t>(delay);
  return tick_anim(run);
}

SliceResult ai_free_delay(AiRun& run) {
  run.role->anim.control &= ~act_control_keep_delay;
  return tick_anim(run);
}

SliceResult ai_set_dir(AiRun& run) {
  run.role->DIR = run.cur.u16();
  return SliceResult::EndSlice;
}

SliceResult ai_set_speed(AiRun& run) {
  ai_walk_speed = run.cur.u16();
  return SliceResult::GoOn;
}

SliceResult ai_run_speed(AiRun&) {
  ai_walk_speed = 8.0f;
  return SliceResult::GoOn;
}

SliceResult ai_place(AiRun& run) {
  run.role->X = run.cur.u16();
  run.role->Y = run.cur.u16();
  run.role->Z = run.cur.u16();
  return SliceResult::EndSlice;
}

SliceResult ai_walk_to(AiRun& run) {
  RolePath p = path_for(run.role);
  for (float& t : p.target) t = run.cur.s16();
  if (run.cur.ok()) add_role_path(&p);
  return SliceResult::EndSlice;
}

SliceResult ai_wait_path(AiRun& run) {
  return (run.role->STATE & state_on_path) ? SliceResult::Wait : SliceResult::EndSlice;
}

SliceResult ai_hold_role(AiRun& run) { return hold(run, true); }
SliceResult ai_release_role(AiRun& run) { return hold(run, false); }

SliceResult ai_leave_map(AiRun& run) {
  MapRole& r = *run.role;
  del_role_path(r.RoleID);
  dec_map_cell_count(r.X, r.Y, r.Z);
  r.STATE |= state_off_map;
  return SliceResult::EndSlice;
}

SliceResult ai_return_map(AiRun& run) {
  run.role->STATE &= ~state_off_map;
  walk_role(run.role, 0.0f, 0.0f, 0.0f);
  return SliceResult::EndSlice;
}

SliceResult ai_set_bit_3(AiRun& run) { return set_state(run, state_bit_3, true); }
SliceResult ai_clear_bit_3(AiRun& run) { return set_state(run, state_bit_3, false); }

SliceResult ai_walk_frames(AiRun& run) {
  RolePath p = path_for(run.role);
  p.flags = path_walk_frames;
  p.dir = run.cur.u16();
  p.frame_count = run.cur.u16();
  p.height = static_cast<float>(run.cur.i32());
  if (!run.cur.ok()) return SliceResult::EndSlice;
  if (p.height != 0.0f) run.role->STATE |= state_rising;
  add_role_path(&p);
  return SliceResult::EndSlice;
}

SliceResult ai_walk_pose(AiRun& run) {
  RolePath p = path_for(run.role);
  for (float& t : p.target) t = run.cur.s16();
  p.end_qq = run.cur.s16();
  p.end_dir = run.cur.u16();
  if (run.cur.u16() == 1) p.flags = path_turn_to_end;
  if (run.cur.ok()) add_role_path(&p);
  return SliceResult::EndSlice;
}

SliceResult ai_wait_anim(AiRun& run) {
  run.cur.u16();
  std::uint16_t frame = run.cur.u16();
  const ActInstance& a = run.role->anim;
  bool over = frame > 0 ? a.frame >= frame : ((a.state & act_state_finished) || a.frame >= a.frame_max);
  return over ? SliceResult::EndSlice : SliceResult::Wait;
}

SliceResult ai_field_random(AiRun& run) {
  ai_random_jump(run);
  return SliceResult::EndSlice;
}

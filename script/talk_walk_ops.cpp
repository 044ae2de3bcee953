// Talk opcodes that move roles of the current map: jumps along an arc and the tests on them,
// turning toward another role or by an angle, a walk that ends in a pose, the distance test
// against the player, and the settings the next walk picks up. The roles these opcodes wait on
// or test are looked up first; a role not on the map is reported and never indexes the table.
#include <cmath>

#include "core/log.h"
#include "data/map_role.h"
#include "data/role_rows.h"
#include "field/field_controller.h"
#include "field/role_move.h"
#include "field/role_path.h"
#include "field/role_walk.h"
#include "g3d/act_animation.h"
#include "script/script_messages.h"
#include "script/talk_ops.h"
#include "script/talk_queue.h"

namespace {
constexpr std::uint16_t no_index = 0xFFFF;
constexpr std::uint16_t walking_qq = 8;
constexpr std::uint16_t gradual_turn = 1;
constexpr std::uint16_t turn_to_end = 1;  // opcode 137's turn operand
constexpr int pose_qq_var = 6;
constexpr float jump_gravity = 1.0f;
constexpr float full_turn = 360.0f;
constexpr std::uint32_t state_walks_while_turning = state_turns_back | state_player;  // bits 13 and 15
constexpr std::uint32_t state_talk_walk_free = state_bit_5 | state_in_talk | state_held;

// 找不到 %d 角色
constexpr const char* no_actor_message = "\xA7\xE4\xA4\xA3\xA8\xEC %d \xA8\xA4\xA6\xE2";
// [%d]號對話 [%d]號指令錯誤 找不到 RoleID=%d ,此角色不在此地圖內
constexpr const char* face_message =
    "[%d]\xB8\xB9\xB9\xEF\xB8\xDC [%d]\xB8\xB9\xAB\xFC\xA5O\xBF\xF9\xBB~ \xA7\xE4\xA4\xA3\xA8\xEC RoleID=%d ,"
    "\xA6\xB9\xA8\xA4\xA6\xE2\xA4\xA3\xA6""b\xA6\xB9\xA6""a\xB9\xCF\xA4\xBA";

// Where each event last reported the role opcode 97 waits for: one report per wait, not one per
// frame. The last entry serves an event outside the queue.
struct ReportedWait {
  const MapRole* ev = nullptr;
  unsigned generation = 0;
  std::size_t op_pos = 0;
};
ReportedWait reported_waits[talk_queue_capacity + 1];

bool first_report_here(const TalkRun& run) {
  const bool queued = run.slot >= 0 && run.slot < talk_queue_capacity;
  ReportedWait& last = reported_waits[queued ? run.slot : talk_queue_capacity];
  if (last.ev == run.ev && last.generation == run.generation && last.op_pos == run.op_pos) return false;
  last = {run.ev, run.generation, run.op_pos};
  return true;
}

// The live role of a RoleID; null (reported) when it is not on the map.
MapRole* role_or_report(const TalkRun& run, std::uint16_t id) {
  const std::uint16_t i = find_role(id);
  if (i != no_index) return &gmMapRole[i];
  report_talk_role(run, talk_role_not_found_message, id);
  return nullptr;
}

MapRole* player_role() {
  return player_role_index >= 0 && player_role_index < gmMapRoleCount ? &gmMapRole[player_role_index] : nullptr;
}

// A turn toward turn_dir: step by step by the field (mode 1), or at once.
void apply_turn(MapRole& r, std::uint16_t mode, std::uint32_t walks_while_turning) {
  if (mode == gradual_turn) {
    if (r.STATE & walks_while_turning) r.anim.qq = walking_qq;
    r.STATE |= state_turn_steps;
    set_role_turn(&r);
  } else {
    r.DIR = r.turn_dir;
  }
  *role_var(r, pose_qq_var) = 0;
}

// Waits while the role has the bit; a role not on the map is reported and passed.
SliceResult wait_while(TalkRun& run, std::uint32_t bit) {
  const std::uint16_t id = run.cur.u16();
  if (!run.cur.ok()) return SliceResult::EndSlice;
  const MapRole* r = role_or_report(run, id);
  return r && (r->STATE & bit) ? SliceResult::Wait : SliceResult::EndSlice;
}

void stop_jump(MapRole& r) {
  r.STATE &= ~state_jumping;
  r.jump = JumpMotion{};
}
}  // namespace

SliceResult talk_wait_role_act(TalkRun& run) {
  const std::uint16_t id = run.cur.u16();
  run.cur.u16();
  if (!run.cur.ok()) return SliceResult::EndSlice;
  const std::uint16_t i = find_role(id);
  if (i == no_index) {
    // The role may still come onto the map, so the wait goes on; it is reported once.
    if (first_report_here(run)) report_error(no_actor_message, id);
    return SliceResult::Wait;
  }
  return (gmMapRole[i].anim.state & act_state_finished) ? SliceResult::EndSlice : SliceResult::Wait;
}

SliceResult talk_jump_role(TalkRun& run) {
  const std::uint16_t id = run.cur.u16(), x = run.cur.u16(), y = run.cur.u16(), z = run.cur.u16(),
                      speed = run.cur.u16(), follow = run.cur.u16();
  if (!run.cur.ok()) return SliceResult::EndSlice;
  MapRole* r = role_or_report(run, id);
  if (!r) return SliceResult::EndSlice;
  camera_follow_role = follow > 0 ? static_cast<int>(r - gmMapRole) : 0;
  r->STATE |= state_jumping;
  r->jump = JumpMotion{};
  r->jump.start = {r->X, r->Y, r->Z, 0.0f};
  r->jump.target = {static_cast<float>(x), static_cast<float>(y), static_cast<float>(z), 0.0f};
  r->jump.speed = speed;
  r->jump.gravity = jump_gravity;
  return SliceResult::EndSlice;
}

SliceResult talk_wait_jump(TalkRun& run) { return wait_while(run, state_jumping); }
SliceResult talk_wait_turn(TalkRun& run) { return wait_while(run, state_turn_under_way); }

SliceResult talk_landed_jump(TalkRun& run) {
  const std::uint16_t id = run.cur.u16();
  if (!run.cur.ok()) return SliceResult::EndSlice;
  const MapRole* r = role_or_report(run, id);
  talk_jump_if(run, !r || !(r->STATE & state_jumping));  // a role that is not here is not jumping
  return SliceResult::EndSlice;
}

SliceResult talk_overlap_jump(TalkRun& run) {
  const std::uint16_t a_id = run.cur.u16(), b_id = run.cur.u16();
  if (!run.cur.ok()) return SliceResult::EndSlice;
  MapRole* a = role_or_report(run, a_id);
  MapRole* b = a ? role_or_report(run, b_id) : nullptr;
  const bool touch = a && b && test_role_overlap(a, 0.0f, 0.0f, 0.0f, b);
  if (touch) {
    stop_jump(*a);
    stop_jump(*b);
  }
  talk_jump_if(run, touch);
  return SliceResult::EndSlice;
}

SliceResult talk_face_role(TalkRun& run) {
  const std::uint16_t a_id = run.cur.u16(), b_id = run.cur.u16(), mode = run.cur.u16();
  if (!run.cur.ok()) return SliceResult::EndSlice;
  const std::uint16_t ai = find_role(a_id), bi = find_role(b_id);
  if (ai == no_index || bi == no_index) {
    report_talk_role(run, face_message, ai == no_index ? a_id : b_id);
    return SliceResult::EndSlice;
  }
  MapRole& a = gmMapRole[ai];
  const MapRole& b = gmMapRole[bi];
  // Two roles on one spot give no direction: A keeps its heading.
  float heading = a.DIR;
  ground_yaw(b.X - a.X, b.Z - a.Z, &heading);
  a.turn_dir = std::fmod(heading, full_turn);
  apply_turn(a, mode, state_walks_while_turning);
  return SliceResult::EndSlice;
}

SliceResult talk_turn_by(TalkRun& run) {
  const std::uint16_t id = run.cur.u16();
  const std::int32_t degrees = run.cur.i32();
  const std::uint16_t mode = run.cur.u16();
  if (!run.cur.ok()) return SliceResult::EndSlice;
  const std::uint16_t i = find_role(id);
  if (i == no_index) {
    if (!set_maps_role_dir(id, static_cast<std::uint16_t>(degrees)))
      report_talk_role(run, talk_role_not_found_message, id);
    return SliceResult::EndSlice;
  }
  MapRole& r = gmMapRole[i];
  const float dir = r.DIR;
  const std::uint16_t act = r.anim.act, qq = r.anim.qq;
  r.anim = ActInstance{};  // the animation restarts from its first frame
  r.anim.act = act;
  r.anim.qq = qq;
  Take_3dActData(&r.anim);
  r.DIR = dir;
  float to = std::fmod(r.turn_dir + static_cast<float>(degrees), full_turn);
  if (to < 0.0f) to += full_turn;
  r.turn_dir = to;
  apply_turn(r, mode, state_turns_back);
  return SliceResult::EndSlice;
}

SliceResult talk_walk_pose(TalkRun& run) {
  const std::uint16_t id = run.cur.u16();
  const std::int32_t x = run.cur.i32(), y = run.cur.i32(), z = run.cur.i32();
  const std::uint16_t end_qq = run.cur.u16(), end_dir = run.cur.u16(), turn = run.cur.u16();
  if (!run.cur.ok()) return SliceResult::EndSlice;
  const std::uint16_t i = find_role(id);
  if (i == no_index) {
    report_talk_role(run, talk_walker_not_found_message, id);
    return SliceResult::EndSlice;
  }
  MapRole& r = gmMapRole[i];
  r.AI = 0;
  del_role_path(id);
  RolePath p;
  p.role = &r;
  p.target[0] = static_cast<float>(x), p.target[1] = static_cast<float>(y), p.target[2] = static_cast<float>(z);
  p.end_qq = end_qq;
  p.end_dir = end_dir;
  p.speed = talk_walk_speed;
  p.height = next_path_y_step;
  p.walk_qq[0] = r.anim.qq;
  p.flags = path_talk_walk | path_end_pose;
  if (turn == turn_to_end) p.flags |= path_turn_to_end;
  if (next_path_y_step != 0.0f) p.flags |= path_view_follows;
  add_role_path(&p);
  next_path_y_step = 0.0f;
  *role_var(r, pose_qq_var) = 0;
  r.STATE &= ~state_talk_walk_free;
  return SliceResult::EndSlice;
}

SliceResult talk_near_jump(TalkRun& run) {
  const std::uint16_t id = run.cur.u16(), distance = run.cur.u16();
  if (!run.cur.ok()) return SliceResult::EndSlice;
  const MapRole* r = role_or_report(run, id);
  const MapRole* p = player_role();
  bool near = false;
  if (r && p) {
    // Squares in double: exact for whole coordinates, so a player right at the distance counts.
    const double dx = double(p->X) - r->X, dz = double(p->Z) - r->Z, d = distance;
    near = dx * dx + dz * dz <= d * d;
  }
  talk_jump_if(run, near);
  return near ? SliceResult::GoOn : SliceResult::EndSlice;
}

SliceResult talk_keep_player_dir(TalkRun&) {
  if (MapRole* p = player_role()) {
    p->kept_dir = p->DIR;
    keep_direction_word = 1;
  }
  return SliceResult::EndSlice;
}

SliceResult talk_path_y_step(TalkRun& run) {
  const std::uint16_t value = run.cur.u16();
  run.cur.u16();
  if (run.cur.ok()) next_path_y_step = value;
  return SliceResult::EndSlice;
}

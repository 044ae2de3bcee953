// Talk opcodes that direct the roles of the field: animation, facing, place and map, scripted
// walks, holding and releasing, taking off the map and back, the leader, the STATE bits the field
// reads, and a role's AI script. A role not on the current map is changed in its placement row
// where the opcode allows it.
#include <cmath>

#include "core/log.h"
#include "data/map_role.h"
#include "data/maps_lookups.h"
#include "data/role_rows.h"
#include "field/map_file.h"
#include "field/minimap.h"
#include "field/role_draw.h"
#include "field/role_move.h"
#include "field/role_path.h"
#include "field/role_walk.h"
#include "g3d/act_animation.h"
#include "script/script_messages.h"
#include "script/talk_ops.h"

float talk_walk_speed = talk_default_speed;
float next_path_y_step = 0.0f;

namespace {
constexpr std::uint16_t no_index = 0xFFFF;
constexpr std::uint16_t retired_role = 0xFFFF;  // takes an entry out of the current map's table
constexpr std::uint16_t walking_qq = 8;
constexpr std::uint16_t gradual_turn = 1;
constexpr std::uint16_t view_follows_flag = 1;  // opcode 31's flag operand
constexpr int move_qq_var = 5, pose_qq_var = 6;
constexpr std::uint16_t marked_role_first = 1130, marked_role_last = 1139;
constexpr float near_factor = 2.2f;  // opcode 31: B's x half-extents within which A stays
constexpr std::uint32_t state_kind_bits = state_turns_back | state_leader_kind | state_player;  // bits 13-15
constexpr std::uint32_t state_talk_walk_free = state_bit_5 | state_in_talk | state_held;
constexpr std::uint32_t state_holds_cell = state_bit_8 | state_turns_back | state_leader_kind;

// 對話%d 指令錯誤%d: 找不到指定之 角色ID%d,ACT=%d
constexpr const char* act_message =
    "\xB9\xEF\xB8\xDC%d \xAB\xFC\xA5O\xBF\xF9\xBB~%d: \xA7\xE4\xA4\xA3\xA8\xEC\xAB\xFC\xA9w\xA4\xA7 "
    "\xA8\xA4\xA6\xE2ID%d,ACT=%d";
// 對話%d 指令錯誤%d: 找不到指定之 角色ID%d,QQ=%d
constexpr const char* qq_message =
    "\xB9\xEF\xB8\xDC%d \xAB\xFC\xA5O\xBF\xF9\xBB~%d: \xA7\xE4\xA4\xA3\xA8\xEC\xAB\xFC\xA9w\xA4\xA7 "
    "\xA8\xA4\xA6\xE2ID%d,QQ=%d";
// 對話%d 指令錯誤 %d: 找不到指定之 角色ID%d
constexpr const char* delay_message =
    "\xB9\xEF\xB8\xDC%d \xAB\xFC\xA5O\xBF\xF9\xBB~ %d: \xA7\xE4\xA4\xA3\xA8\xEC\xAB\xFC\xA9w\xA4\xA7 "
    "\xA8\xA4\xA6\xE2ID%d";
// 對話[%d]指令錯誤[%d]:找不到指定之角色ID=[%d]
constexpr const char* turn_message =
    "\xB9\xEF\xB8\xDC[%d]\xAB\xFC\xA5O\xBF\xF9\xBB~[%d]:\xA7\xE4\xA4\xA3\xA8\xEC\xAB\xFC\xA9w\xA4\xA7"
    "\xA8\xA4\xA6\xE2ID=[%d]";
// 對話%d 指令錯誤%d: 找不到指定之 角色ID%d
constexpr const char* place_message =
    "\xB9\xEF\xB8\xDC%d \xAB\xFC\xA5O\xBF\xF9\xBB~%d: \xA7\xE4\xA4\xA3\xA8\xEC\xAB\xFC\xA9w\xA4\xA7 "
    "\xA8\xA4\xA6\xE2ID%d";
// 對話%d號 指令錯誤 %d: 找不到指定之角色ID(map:%d id%d)
constexpr const char* map_message =
    "\xB9\xEF\xB8\xDC%d\xB8\xB9 \xAB\xFC\xA5O\xBF\xF9\xBB~ %d: \xA7\xE4\xA4\xA3\xA8\xEC\xAB\xFC\xA9w\xA4\xA7"
    "\xA8\xA4\xA6\xE2ID(map:%d id%d)";
// 對話%d 指令錯誤%d: 找不到指定之 角色ID=%d
constexpr const char* walk_view_message =
    "\xB9\xEF\xB8\xDC%d \xAB\xFC\xA5O\xBF\xF9\xBB~%d: \xA7\xE4\xA4\xA3\xA8\xEC\xAB\xFC\xA9w\xA4\xA7 "
    "\xA8\xA4\xA6\xE2ID=%d";
// 對話%d 指令錯誤 %d: 找不到指定之 角色ID
constexpr const char* pair_message =
    "\xB9\xEF\xB8\xDC%d \xAB\xFC\xA5O\xBF\xF9\xBB~ %d: \xA7\xE4\xA4\xA3\xA8\xEC\xAB\xFC\xA9w\xA4\xA7 "
    "\xA8\xA4\xA6\xE2ID";
// Talk%d 指令%d錯誤 : 找不到指定之 角色ID:%d
constexpr const char* talk_role_message =
    "Talk%d \xAB\xFC\xA5O%d\xBF\xF9\xBB~ : \xA7\xE4\xA4\xA3\xA8\xEC\xAB\xFC\xA9w\xA4\xA7 \xA8\xA4\xA6\xE2ID:%d";

MapRole* live_role(std::uint16_t id) {
  const std::uint16_t i = find_role(id);
  return i == no_index ? nullptr : &gmMapRole[i];
}


// The animation starts afresh from its first frame: nothing of the old one is kept.
void restart_anim(MapRole& r, std::uint16_t act, std::uint16_t qq) {
  clear_role_effects(&r);
  r.anim = ActInstance{};
  r.anim.act = act;
  r.anim.qq = qq;
  r.STATE |= state_bit_5;
  Take_3dActData(&r.anim);
}

void settle(MapRole& r) { move_role(&r, 0.0f, 0.0f, 0.0f); }

// Which STATE bits an opcode clears and sets, and where: the live role's, its row's, or both.
struct BitChange {
  std::uint32_t clear = 0, set = 0;
};
enum class RowUse {
  with_live,       // the live role and its row; the row alone when the role is elsewhere
  only_elsewhere,  // the live role alone; the row when the role is elsewhere
  never,           // the live role alone; elsewhere is reported
};

// The row's bits (its low 16 STATE bits); false when the role has no row.
bool change_row_bits(std::uint16_t id, BitChange c) {
  const bool found = set_maps_role_state(id, static_cast<std::uint16_t>(c.clear), 0) == 1;
  if (found && c.set) set_maps_role_state(id, static_cast<std::uint16_t>(c.set), 1);
  return found;
}

SliceResult change_bits(TalkRun& run, std::uint16_t id, BitChange c, RowUse row, const char* message) {
  if (!run.cur.ok()) return SliceResult::GoOn;
  if (MapRole* r = live_role(id)) {
    r->STATE = (r->STATE & ~c.clear) | c.set;
    if (row == RowUse::with_live) change_row_bits(id, c);
    return SliceResult::GoOn;
  }
  if (row == RowUse::never || !change_row_bits(id, c)) report_talk_role(run, message, id);
  return SliceResult::GoOn;
}

BitChange switch_bits(std::uint32_t bits, bool on) { return on ? BitChange{0, bits} : BitChange{bits, 0}; }

// A walk of a script: the role leaves its AI and its old path, and the talk no longer holds it.
RolePath talk_path(MapRole& r, float x, float y, float z, float view_height) {
  r.AI = 0;
  del_role_path(r.RoleID);
  RolePath p;
  p.role = &r;
  p.walk_qq[0] = r.anim.qq;
  p.target[0] = x, p.target[1] = y, p.target[2] = z;
  p.speed = talk_walk_speed;
  p.height = view_height;
  p.flags = path_talk_walk;
  return p;
}

void start_talk_path(MapRole& r, const RolePath& p) {
  add_role_path(&p);
  next_path_y_step = 0.0f;
  r.STATE &= ~state_talk_walk_free;
}

SliceResult walk_to_point(TalkRun& run, bool view_operand) {
  const std::uint16_t id = run.cur.u16();
  const float x = static_cast<float>(run.cur.i32()), y = static_cast<float>(run.cur.i32()),
              z = static_cast<float>(run.cur.i32());
  const float view = view_operand ? static_cast<float>(run.cur.u16()) : next_path_y_step;
  if (!run.cur.ok()) return SliceResult::EndSlice;
  MapRole* r = live_role(id);
  if (!r) {
    report_talk_role(run, view_operand ? walk_view_message : talk_walker_not_found_message, id);
    return SliceResult::EndSlice;
  }
  RolePath p = talk_path(*r, x, y, z, view);
  if (view_operand || view != 0.0f) p.flags |= path_view_follows;
  start_talk_path(*r, p);
  return SliceResult::EndSlice;
}

// The centre of the grid cell that holds the role; false (cell_pos kept) when a cell size is
// not positive, which would give no cell at all.
bool snap_cell_pos(MapRole& r) {
  for (float size : map_grid_cell)
    if (!(size > 0.0f)) return false;
  const float at[3] = {r.X, r.Y, r.Z};
  for (int i = 0; i < 3; ++i) {
    const float size = map_grid_cell[i];
    r.cell_centre[i] = std::floor(at[i] / size) * size + size / 2.0f;
  }
  return true;
}

void release_cell(const MapRole& r) { dec_map_cell_count(r.cell_centre[0], r.cell_centre[1], r.cell_centre[2]); }

void clear_cell_pos(MapRole& r) { r.cell_centre[0] = r.cell_centre[1] = r.cell_centre[2] = 0.0f; }
}  // namespace

SliceResult talk_set_act(TalkRun& run) {
  const std::uint16_t id = run.cur.u16(), act = run.cur.u16();
  if (!run.cur.ok()) return SliceResult::EndSlice;
  MapRole* r = live_role(id);
  if (!r) {
    if (!set_maps_role_act(id, act)) report_error(act_message, run.ev->TALK, run.op, id, act);
    return SliceResult::EndSlice;
  }
  restart_anim(*r, act, 0);
  r->anim_size = r->anim.box.max.x;
  settle(*r);
  read_maps_act(act, r->act_rows);
  return SliceResult::EndSlice;
}

SliceResult talk_set_qq(TalkRun& run) {
  const std::uint16_t id = run.cur.u16(), qq = run.cur.u16();
  if (!run.cur.ok()) return SliceResult::EndSlice;
  MapRole* r = live_role(id);
  if (!r) {
    if (!set_maps_role_qq(id, qq)) report_error(qq_message, run.ev->TALK, run.op, id, qq);
    return SliceResult::EndSlice;
  }
  restart_anim(*r, r->anim.act, qq);
  *role_var(*r, move_qq_var) = 0;
  *role_var(*r, pose_qq_var) = qq;
  if (qq == 0 || qq == walking_qq) r->anim_size = r->anim.box.max.x;
  settle(*r);
  return SliceResult::EndSlice;
}

SliceResult talk_keep_delay(TalkRun& run) {
  const std::uint16_t id = run.cur.u16(), delay = run.cur.u16();
  if (!run.cur.ok()) return SliceResult::EndSlice;
  MapRole* r = live_role(id);
  if (!r) {
    report_talk_role(run, delay_message, id);
    return SliceResult::EndSlice;
  }
  r->anim.control |= act_control_keep_delay;
  r->anim.delay = delay;
  r->anim.delay_count = static_cast<std::int16_t>(delay);
  Take_3dActData(&r->anim);
  return SliceResult::EndSlice;
}

SliceResult talk_free_delay(TalkRun& run) {
  const std::uint16_t id = run.cur.u16();
  if (!run.cur.ok()) return SliceResult::EndSlice;
  MapRole* r = live_role(id);
  if (!r) {
    report_talk_role(run, delay_message, id);
    return SliceResult::EndSlice;
  }
  r->anim.control &= ~act_control_keep_delay;
  Take_3dActData(&r->anim);
  return SliceResult::EndSlice;
}

SliceResult talk_turn_role(TalkRun& run) {
  const std::uint16_t id = run.cur.u16(), dir = run.cur.u16(), mode = run.cur.u16();
  if (!run.cur.ok()) return SliceResult::EndSlice;
  MapRole* r = live_role(id);
  if (!r) {
    if (!set_maps_role_dir(id, dir)) report_talk_role(run, turn_message, id);
    return SliceResult::EndSlice;
  }
  r->turn_dir = dir;
  if (mode == gradual_turn) {
    if (r->STATE & state_turns_back) r->anim.qq = walking_qq;
    r->STATE |= state_turn_steps;
    set_role_turn(r);  // the field turns it from DIR frame by frame
  } else {
    r->DIR = r->turn_dir;
  }
  *role_var(*r, pose_qq_var) = 0;
  return SliceResult::EndSlice;
}

SliceResult talk_set_walk_speed(TalkRun& run) {
  const std::uint16_t speed = run.cur.u16();
  if (run.cur.ok()) talk_walk_speed = speed;
  return SliceResult::EndSlice;
}

SliceResult talk_default_walk_speed(TalkRun&) {
  talk_walk_speed = talk_default_speed;
  return SliceResult::EndSlice;
}

SliceResult talk_place_role(TalkRun& run) {
  const std::uint16_t id = run.cur.u16();
  const std::int32_t x = run.cur.i32(), y = run.cur.i32(), z = run.cur.i32();
  if (!run.cur.ok()) return SliceResult::EndSlice;
  MapRole* r = live_role(id);
  if (!r) {
    report_talk_role(run, place_message, id);
    return SliceResult::EndSlice;
  }
  del_role_path(id);
  r->X = static_cast<float>(x), r->Y = static_cast<float>(y), r->Z = static_cast<float>(z);
  settle(*r);
  return SliceResult::EndSlice;
}

SliceResult talk_move_to_map(TalkRun& run) {
  const std::uint16_t id = run.cur.u16(), map = run.cur.u16();
  const float x = static_cast<float>(run.cur.i32()), y = static_cast<float>(run.cur.i32()),
              z = static_cast<float>(run.cur.i32());
  if (!run.cur.ok()) return SliceResult::EndSlice;
  set_maps_role_map(id, map);
  set_maps_role_xyz(id, x, y, z);
  std::uint16_t i = find_role(id);
  if (map != map_record.map_number) {
    if (i == no_index) return SliceResult::EndSlice;
    gmMapRole[i].RoleID = retired_role;
  } else {
    if (i == no_index) {
      add_maps_role(map, id);
      i = find_role(id);
    }
    if (i == no_index) {
      report_error(map_message, run.ev->TALK, run.op, map, id);
      return SliceResult::EndSlice;
    }
    MapRole& r = gmMapRole[i];
    r.X = x, r.Y = y, r.Z = z;
    settle(r);
  }
  read_maps_act(gmMapRole[i].anim.act, gmMapRole[i].act_rows);
  apply_maps_role_scale(&gmMapRole[i]);
  return SliceResult::EndSlice;
}

SliceResult talk_walk_to(TalkRun& run) { return walk_to_point(run, false); }
SliceResult talk_walk_view(TalkRun& run) { return walk_to_point(run, true); }

SliceResult talk_walk_up_to(TalkRun& run) {
  const std::uint16_t a_id = run.cur.u16(), b_id = run.cur.u16(), flag = run.cur.u16();
  if (!run.cur.ok()) return SliceResult::EndSlice;
  MapRole* a = live_role(a_id);
  MapRole* b = live_role(b_id);
  if (!a || !b) {
    report_error(pair_message, run.ev->TALK, run.op);
    return SliceResult::EndSlice;
  }
  a->AI = b->AI = 0;
  const float dx = b->X - a->X, dz = b->Z - a->Z;
  const float len = std::sqrt(dx * dx + dz * dz);
  const G3dBox& box = b->anim.box;
  // Two roles on one spot have no direction to walk in: A stays.
  if (!(len > near_factor * box.max.x) || !(len > 0.0f)) return SliceResult::EndSlice;
  const float ux = dx / len, uz = dz / len;
  RolePath p = talk_path(*a, b->X - 2.0f * ux * box.max.x, b->Y, b->Z - 2.0f * uz * box.max.z, 0.0f);
  if (flag == view_follows_flag) p.flags |= path_view_follows;
  start_talk_path(*a, p);
  return SliceResult::EndSlice;
}

SliceResult talk_wait_path(TalkRun& run) {
  const std::uint16_t id = run.cur.u16();
  if (!run.cur.ok()) return SliceResult::EndSlice;
  const MapRole* r = live_role(id);
  if (!r) {
    // A role that is not here never ends a path: waiting would hold the talk for good.
    report_talk_role(run, delay_message, id);
    return SliceResult::EndSlice;
  }
  return (r->STATE & state_on_path) ? SliceResult::Wait : SliceResult::EndSlice;
}

SliceResult talk_hold_role(TalkRun& run) {
  const std::uint16_t id = run.cur.u16();
  return change_bits(run, id, {0, state_held}, RowUse::never, talk_role_not_found_message);
}

SliceResult talk_release_role(TalkRun& run) {
  const std::uint16_t id = run.cur.u16();
  if (!run.cur.ok()) return SliceResult::GoOn;
  if (MapRole* r = live_role(id)) r->STATE &= ~state_held;
  else report_error(pair_message, run.ev->TALK, run.op);
  return SliceResult::GoOn;
}

SliceResult talk_take_off_map(TalkRun& run) {
  const std::uint16_t id = run.cur.u16();
  if (!run.cur.ok()) return SliceResult::GoOn;
  if (MapRole* r = live_role(id)) {
    del_role_path(id);
    if (r->STATE & state_holds_cell) dec_map_cell_count(r->X, r->Y, r->Z);
    clear_cell_pos(*r);
    clear_role_effects(r);
    if (id >= marked_role_first && id <= marked_role_last) minimap.RemoveMarker(id);
  }
  return change_bits(run, id, {0, state_off_map}, RowUse::with_live, talk_role_not_found_message);
}

SliceResult talk_put_back(TalkRun& run) {
  const std::uint16_t id = run.cur.u16();
  if (!run.cur.ok()) return SliceResult::GoOn;
  if (MapRole* r = live_role(id)) {
    clear_cell_pos(*r);
    r->STATE &= ~state_off_map;
    walk_role(r, 0.0f, 0.0f, 0.0f);
  }
  return change_bits(run, id, {state_off_map, 0}, RowUse::with_live, talk_role_not_found_message);
}

SliceResult talk_set_bit_3(TalkRun& run) {
  const std::uint16_t id = run.cur.u16();
  if (!run.cur.ok()) return SliceResult::GoOn;
  if (MapRole* r = live_role(id)) clear_role_effects(r);
  return change_bits(run, id, {0, state_bit_3}, RowUse::only_elsewhere, talk_role_not_found_message);
}

SliceResult talk_clear_bit_3(TalkRun& run) {
  const std::uint16_t id = run.cur.u16();
  return change_bits(run, id, {state_bit_3, 0}, RowUse::only_elsewhere, talk_role_not_found_message);
}

SliceResult talk_make_leader(TalkRun& run) {
  const std::uint16_t id = run.cur.u16();
  if (!run.cur.ok()) return SliceResult::GoOn;
  const std::uint16_t i = find_role(id);
  if (i == no_index) {
    report_talk_role(run, talk_role_not_found_message, id);
    return SliceResult::GoOn;
  }
  // A leader index outside the table names no role whose bit could be cleared.
  if (player_role_index >= 0 && player_role_index < gmMapRoleCount) {
    MapRole& old = gmMapRole[player_role_index];
    old.STATE &= ~state_player;
    set_maps_role_state(old.RoleID, static_cast<std::uint16_t>(state_player), 0);
  }
  MapRole& r = gmMapRole[i];
  r.STATE &= ~state_kind_bits;
  player_role_index = i;
  r.STATE |= state_leader_kind | state_player;
  change_row_bits(id, {state_kind_bits, state_leader_kind | state_player});
  return SliceResult::GoOn;
}

SliceResult talk_kind_14(TalkRun& run) {
  const std::uint16_t id = run.cur.u16();
  return change_bits(run, id, {state_kind_bits, state_leader_kind}, RowUse::with_live, talk_role_not_found_message);
}

SliceResult talk_kind_13(TalkRun& run) {
  const std::uint16_t id = run.cur.u16();
  return change_bits(run, id, {state_kind_bits, state_turns_back}, RowUse::with_live, talk_role_not_found_message);
}

SliceResult talk_clear_kind(TalkRun& run) {
  const std::uint16_t id = run.cur.u16();
  return change_bits(run, id, {state_kind_bits, 0}, RowUse::with_live, talk_role_not_found_message);
}

SliceResult talk_bit_5(TalkRun& run) {
  const std::uint16_t id = run.cur.u16(), on = run.cur.u16();
  return change_bits(run, id, switch_bits(state_bit_5, on != 0), RowUse::with_live, talk_role_not_found_message);
}

SliceResult talk_bit_1(TalkRun& run) {
  const std::uint16_t id = run.cur.u16(), on = run.cur.u16();
  if (!run.cur.ok()) return SliceResult::GoOn;
  if (!live_role(id)) {
    report_talk_role(run, talk_role_message, id);
    return SliceResult::GoOn;
  }
  return change_bits(run, id, switch_bits(state_pushable, on != 0), RowUse::with_live, talk_role_message);
}

SliceResult talk_occupy_cell(TalkRun& run) {
  const std::uint16_t id = run.cur.u16(), occupy = run.cur.u16();
  if (!run.cur.ok()) return SliceResult::GoOn;
  if (MapRole* r = live_role(id)) {
    if (!(r->STATE & state_no_cell)) release_cell(*r);
    if (occupy) snap_cell_pos(*r);
  }
  return change_bits(run, id, switch_bits(state_no_cell, occupy == 0), RowUse::with_live,
                     talk_role_not_found_message);
}

SliceResult talk_bit_2(TalkRun& run) {
  const std::uint16_t id = run.cur.u16(), on = run.cur.u16();
  return change_bits(run, id, switch_bits(state_pass_through, on != 0), RowUse::with_live,
                     talk_role_not_found_message);
}

SliceResult talk_move_to_role(TalkRun& run) {
  const std::uint16_t a_id = run.cur.u16(), b_id = run.cur.u16();
  if (!run.cur.ok()) return SliceResult::GoOn;
  MapRole* a = live_role(a_id);
  const MapRole* b = live_role(b_id);
  if (!a) report_talk_role(run, talk_role_message, a_id);
  if (!b) report_talk_role(run, talk_role_message, b_id);
  if (!a || !b) return SliceResult::GoOn;
  a->X = b->X, a->Y = b->Y, a->Z = b->Z;
  walk_role(a, 0.0f, 0.0f, 0.0f);
  return SliceResult::GoOn;
}

SliceResult talk_set_role_ai(TalkRun& run) {
  const std::uint16_t id = run.cur.u16(), ai = run.cur.u16();
  if (!run.cur.ok()) return SliceResult::GoOn;
  MapRole* r = live_role(id);
  if (!r) {
    report_talk_role(run, talk_role_message, id);
    return SliceResult::GoOn;
  }
  r->AI = ai;
  r->ai_start = r->ai_offset = 0;  // the new script starts afresh on its next run
  return SliceResult::GoOn;
}

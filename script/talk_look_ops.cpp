// Talk opcodes of how a role looks and behaves without moving: its expression and weapon
// animations, a fade of its opacity, a held pose, its size, its AI and talk numbers, and single
// bits of its STATE and flagEx. A role on the current map changes live; a role elsewhere changes
// in its placement row, so that the change holds when its map is entered.
#include <algorithm>

#include "core/log.h"
#include "data/map_role.h"
#include "data/party.h"
#include "data/role_rows.h"
#include "data/role_vars.h"
#include "field/role_draw.h"
#include "field/role_move.h"
#include "field/role_path.h"
#include "g3d/model_cache.h"
#include "g3d/ply_model.h"
#include "script/talk_ops.h"
#include "script/talk_queue.h"

int expression_mark = 0;

namespace {
// 對話%d 指令錯誤 %d: 找不到指定之 角色ID=%d
constexpr const char* no_role_message =
    "\xB9\xEF\xB8\xDC%d \xAB\xFC\xA5O\xBF\xF9\xBB~ %d: \xA7\xE4\xA4\xA3\xA8\xEC\xAB\xFC\xA9w\xA4\xA7 "
    "\xA8\xA4\xA6\xE2ID=%d";
// 對話[%d]指令錯誤120: 找不到指定之 角色ID%d,
constexpr const char* no_expression_role_message =
    "\xB9\xEF\xB8\xDC[%d]\xAB\xFC\xA5O\xBF\xF9\xBB~120: \xA7\xE4\xA4\xA3\xA8\xEC\xAB\xFC\xA9w\xA4\xA7 "
    "\xA8\xA4\xA6\xE2ID%d,";
// 對話%d 指令錯誤%d: 找不到指定之角色ID=%d
constexpr const char* no_weapon_role_message =
    "\xB9\xEF\xB8\xDC%d \xAB\xFC\xA5O\xBF\xF9\xBB~%d: \xA7\xE4\xA4\xA3\xA8\xEC\xAB\xFC\xA9w\xA4\xA7"
    "\xA8\xA4\xA6\xE2ID=%d";
// 對話%d 指令錯誤%d: 找不到指定之 角色ID%d,QQ=%d
constexpr const char* no_pose_role_message =
    "\xB9\xEF\xB8\xDC%d \xAB\xFC\xA5O\xBF\xF9\xBB~%d: \xA7\xE4\xA4\xA3\xA8\xEC\xAB\xFC\xA9w\xA4\xA7 "
    "\xA8\xA4\xA6\xE2ID%d,QQ=%d";
// [角色%d][武器ACT:%d QQ:%d]動作資料錯誤!!
constexpr const char* weapon_message =
    "[\xA8\xA4\xA6\xE2%d][\xAAZ\xBE\xB9""ACT:%d QQ:%d]\xB0\xCA\xA7@\xB8\xEA\xAE\xC6\xBF\xF9\xBB~!!";

constexpr unsigned expression_material = 5;
constexpr std::uint16_t flagex_kept = 0x1;   // bit 0: the role keeps its looks when a talk ends
constexpr std::uint16_t leader_role = 1;
constexpr std::uint16_t show_weapon_on = 1;
constexpr std::uint16_t leader_weapon_qq = 1;
constexpr int pose_qq_var = role_var_qq_when_finished;
constexpr std::uint8_t fade_step_least = 2;  // a step of 1 never meets an odd distance
constexpr std::uint8_t fade_step_done = 255;  // keeps a finished fade's alpha on the role
constexpr std::uint8_t alpha_opaque = 255;
// The row keeps the scale as a signed 16-bit hundredth.
constexpr std::int32_t percent_least = -32768, percent_most = 32767;

MapRole* live_role(std::uint16_t role_id) {
  const std::uint16_t i = find_role(role_id);
  return i == 0xFFFF ? nullptr : &gmMapRole[i];
}

void report_no_role(const TalkRun& run, std::uint16_t role_id) { report_talk_role(run, no_role_message, role_id); }

// The placement row's flagEx with bit 0 cleared; false when the role has no row.
bool clear_row_flagex(std::uint16_t role_id) {
  const long pos = find_maps_role_row(role_id);
  if (pos < 0) return false;
  MapsRoleRow row = read_maps_role_row(static_cast<std::size_t>(pos));
  row.flagEx = static_cast<std::uint16_t>(row.flagEx & ~flagex_kept);
  write_maps_role_row(static_cast<std::size_t>(pos), row);
  return true;
}

// Opcodes 141 and 151: a STATE bit live and in the row, or in the row alone.
SliceResult state_bit(TalkRun& run, std::uint32_t bit) {
  const std::uint16_t role_id = run.cur.u16(), on = run.cur.u16();
  if (!run.cur.ok()) return SliceResult::EndSlice;
  const int row_found = set_maps_role_state(role_id, static_cast<std::uint16_t>(bit), on != 0 ? 1 : 0);
  if (MapRole* r = live_role(role_id)) {
    r->STATE = on != 0 ? r->STATE | bit : r->STATE & ~bit;
  } else if (!row_found) {
    report_no_role(run, role_id);
  }
  return SliceResult::EndSlice;
}

// Part 5 of the role's model gets back the texture the expression replaced.
void restore_expression_texture(MapRole& r) {
  if (r.expression_saved_key != 0 && r.anim.resource != 0)
    if (G3dPoly* model = GetPoly(r.anim.resource); model && expression_material < model->materials.size())
      model->materials[expression_material].tex_no = r.expression_saved_key;
  r.expression_saved_key = 0;
  r.expression_anim = ActInstance{};
}

// The record of a missing role reported by opcode 158, one per queue slot (and one for an event
// outside the queue): the wait goes on each slice, the report is given once.
struct WaitReport {
  bool given = false;
  unsigned generation = 0;
  std::uint32_t offset = 0;
};
WaitReport wait_reports[talk_queue_capacity + 1];

bool first_wait_report(const TalkRun& run) {
  WaitReport& w = wait_reports[run.slot >= 0 && run.slot < talk_queue_capacity ? run.slot : talk_queue_capacity];
  const auto offset = static_cast<std::uint32_t>(run.op_pos);
  if (w.given && w.generation == run.generation && w.offset == offset) return false;
  w = {true, run.generation, offset};
  return true;
}
}  // namespace

SliceResult talk_expression(TalkRun& run) {
  const std::uint16_t role_id = run.cur.u16(), act = run.cur.u16(), qq = run.cur.u16();
  if (!run.cur.ok()) return SliceResult::EndSlice;
  expression_mark = 1;
  MapRole* r = live_role(role_id);
  if (!r) {
    report_error(no_expression_role_message, run.ev->TALK, role_id);
    return SliceResult::EndSlice;
  }
  r->expression_anim.act = act;
  r->expression_anim.qq = qq;
  if (act == 0) restore_expression_texture(*r);
  return SliceResult::EndSlice;
}

SliceResult talk_set_ai(TalkRun& run) {
  const std::uint16_t role_id = run.cur.u16(), ai = run.cur.u16();
  if (!run.cur.ok()) return SliceResult::EndSlice;
  del_role_path(role_id);
  set_maps_role_ai(role_id, ai);
  if (MapRole* r = live_role(role_id)) {
    r->ai_start = r->ai_offset = 0;
    r->AI = ai;
    if (ai == 0) r->anim.qq = 0;
  }
  return SliceResult::EndSlice;
}

SliceResult talk_set_talk(TalkRun& run) {
  const std::uint16_t role_id = run.cur.u16(), talk = run.cur.u16();
  if (!run.cur.ok()) return SliceResult::EndSlice;
  if (MapRole* r = live_role(role_id)) r->TALK = talk;
  set_maps_role_talk(role_id, talk);
  return SliceResult::EndSlice;
}

SliceResult talk_flagex_on(TalkRun& run) {
  const std::uint16_t role_id = run.cur.u16();
  if (!run.cur.ok()) return SliceResult::EndSlice;
  if (MapRole* r = live_role(role_id)) r->flagEx |= flagex_kept;
  else if (!set_maps_role_flagex(role_id, flagex_kept)) report_no_role(run, role_id);
  return SliceResult::EndSlice;
}

SliceResult talk_flagex_off(TalkRun& run) {
  const std::uint16_t role_id = run.cur.u16();
  if (!run.cur.ok()) return SliceResult::EndSlice;
  if (MapRole* r = live_role(role_id)) r->flagEx = static_cast<std::uint16_t>(r->flagEx & ~flagex_kept);
  else if (!clear_row_flagex(role_id)) report_no_role(run, role_id);
  return SliceResult::EndSlice;
}

SliceResult talk_weapon_ani(TalkRun& run) {
  const std::uint16_t role_id = run.cur.u16(), act = run.cur.u16(), qq = run.cur.u16(), show = run.cur.u16();
  if (!run.cur.ok()) return SliceResult::EndSlice;
  MapRole* r = live_role(role_id);
  if (!r) {
    report_talk_role(run, no_weapon_role_message, role_id);
    return SliceResult::EndSlice;
  }
  ActInstance& w = r->weapon_anim;
  w.act = act;
  w.qq = qq;
  *role_var(*r, role_var_show_weapon) = show;
  if (show != show_weapon_on) return SliceResult::EndSlice;
  if (act == 0 && qq == 0 && r->RoleID == leader_role) {
    // The leader shows the weapon the first party character holds.
    w.act = gmRoleData[0].equip[0];
    w.qq = leader_weapon_qq;
  }
  if (Take_3dActData(&w) != 1) report_error(weapon_message, r->RoleID, w.act, w.qq);
  return SliceResult::EndSlice;
}

SliceResult talk_keep_qq(TalkRun& run) { return state_bit(run, state_keep_qq); }

SliceResult talk_bit_7(TalkRun& run) { return state_bit(run, state_no_shadow); }

SliceResult talk_role_fade(TalkRun& run) {
  const std::uint16_t role_id = run.cur.u16(), from = run.cur.u16(), to = run.cur.u16(), step = run.cur.u16();
  if (!run.cur.ok()) return SliceResult::EndSlice;
  MapRole* r = live_role(role_id);
  if (!r) {
    report_no_role(run, role_id);
    return SliceResult::EndSlice;
  }
  const auto target = static_cast<std::uint8_t>(to & 0xFF);
  std::uint8_t s = static_cast<std::uint8_t>(step & 0xFF);
  if (s == 0) {
    // A fade without a step would never move, and a wait on it never end: it ends at once. A
    // role left below full alpha keeps a step, which keeps it drawn at that alpha.
    r->fade_alpha = target;
    r->fade_target = 0;
    r->fade_running = 0;
    r->fade_step = target == alpha_opaque ? 0 : fade_step_done;
    return SliceResult::EndSlice;
  }
  if (s == 1) s = fade_step_least;
  r->fade_alpha = static_cast<std::uint8_t>(from & 0xFF);
  r->fade_target = target;
  r->fade_step = s;
  r->fade_running = 1;
  return SliceResult::EndSlice;
}

SliceResult talk_wait_role_fade(TalkRun& run) {
  const std::uint16_t role_id = run.cur.u16();
  if (!run.cur.ok()) return SliceResult::EndSlice;
  const MapRole* r = live_role(role_id);
  if (!r) {
    if (first_wait_report(run)) report_no_role(run, role_id);
    return SliceResult::Wait;
  }
  // Only a model role's drawing steps its fade: for any other kind there is nothing to wait for.
  const bool stepped = r->anim.kind == 0;
  if (stepped && (r->fade_target != 0 || r->fade_running)) return SliceResult::Wait;
  return SliceResult::EndSlice;
}

SliceResult talk_turned_to_talk(TalkRun& run) {
  const std::uint16_t value = run.cur.u16();
  if (!run.cur.ok()) return SliceResult::EndSlice;
  if (MapRole* r = live_role(run.ev->RoleID)) r->turned_to_talk = static_cast<std::uint8_t>(value & 0xFF);
  else report_no_role(run, run.ev->RoleID);
  return SliceResult::EndSlice;
}

SliceResult talk_bit_21(TalkRun& run) {
  const std::uint16_t role_id = run.cur.u16();
  if (!run.cur.ok()) return SliceResult::EndSlice;
  if (MapRole* r = live_role(role_id)) r->STATE |= state_keeps_facing;
  else report_no_role(run, role_id);
  return SliceResult::EndSlice;
}

SliceResult talk_role_scale(TalkRun& run) {
  const std::uint16_t role_id = run.cur.u16();
  const std::int32_t percent = run.cur.i32();
  if (!run.cur.ok()) return SliceResult::EndSlice;
  MapRole* r = live_role(role_id);
  if (!r) {
    report_no_role(run, role_id);
    return SliceResult::EndSlice;
  }
  // The row holds the scale in 16 bits; a larger one would come back from it with another sign.
  const std::int32_t kept = std::clamp(percent, percent_least, percent_most);
  r->scale = static_cast<float>(kept) / 100.0f;
  set_role_var_scale(role_id, r->scale);
  return SliceResult::EndSlice;
}

SliceResult talk_pose(TalkRun& run) {
  const std::uint16_t role_id = run.cur.u16(), qq = run.cur.u16(), value = run.cur.u16();
  if (!run.cur.ok()) return SliceResult::EndSlice;
  MapRole* r = live_role(role_id);
  if (!r) {
    if (!set_maps_role_qq(role_id, qq)) report_error(no_pose_role_message, run.ev->TALK, run.op, role_id, qq);
    return SliceResult::EndSlice;
  }
  clear_role_effects(r);
  const std::uint16_t act = r->anim.act;
  r->anim = ActInstance{};
  r->anim.act = act;
  r->anim.qq = qq;
  r->STATE |= state_bit_5;
  *role_var(*r, pose_qq_var) = static_cast<std::uint16_t>(value | role_var_pending);
  Take_3dActData(&r->anim);
  return SliceResult::EndSlice;
}

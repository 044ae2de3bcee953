// Talk opcodes of role variables, the party's items and money, and the settlement's residents.
#include "base/residents.h"
#include "battle/fame.h"
#include "core/log.h"
#include "data/map_role.h"
#include "data/party.h"
#include "data/role_vars.h"
#include "field/role_move.h"
#include "script/script_messages.h"
#include "script/script_values.h"
#include "script/talk_ops.h"

namespace {
// 對話%d 指令錯誤%d: 找不到指定之 角色ID%d
constexpr const char* no_role_message =
    "\xB9\xEF\xB8\xDC%d \xAB\xFC\xA5O\xBF\xF9\xBB~%d: \xA7\xE4\xA4\xA3\xA8\xEC\xAB\xFC\xA9w\xA4\xA7 "
    "\xA8\xA4\xA6\xE2ID%d";
constexpr int role_var_last = 8;  // the variable row holds variables 1-8
constexpr std::uint32_t var_cap = 0xFFFF;

struct VarOperands {
  std::uint16_t role_id = 0, v = 0, value = 0;
};

VarOperands read_var_operands(TalkRun& run) {
  VarOperands o;
  o.role_id = run.cur.u16();
  o.v = run.cur.u16();
  o.value = run.cur.u16();
  return o;
}

bool var_number_ok(TalkRun& run, std::uint16_t v) {
  if (v >= 1 && v <= role_var_last) return true;
  report_talk_role(run, talk_bad_number_message, v);
  return false;
}

// Variable v of the role on the map; null (reported) for a bad number or a role not on the map.
std::uint16_t* live_var(TalkRun& run, std::uint16_t role_id, std::uint16_t v) {
  if (!run.cur.ok() || !var_number_ok(run, v)) return nullptr;
  const std::uint16_t index = find_role(role_id);
  if (index == 0xFFFF) {
    report_talk_role(run, no_role_message, role_id);
    return nullptr;
  }
  return role_var(gmMapRole[index], v);
}

// The variable and its row take the same value.
void write_var(std::uint16_t* var, const VarOperands& o, std::uint16_t value) {
  *var = value;
  set_role_var_row(o.role_id, static_cast<std::uint16_t>(o.v - 1), value);
}

SliceResult var_jump(TalkRun& run, bool (*holds)(std::uint16_t var, std::uint16_t value)) {
  const VarOperands o = read_var_operands(run);
  const std::uint16_t* var = live_var(run, o.role_id, o.v);
  const bool take = var && holds(*var, o.value);
  talk_jump_if(run, take);
  return take ? SliceResult::GoOn : SliceResult::EndSlice;
}
}  // namespace

SliceResult talk_item_jump(TalkRun& run) {
  const std::uint16_t item = run.cur.u16(), count = run.cur.u16();
  talk_jump_if(run, run.cur.ok() && has_party_item(item, count));
  return SliceResult::GoOn;
}

SliceResult talk_money_below_jump(TalkRun& run) {
  const std::uint16_t amount = run.cur.u16();
  talk_jump_if(run, run.cur.ok() && party_money <= std::int32_t{amount});
  return SliceResult::GoOn;
}

SliceResult talk_resident_room_jump(TalkRun& run) {
  const bool take = has_free_resident_slot() != 0;
  talk_jump_if(run, take);
  return take ? SliceResult::GoOn : SliceResult::EndSlice;
}

SliceResult talk_add_resident(TalkRun& run) {
  const std::uint16_t monster = run.cur.u16();
  if (!run.cur.ok()) return SliceResult::EndSlice;
  add_resident(monster);
  fame_add(monster, 1, 0, 0);
  return SliceResult::EndSlice;
}

SliceResult talk_del_resident(TalkRun& run) {
  const std::uint16_t monster = run.cur.u16();
  if (run.cur.ok()) del_resident(monster);
  return SliceResult::EndSlice;
}

SliceResult talk_residents_jump(TalkRun& run) {
  const std::uint16_t a = run.cur.u16(), b = run.cur.u16();
  const bool take = run.cur.ok() && is_resident(a) && is_resident(b);
  talk_jump_if(run, take);
  return take ? SliceResult::GoOn : SliceResult::EndSlice;
}

SliceResult talk_set_var(TalkRun& run) {
  const VarOperands o = read_var_operands(run);
  if (std::uint16_t* var = live_var(run, o.role_id, o.v)) write_var(var, o, o.value);
  return SliceResult::GoOn;
}

SliceResult talk_add_var(TalkRun& run) {
  const VarOperands o = read_var_operands(run);
  if (!run.cur.ok() || !var_number_ok(run, o.v)) return SliceResult::GoOn;
  const std::uint16_t index = find_role(o.role_id);
  if (index == 0xFFFF) {
    // A role elsewhere keeps its count in its row.
    add_role_var_row(o.role_id, static_cast<std::uint16_t>(o.v - 1), o.value);
    return SliceResult::GoOn;
  }
  std::uint16_t* var = role_var(gmMapRole[index], o.v);
  const std::uint32_t sum = std::uint32_t{*var} + o.value;
  write_var(var, o, static_cast<std::uint16_t>(sum > var_cap ? var_cap : sum));
  return SliceResult::GoOn;
}

SliceResult talk_sub_var(TalkRun& run) {
  const VarOperands o = read_var_operands(run);
  if (std::uint16_t* var = live_var(run, o.role_id, o.v))
    write_var(var, o, static_cast<std::uint16_t>(*var > o.value ? *var - o.value : 0));
  return SliceResult::GoOn;
}

SliceResult talk_var_at_least_jump(TalkRun& run) {
  return var_jump(run, [](std::uint16_t var, std::uint16_t value) { return var >= value; });
}

SliceResult talk_var_at_most_jump(TalkRun& run) {
  return var_jump(run, [](std::uint16_t var, std::uint16_t value) { return var <= value; });
}

SliceResult talk_var_equal_jump(TalkRun& run) {
  return var_jump(run, [](std::uint16_t var, std::uint16_t value) { return var == value; });
}

SliceResult talk_script_value_var(TalkRun& run) {
  VarOperands o;
  const std::uint16_t k = run.cur.u16();
  o.role_id = run.cur.u16();
  o.v = run.cur.u16();
  if (!run.cur.ok()) return SliceResult::EndSlice;
  if (k >= script_value_count) {
    report_talk_role(run, talk_bad_number_message, k);
    return SliceResult::EndSlice;
  }
  if (std::uint16_t* var = live_var(run, o.role_id, o.v))
    write_var(var, o, static_cast<std::uint16_t>(script_values[k] & 0xFFFF));
  return SliceResult::EndSlice;
}

// Talk opcodes of the party's money, resources, bag, arts, health and treasures.
#include <algorithm>
#include <limits>

#include "base/resources.h"
#include "battle/fame.h"
#include "core/flags.h"
#include "core/game_flags.h"
#include "core/log.h"
#include "data/equip_bonus.h"
#include "data/item_list.h"
#include "data/map_role.h"
#include "data/party.h"
#include "script/script_messages.h"
#include "script/script_values.h"
#include "script/talk_ops.h"

namespace {
// healing 角色ID為不在1到4之間!!
constexpr const char* heal_member_message = "healing \xA8\xA4\xA6\xE2ID\xAC\xB0\xA4\xA3\xA6""b1\xA8\xEC""4\xA4\xA7\xB6\xA1!!";
constexpr int art_members = 3;  // members 1-3 have art lists
constexpr std::uint16_t treasure_event_talk = 1;

// base + delta, worked out wide: at most high, then at least 0.
std::int64_t add_clamped(std::int64_t base, std::int64_t delta, std::int64_t high) {
  return std::max<std::int64_t>(0, std::min(base + delta, high));
}

SliceResult add_to(std::int32_t& counter, TalkRun& run, int sign) {
  const std::int32_t amount = run.cur.i32();
  if (run.cur.ok())
    counter = static_cast<std::int32_t>(
        add_clamped(counter, std::int64_t{amount} * sign, std::numeric_limits<std::int32_t>::max()));
  return SliceResult::EndSlice;
}

// MP and SP take the low 16 bits of their operand as a signed change.
std::int16_t add_points(std::int16_t points, std::int32_t change, std::int16_t maximum) {
  return static_cast<std::int16_t>(add_clamped(points, static_cast<std::int16_t>(change), maximum));
}
}  // namespace

SliceResult talk_heal(TalkRun& run) {
  const std::uint16_t member = run.cur.u16();
  const std::int32_t hp = run.cur.i32(), mp = run.cur.i32(), sp = run.cur.i32();
  if (!run.cur.ok()) return SliceResult::EndSlice;
  if (member < 1 || member > party_record_count) {
    report_error("%s", heal_member_message);
    return SliceResult::EndSlice;
  }
  RoleData& r = gmRoleData[member - 1];
  r.flags &= ~1;  // no longer knocked out
  r.hp = static_cast<std::int32_t>(add_clamped(r.hp, hp, r.max_hp));
  r.mp = add_points(r.mp, mp, r.max_mp);
  r.sp = add_points(r.sp, sp, r.max_sp);
  return SliceResult::EndSlice;
}

SliceResult talk_script_value_0(TalkRun& run) {
  const std::uint16_t value = run.cur.u16();
  if (run.cur.ok()) script_values[0] = value;
  return SliceResult::EndSlice;
}

SliceResult talk_battle_sequence(TalkRun& run) {
  std::uint16_t w[1 + script_value_map_count];
  for (std::uint16_t& v : w) v = run.cur.u16();
  if (!run.cur.ok()) return SliceResult::EndSlice;
  script_values[script_value_battles_left] = w[0];
  for (int i = 0; i < script_value_map_count; ++i) script_values[script_value_first_map + i] = w[1 + i];
  set_flag(flag_battle_sequence);
  return SliceResult::EndSlice;
}

SliceResult talk_treasure_event(TalkRun&) {
  treasure_event(treasure_event_talk, 1, 0);
  return SliceResult::EndSlice;
}

SliceResult talk_fame_cleared(TalkRun&) {
  fame_block.cleared = 1;
  save_fame();
  return SliceResult::EndSlice;
}

SliceResult talk_learn_art(TalkRun& run) {
  const std::uint16_t member = run.cur.u16(), art = run.cur.u16();
  if (!run.cur.ok()) return SliceResult::EndSlice;
  if (member < 1 || member > art_members) {
    report_error(talk_bad_number_message, run.ev->TALK, run.op, member);
    return SliceResult::EndSlice;
  }
  ItemNode* arts = &gmRoleData[member - 1].arts;
  add_item(arts, art, 1, 1);
  sort_item_list(arts);
  return SliceResult::EndSlice;
}

SliceResult talk_raise_treasures(TalkRun& run) {
  const std::uint16_t n = run.cur.u16();
  if (run.cur.ok()) raise_treasure_levels(n);
  return SliceResult::EndSlice;
}

SliceResult talk_money_jump(TalkRun& run) {
  const std::int32_t amount = run.cur.i32();
  const bool take = run.cur.ok() && party_money >= amount;
  talk_jump_if(run, take);
  return take ? SliceResult::GoOn : SliceResult::EndSlice;
}

SliceResult talk_add_money(TalkRun& run) { return add_to(party_money, run, 1); }
SliceResult talk_pay_money(TalkRun& run) { return add_to(party_money, run, -1); }
SliceResult talk_add_wood(TalkRun& run) { return add_to(party_wood, run, 1); }
SliceResult talk_add_metal(TalkRun& run) { return add_to(party_metal, run, 1); }
SliceResult talk_add_coal(TalkRun& run) { return add_to(party_coal, run, 1); }

SliceResult talk_add_item(TalkRun& run) {
  const std::uint16_t object = run.cur.u16(), n = run.cur.u16();
  if (run.cur.ok()) add_item(&party_bag, object, n, 1);
  return SliceResult::EndSlice;
}

SliceResult talk_del_item(TalkRun& run) {
  const std::uint16_t object = run.cur.u16(), n = run.cur.u16();
  if (run.cur.ok()) del_item(&party_bag, object, n);
  return SliceResult::EndSlice;
}

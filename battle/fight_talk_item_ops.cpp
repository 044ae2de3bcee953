// Fight-talk commands on the party's items and resources.
#include <algorithm>
#include <cstdint>

#include "base/resources.h"
#include "battle/fight_globals.h"
#include "battle/fight_result.h"
#include "battle/fight_talk_ops.h"
#include "core/log.h"
#include "data/item_list.h"
#include "data/party.h"

namespace {
// "Fight Talk指令,刪除(%d)物品錯誤!!"
constexpr char delete_failed[] = "Fight Talk\xAB\xFC\xA5O,\xA7R\xB0\xA3(%d)\xAA\xAB\xAB~\xBF\xF9\xBB~!!";

// Amounts stay within what the 32-bit counts hold.
std::int32_t clamped(std::int64_t v) { return std::int32_t(std::clamp<std::int64_t>(v, INT32_MIN, INT32_MAX)); }
void add_floored(std::int32_t& have, std::int32_t amount) { have = clamped(std::max<std::int64_t>(0, std::int64_t(have) + amount)); }
}  // namespace

SliceResult fight_talk_if_item(FightTalkRun& run) {
  const std::uint16_t item = run.cur.u16(), n = run.cur.u16();
  if (!run.cur.ok()) return SliceResult::EndSlice;
  const ItemNode* node = find_item(&party_bag, item);
  // Both counts of the bag's entry add up.
  const bool enough = node && node->count + node->new_count >= n;
  return fight_talk_jump_if(run, enough, SliceResult::EndSlice);
}

SliceResult fight_talk_if_poor(FightTalkRun& run) {
  const std::int32_t money = run.cur.i32(), wood = run.cur.i32(), metal = run.cur.i32(), coal = run.cur.i32();
  if (!run.cur.ok()) return SliceResult::EndSlice;
  const bool poor = party_money <= money && party_wood <= wood && party_metal <= metal && party_coal <= coal;
  return fight_talk_jump_if(run, poor, SliceResult::EndSlice);
}

// Money won waits for the results screen; money lost and the materials change at once.
SliceResult fight_talk_resources(FightTalkRun& run) {
  const std::int32_t money = run.cur.i32(), wood = run.cur.i32(), metal = run.cur.i32(), coal = run.cur.i32();
  if (!run.cur.ok()) return SliceResult::EndSlice;
  if (money > 0) battle_money = clamped(std::int64_t(battle_money) + money);
  else add_floored(party_money, money);
  add_floored(party_wood, wood);
  add_floored(party_metal, metal);
  add_floored(party_coal, coal);
  return SliceResult::EndSlice;
}

SliceResult fight_talk_give_item(FightTalkRun& run) {
  const std::uint16_t item = run.cur.u16(), n = run.cur.u16();
  if (run.cur.ok()) add_spoil(item, n);
  return SliceResult::EndSlice;
}

SliceResult fight_talk_take_item(FightTalkRun& run) {
  const std::uint16_t item = run.cur.u16(), n = run.cur.u16();
  if (run.cur.ok() && !del_item(&party_bag, item, n)) report_error(delete_failed, int(item));
  return SliceResult::EndSlice;
}

// The results' rules: experience shares, counting, level-ups and the money counted over.
#include "battle/fight_result.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <utility>

#include "base/resources.h"
#include "battle/fame.h"
#include "battle/fight_globals.h"
#include "battle/fight_man.h"
#include "data/item_list.h"
#include "data/level_tables.h"
#include "data/object_db.h"
#include "data/party.h"
#include "sound/sfx_bank.h"

std::int32_t result_exp_left[16] = {};
std::int16_t result_treasure_share[16] = {};
int result_exp_done = 0;
int result_levelup_slot = -1;
RoleData result_levelup_backup{};
int result_learned = 0;
char result_learned_name[32] = {};

namespace {
constexpr int level_up_sound = 503;

// A party member as the results count them: on the party side, not a guest, with a record.
RoleData* member_role(int k) {
  const FightMan& u = gmFightMan[k];
  return u.IsAlly() && !u.IsGuest() && u.GetRole() ? u.GetRole() : nullptr;
}

bool treasure_maxed(std::uint16_t id) {
  const FameNode* node = fame_find(id, fame_type_treasure);
  return node && node->maxed;
}

// The tenth of the experience a member's worn treasures take: what they receive each, and
// what the member gives up.
void share_with_treasures(const RoleData& r, std::int16_t* share, std::int32_t* given) {
  const std::uint16_t worn[2] = {r.equip[4], r.equip[5]};
  const int n = (worn[0] != 0) + (worn[1] != 0);
  if (n == 0) {
    *share = 0, *given = 0;
    return;
  }
  if (n == 1) {
    const std::uint16_t id = worn[0] ? worn[0] : worn[1];
    if (treasure_maxed(id)) *share = 0, *given = 0;
    else fame_add(id, *share, 0, fame_type_treasure);
    return;
  }
  const int maxed = treasure_maxed(worn[0]) + treasure_maxed(worn[1]);
  if (maxed == 2) *share = 0, *given = 0;
  else if (maxed == 0) *share = std::int16_t(*share / 2);
  for (std::uint16_t id : worn) fame_add(id, *share, 0, fame_type_treasure);
}
}  // namespace

void result_reset() {
  std::fill(std::begin(result_exp_left), std::end(result_exp_left), 0);
  std::fill(std::begin(result_treasure_share), std::end(result_treasure_share), 0);
  result_exp_done = 0;
  result_levelup_slot = -1;
  result_levelup_backup = RoleData{};
  result_learned = 0;
  std::memset(result_learned_name, 0, sizeof result_learned_name);
}

void result_divide_exp() {
  if (result_exp_done) return;
  for (int k = 0; k < fight_first_enemy; ++k) {
    result_exp_left[k] = 0;
    result_treasure_share[k] = 0;
    RoleData* r = member_role(k);
    if (!r || gmFightMan[k].IsDead()) continue;
    result_exp_left[k] = battle_exp;
    std::int16_t share = std::int16_t(battle_exp / 10);
    std::int32_t given = share;
    share_with_treasures(*r, &share, &given);
    result_exp_left[k] -= given;
    result_treasure_share[k] = share;
  }
  result_exp_done = 1;
  treasure_apply();
}

int result_count_exp() {
  int left = 0;
  for (int k = 0; k < fight_first_enemy; ++k) {
    RoleData* r = member_role(k);
    if (!r || gmFightMan[k].IsDead() || result_exp_left[k] <= 0) continue;
    const std::int32_t rest = result_exp_left[k];
    const std::int32_t step = rest > 3 ? rest / 4 : rest;
    result_exp_left[k] = rest - step;
    if (r->stats[stat_level] < result_level_cap) r->exp += step;
    left |= result_exp_left[k] > 0;
  }
  if (!left) battle_exp = 0;
  return left;
}

int result_next_level_up() {
  for (int k = 0; k < fight_first_enemy; ++k) {
    RoleData* r = member_role(k);
    if (!r || gmFightMan[k].IsDead()) continue;
    const std::uint16_t level = r->stats[stat_level];
    if (level >= result_level_cap || r->exp < r->next_exp) continue;
    play_sfx(level_up_sound, 1);
    result_levelup_backup = *r;
    r->stats[stat_level] = std::uint16_t(level + 1);
    result_levelup_slot = fight_party_slot[k];
    std::uint16_t spell = 0;
    apply_level_up(result_levelup_slot, r->stats[stat_level], r, &spell);
    if (spell) {
      result_learned = 1;
      if (const ItemNode* node = add_item(&r->arts, spell, 1, 1))
        std::memcpy(result_learned_name, node->item.NAME, sizeof result_learned_name - 1);
      sort_item_list(&r->arts);
    }
    return result_levelup_slot;
  }
  return -1;
}

int result_count_money() {
  for (auto [have, won] : {std::pair{&party_metal, battle_metal}, {&party_wood, battle_wood}, {&party_coal, battle_coal}})
    *have = std::int32_t(std::clamp<std::int64_t>(std::int64_t(*have) + won, 0, INT32_MAX));
  battle_metal = battle_wood = battle_coal = 0;
  if (battle_money == 0) return 0;
  const std::int32_t step = std::abs(battle_money) > 3 ? battle_money / 4 : battle_money;
  battle_money -= step;
  party_money = std::int32_t(std::clamp<std::int64_t>(std::int64_t(party_money) + step, 0, INT32_MAX));
  return battle_money != 0;
}

// Treasure growth: conversions of growth points, levels from experience, the events that feed
// the treasures a party wears and the settlement that hands the bonuses over.
#include "battle/fame_treasure.h"

#include <cstdio>

#include "core/flags.h"
#include "data/object_db.h"
#include "data/party.h"
#include "data/role_data.h"
#include "sound/sfx_bank.h"
#include "ui/talk_msg.h"

namespace {
enum BonusEntry { bonus_hp, bonus_mp, bonus_sp, bonus_attack, bonus_defence, bonus_speed, bonus_magic_attack,
                  bonus_magic_defence };
constexpr std::uint16_t top_level = 10;
constexpr std::uint16_t speed_code = 53;

constexpr TreasureGrowthRule growth_rules[] = {
    {53, bonus_speed, 20, 100, 1, false},
    {54, bonus_magic_attack, 200, 20, 1, false},
    {55, bonus_hp, 1000, 3, 2, true},
    {56, bonus_mp, 1000, 3, 2, false},
    {57, bonus_sp, 1000, 1800, 2, true},
    {58, bonus_attack, 200, 10000, 1, true},
    {59, bonus_defence, 200, 20000, 1, true},
    {60, bonus_magic_defence, 200, 60, 1, false},
};

// An entry that reaches its cap stays there and the whole pending amount is dropped.
void cap_test(FameNode& node, const TreasureGrowthRule& rule) {
  std::int16_t& entry = node.bonus[rule.bonus_entry];
  if (entry < rule.cap) return;
  entry = rule.cap;
  node.pending = 0;
}

void convert(FameNode& node) {
  const TreasureGrowthRule* rule = treasure_growth_rule(node.code);
  if (!rule) return;
  const auto amount = std::int16_t(rule->per_level * node.level);
  node.pending = std::int16_t(node.pending + amount);
  if (!rule->capped_at_conversion) return;
  node.bonus[rule->bonus_entry] = std::int16_t(node.bonus[rule->bonus_entry] + amount);
  cap_test(node, *rule);
}

// Points one conversion takes; 0 when none can be made (no rate, or a speed treasure at a
// level the division cannot serve).
int points_per_conversion(const FameNode& node) {
  if (node.code != speed_code) return node.rate;
  return node.level > 0 ? node.rate / node.level : 0;
}

// Event 57's message: "%C5name%C0的體力增加了%C9p%C0點%Q".
void show_sp_gain(const RoleData& r, int p) {
  char text[128];
  std::snprintf(text, sizeof text,
                "%%C5%s%%C0\xAA\xBA\xC5\xE9\xA4O\xBC""W\xA5[\xA4""F%%C9%d%%C0\xC2I%%Q", r.name, p);
  play_sfx(23, 1);
  del_all_talkmsg();
  add_time_msg(320, 40, 0, 150, text, 2);
}

// Hands the pending bonus of one record to its wearer: what the settlement adds to the wearer.
void settle(FameNode& node, RoleData& r) {
  const TreasureGrowthRule* rule = treasure_growth_rule(node.code);
  if (rule && !rule->capped_at_conversion) {
    node.bonus[rule->bonus_entry] = std::int16_t(node.bonus[rule->bonus_entry] + node.pending);
    cap_test(node, *rule);
  }
  const std::int16_t p = node.pending;
  auto raise_stat = [&](int word) { r.stats[word] = std::uint16_t(r.stats[word] + p); };
  switch (node.code) {
    case 53: raise_stat(stat_speed); break;
    case 54: raise_stat(stat_magic_attack); break;
    case 55: r.max_hp += p; break;
    case 56: r.max_mp = std::int16_t(r.max_mp + p); break;
    case 57:
      if (p != 0) show_sp_gain(r, p);
      r.max_sp = std::int16_t(r.max_sp + p);
      break;
    case 58: raise_stat(stat_attack); break;
    case 59: raise_stat(stat_defence); break;
    case 60: raise_stat(stat_magic_defence); break;
    default: break;
  }
  node.total = std::int16_t(node.total + p);
  node.pending = 0;
}

template <class Fn>
void for_each_worn_treasure(Fn fn) {
  for (int c = 0; c < party_member_count; ++c) {
    if (!test_flag(party_member_flags[c])) continue;
    for (int slot = 4; slot <= 5; ++slot) {
      const std::uint16_t object = gmRoleData[c].equip[slot];
      if (object != 0) fn(gmRoleData[c], object);
    }
  }
}

// Whether the event settles at once.
bool event_settles(std::uint16_t event) { return event == 1 || event == 3 || event == 5 || event == 8; }
}  // namespace

const TreasureGrowthRule* treasure_growth_rule(std::uint16_t code) {
  for (const TreasureGrowthRule& r : growth_rules)
    if (r.code == code) return &r;
  return nullptr;
}

void fame_treasure_scale(FameNode& node, const ItemData& item) {
  node.level_exp = item.atb_delay > 0 ? std::uint32_t(item.atb_delay / 10) : 0;
  if (const TreasureGrowthRule* r = treasure_growth_rule(node.code)) {
    node.cap = r->cap;
    node.rate = r->rate;
  }
  // A level experience of 0 cannot be reached: the treasure does not grow in level.
  if (node.level_exp == 0) {
    node.maxed = 1;
    node.level = top_level;
  }
}

void fame_treasure_grow(FameNode& node, int g) {
  if (node.points < node.rate) node.points = std::uint16_t(node.points + g);
  const int per = points_per_conversion(node);
  if (per < 1) return;
  while (node.points >= per) {
    node.points = std::uint16_t(node.points - per);
    convert(node);
    if (node.points == 0) break;
  }
}

void fame_treasure_gain(FameNode& node, int e) {
  if (node.maxed) return;
  node.exp = std::uint16_t(node.exp + e);
  if (node.level_exp == 0) {
    node.maxed = 1;
    node.level = top_level;
    node.exp = 0;
    return;
  }
  if (node.exp >= node.level_exp) {
    // Every whole level experience is one level more.
    const std::uint32_t levels = node.exp / node.level_exp;
    node.exp = std::uint16_t(node.exp % node.level_exp);
    node.level = std::uint16_t(std::min<std::uint32_t>(node.level + levels, top_level));
    node.level_rose = 1;
  }
  if (node.level >= top_level) {
    node.level = top_level;
    node.maxed = 1;
    node.exp = 0;
  }
}

std::uint16_t treasure_event_code(std::uint16_t event, std::uint16_t monster_level, std::uint16_t wearer_level) {
  switch (event) {
    case 1: return 55;
    case 2: return 56;
    case 3: return 57;
    case 4: return 53;
    case 5: return 58;
    case 6: return monster_level > wearer_level ? 54 : 60;
    case 8: return 59;
    default: return 0;
  }
}

void treasure_event(std::uint16_t event, std::uint16_t amount, std::uint16_t level) {
  for_each_worn_treasure([&](RoleData& r, std::uint16_t object) {
    const std::uint16_t code = treasure_event_code(event, level, r.stats[stat_level]);
    ItemData item;
    if (code == 0 || !read_Item(object, &item) || item.treasure_code != code) return;
    fame_add(object, 0, amount, fame_type_treasure);
    if (event_settles(event)) treasure_apply();
  });
}

void treasure_apply() {
  for_each_worn_treasure([](RoleData& r, std::uint16_t object) {
    if (FameNode* node = fame_find(object, fame_type_treasure)) settle(*node, r);
  });
}

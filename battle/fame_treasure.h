#pragma once
// Treasure growth: the growth codes 53-60 with their bonus entry, cap and rate, and the two
// steps by which a treasure record takes growth points and experience.
#include <cstdint>

#include "battle/fame.h"
#include "data/item_data.h"

struct TreasureGrowthRule {
  std::uint16_t code;
  int bonus_entry;       // index into FameNode::bonus
  std::int16_t cap;
  std::uint16_t rate;    // growth points per conversion (code 53: divided by the level)
  int per_level;         // pending (and bonus) added per level at each conversion
  bool capped_at_conversion;  // the bonus grows and meets its cap at the conversion, not at the settlement
};
// The rule of a growth code; null for any other code.
const TreasureGrowthRule* treasure_growth_rule(std::uint16_t code);

// A treasure record's level experience, cap and rate from its object; a treasure without a
// level scale (experience value under 10) stays at level 10, maxed.
void fame_treasure_scale(FameNode& node, const ItemData& item);
// Growth points g: kept while below the rate, then converted per the code.
void fame_treasure_grow(FameNode& node, int g);
// Experience e toward the next levels (nothing once maxed).
void fame_treasure_gain(FameNode& node, int e);

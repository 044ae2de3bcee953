#pragma once
// A party character's statistics, computed from its growth values and level: the eight base
// values and the derived combat values, HP, MP and SP.
#include <cstdint>

struct RoleData;

// Base values from growth and level plus the level's increments, then calc_derived_stats.
void calc_level_stats(RoleData* role, const std::uint16_t increments[8]);
// The derived values from the base values and the permanent bonuses; HP, MP and SP refilled.
void calc_derived_stats(RoleData* role);

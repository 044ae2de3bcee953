#pragma once
// The battle's rules as plain functions: the hit chance, its roll, and the other rules'
// numbers that a test asks without a battle around them.
#include <cstdint>

// A hit rule's bounds: chance = (attacker's stat / target's stat + bonus) x 100, held within
// [lower, upper]; 0 / 0 takes the upper bound.
struct HitRule {
  float bonus, lower, upper;
  int magic;           // 1: magic hit against magic hit; 0: hit against hit
  int charged_forces;  // 1: a charged attacker cannot miss
};
constexpr HitRule hit_rule_command13{0.3f, 50, 98, 1, 0};
constexpr HitRule hit_rule_arts{0.3f, 90, 95, 1, 1};
constexpr HitRule hit_rule_techniques{0.2f, 95, 98, 0, 1};
constexpr HitRule hit_rule_ally_physical{0.2f, 85, 95, 0, 1};
constexpr HitRule hit_rule_enemy_magic{0.3f, 80, 98, 1, 0};
constexpr HitRule hit_rule_enemy_physical_kind{0.3f, 80, 95, 1, 0};
constexpr HitRule hit_rule_enemy_physical{0.2f, 50, 95, 0, 0};

float hit_chance(float attacker_stat, float target_stat, const HitRule& rule);
// A roll against a chance: fails when the draw of rand_below(100) is greater than the chance.
bool roll_chance(float chance);

// The current-HP percentage rule's own chance (base 70, 50 for an all-enemies action).
int percent_damage_chance(int attacker_level, int target_level, bool all_enemies);
// The rage a party member gains for damage dealt to a unit of that level (kind 1).
int rage_for_dealing(int own_level, int target_level);
// The rage for damage taken (kind 0) from a unit of that level, with the unit's maximum HP.
int rage_for_taking(int own_level, int attacker_level, int amount, int max_hp);
// The capture rule's answer for the levels, the monster's HP and a draw r of rand_below(100).
int capture_rule(int capturer_level, int monster_level, int hp, int max_hp, int r);
// An amount of an action against a maximum: above 10000 a percentage, else itself.
int percent_of(int value, int maximum);

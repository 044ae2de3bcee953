// The battle's rules as plain functions.
#include "battle/fight_rules.h"

#include <cmath>

#include "core/random_r250.h"

float hit_chance(float attacker_stat, float target_stat, const HitRule& rule) {
  float chance = (attacker_stat / target_stat + rule.bonus) * 100.0f;
  // 0 / 0 has no value: it counts as the upper bound, as an endless ratio does.
  if (std::isnan(chance)) return rule.upper;
  if (chance < rule.lower) chance = rule.lower;
  if (chance > rule.upper) chance = rule.upper;
  return chance;
}

bool roll_chance(float chance) { return !(float(rand_below(100)) > chance); }

int percent_damage_chance(int attacker_level, int target_level, bool all_enemies) {
  int chance = all_enemies ? 50 : 70;
  const int diff = target_level - attacker_level;
  chance -= diff >= 5 ? 5 * (diff / 4) : 5 * (diff / 3);
  return chance < 10 ? 10 : chance;
}

int rage_for_dealing(int own_level, int target_level) {
  if (target_level < own_level) return 2;
  const int d = target_level - own_level;
  if (d <= 5) return 3;
  if (d <= 10) return 4;
  if (d <= 15) return 5;
  if (d <= 20) return 6;
  return 10;
}

int rage_for_taking(int own_level, int attacker_level, int amount, int max_hp) {
  const int unit = max_hp / 100 > 0 ? max_hp / 100 : 1;
  if (amount < unit) return unit;
  const int a = amount / unit;
  const int d = std::int16_t(attacker_level - own_level);
  int gain = a;
  if (d >= 0) {
    const int per = d <= 5 ? 4 : d <= 10 ? 5 : 6;
    // A small maximum makes the divisor 0: it counts as 1.
    const int divisor = max_hp * per / 100 > 0 ? max_hp * per / 100 : 1;
    gain = a / divisor;
  }
  return gain < 1 ? 1 : gain;
}

int capture_rule(int capturer_level, int monster_level, int hp, int max_hp, int r) {
  const int d = capturer_level - monster_level;
  if (d > 10) return 1;
  if (d >= 1) return hp <= max_hp / 2 ? 1 : r <= (d >= 6 ? 70 : 60);
  const int e = -d;
  // The brackets of e: the chance (-1 not tested) at max/5, max/4, max/3, max/2, otherwise.
  static constexpr int rows[5][5] = {
      {-1, 70, 60, 50, 30}, {-1, 40, 30, 20, 15}, {15, 10, 5, 0, 0}, {10, 5, 0, 0, 0}, {5, 2, 0, 0, 0}};
  const int row = e <= 5 ? 0 : e <= 10 ? 1 : e <= 20 ? 2 : e <= 30 ? 3 : e <= 40 ? 4 : -1;
  if (row < 0) return 0;
  const int divisors[4] = {5, 4, 3, 2};
  for (int c = 0; c < 5; ++c) {
    if (rows[row][c] < 0) continue;
    if (c == 4 || hp <= max_hp / divisors[c]) return rows[row][c] > 0 && r <= rows[row][c];
  }
  return 0;
}

int percent_of(int value, int maximum) { return value > 10000 ? (value - 10000) * maximum / 100 : value; }

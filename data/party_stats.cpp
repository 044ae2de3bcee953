#include "data/party_stats.h"

#include "data/level_math.h"
#include "data/role_data.h"
#include "data/saturate.h"

void calc_level_stats(RoleData* role, const std::uint16_t increments[8]) {
  const int level = role->stats[stat_level];
  const float m = level_multiplier(level);
  role->level_multiplier = m;
  for (int i = 0; i < 8; ++i) {
    float v = (role->growth[i] * 15.0f * m + static_cast<float>(level * 15)) / 10.0f;
    role->stats[i] = static_cast<std::uint16_t>(saturate_i32(v) + increments[i]);
  }
  calc_derived_stats(role);
}

void calc_derived_stats(RoleData* role) {
  const int level = role->stats[stat_level];
  int s[8];
  for (int i = 0; i < 8; ++i) s[i] = role->stats[i];
  const float p = level_hp_factor(level);

  role->max_hp = saturate_i32((5.0 * s[0] + s[3] / 2.0 + s[6] / 2.0) * p + role->hp_bonus + 80.0);
  role->hp = role->max_hp;
  role->max_sp = static_cast<std::int16_t>(role->sp_bonus + ((5 * s[1] + s[4] / 2 + s[6] / 2) / 4) * 6);
  role->sp = role->max_sp;
  role->max_mp = static_cast<std::int16_t>(role->mp_bonus + ((5 * s[7] + (s[2] + s[5]) / 4 + s[6] / 2) / 4) * 6);
  role->mp = role->max_mp;

  role->stats[stat_attack] = static_cast<std::uint16_t>(saturate_i32((5 * s[1] + s[4] / 2 + s[6] / 2) / 2.5 + role->attack_bonus));
  role->stats[stat_defence] = static_cast<std::uint16_t>(role->defence_bonus + (5 * s[0] + s[3] / 2 + s[6] / 2) / 4);
  role->stats[stat_hit] = static_cast<std::uint16_t>((2 * s[3] + s[4] + s[6]) / 4);
  role->stats[stat_magic_attack] = static_cast<std::uint16_t>(role->magic_attack_bonus + (3 * s[2] + s[7] / 2 + s[6] / 2) / 3);
  role->stats[stat_magic_defence] = static_cast<std::uint16_t>(role->magic_defence_bonus + (3 * s[5] + s[7] / 2 + s[6] / 2) / 4);
  role->stats[stat_magic_hit] = static_cast<std::uint16_t>((s[2] + s[3] + s[4] + s[6]) / 4);

  float growth_sum = 0.0f;
  int base_sum = 0;
  for (int i = 0; i < 8; ++i) {
    growth_sum += role->growth[i];
    base_sum += s[i];
  }
  role->stats[stat_total] = static_cast<std::uint16_t>(10 * level + saturate_i32(growth_sum * 10.0) + base_sum);
  role->stats[stat_speed] = static_cast<std::uint16_t>(saturate_i32((100 - level) / 7.0f + (s[3] + s[4]) / 15.0f));
}

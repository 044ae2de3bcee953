// read_monster: a monster's combat values derived from its growth values and level.
#include <cmath>
#include <cstring>

#include "data/level_math.h"
#include "data/object_db.h"
#include "data/saturate.h"

namespace {
// The factor of each monster kind 110-118; other kinds have 0.
int kind_factor(int kind) {
  static const int factors[9] = {32, 33, 58, 48, 39, 56, 57, 64, 48};
  return kind >= 110 && kind <= 118 ? factors[kind - 110] : 0;
}

constexpr int tough_kind = 130;  // HP times five
}  // namespace

ItemData* read_monster(std::uint16_t number, ItemData* out) {
  std::memset(out, 0, sizeof *out);
  read_Item(number, out);
  const int level = out->level;
  const float m = level_multiplier(level);
  out->level_mult = m;

  int s[8];
  for (int i = 0; i < 8; ++i) {
    float v = (out->growth[i] * 15.0f * m + static_cast<float>(level * 15)) / 10.0f;
    float whole = std::trunc(v);
    double rounded = whole + ((v - whole) >= 0.5f ? 1.0 : 0.0);
    s[i] = saturate_u16(rounded);
    out->stats[i] = static_cast<std::uint16_t>(s[i]);
  }

  const float p = level_hp_factor(level);
  const int h = 5 * s[0] + s[3] / 2 + s[6] / 2;
  float hp = static_cast<float>(h) * p;
  if (out->kind == tough_kind) hp = hp * 5.0f;
  out->max_hp = saturate_i32(hp);
  out->hp = out->max_hp;

  out->sp = static_cast<std::uint16_t>(((5 * s[1] + s[4] / 2 + s[6] / 2) / 4) * 6);
  out->max_sp = out->sp;
  out->mp = static_cast<std::uint16_t>(((5 * s[7] + (s[2] + s[5]) / 4 + s[6] / 2) / 4) * 6);
  out->max_mp = out->mp;

  out->stats[combat_attack] = static_cast<std::uint16_t>(saturate_i32((5 * s[1] + s[4] / 2 + s[6] / 2) / 2.5));
  out->stats[combat_defence] = static_cast<std::uint16_t>((5 * s[0] + s[3] / 2 + s[6] / 2) / 10);
  out->stats[combat_ave] = static_cast<std::uint16_t>((2 * s[3] + s[4] + s[6]) / 4);
  out->stats[combat_magic_attack] = static_cast<std::uint16_t>((3 * s[2] + s[7] / 2 + s[6] / 2) / 3);
  out->stats[combat_magic_defence] = static_cast<std::uint16_t>((3 * s[5] + s[7] / 2 + s[6] / 2) / 10);
  out->stats[combat_value_14] = static_cast<std::uint16_t>((s[2] + s[3] + s[4] + s[6]) / 4);

  out->atb_delay = (s[1] + s[2] + s[4] + s[7]) - (s[0] + s[3] + s[5] + s[6]);

  const int f = kind_factor(out->kind);
  int sum = 0;
  for (int v : s) sum += v;
  out->stats[combat_value_15] = static_cast<std::uint16_t>(10 * level + 10 * f + sum);
  const int whole_m = static_cast<int>(m);
  out->word_176 = static_cast<std::uint16_t>(((level * f) / 3) * whole_m);
  out->word_200 = static_cast<std::uint16_t>((out->stats[combat_value_15] / 8) * whole_m);
  return out;
}

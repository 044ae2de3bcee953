// The formation grounds' escort records.
#include "base/escort.h"

#include <algorithm>
#include <cstring>

#include "base/house_kinds.h"
#include "base/houses.h"
#include "data/object_db.h"

ItemData escort_data[escort_count] = {};
EscortScratch escort_scratch[escort_count] = {};

namespace {

// A main guard's value with a quarter of each reserve's, divided toward zero.
template <class T>
T guard_sum(const T (&values)[escort_members]) {
  T sum = values[0];
  for (int j = 1; j < 5; ++j) sum = T(sum + values[j] / 4);
  return sum;
}

void fill_scratch(const HouseRecord& house, int f) {
  EscortScratch& s = escort_scratch[f];
  s.house_id = house.id;
  for (int j = 0; j < std::min(int(house.capacity), 5); ++j) {
    const std::uint16_t m = house.residents[j].monster;
    if (!m) continue;
    ItemData d{};
    read_monster(m, &d);
    if (j == 0) escort_data[f] = d;
    s.members[j] = m;
    s.max_hp[j] = d.max_hp;
    s.max_mp[j] = d.max_mp;
    s.max_sp[j] = d.max_sp;
    s.attack[j] = d.stats[combat_attack];
    s.defence[j] = d.stats[combat_defence];
    s.speed[j] = d.stats[combat_speed];
    s.magic_attack[j] = d.stats[combat_magic_attack];
    s.magic_defence[j] = d.stats[combat_magic_defence];
    s.magic_hit[j] = d.stats[combat_value_14];
  }
}

}  // namespace

void build_escort_data() {
  std::memset(escort_scratch, 0, sizeof escort_scratch);
  std::fill(std::begin(escort_data), std::end(escort_data), ItemData{});
  int f = 0;
  for (const auto& h : house_list)
    if (h->kind == house_formation && f < escort_count) fill_scratch(*h, f++);
  for (int i = 0; i < escort_count; ++i) {
    const EscortScratch& s = escort_scratch[i];
    ItemData& e = escort_data[i];
    e.max_hp = guard_sum(s.max_hp);
    e.max_mp = std::uint16_t(guard_sum(s.max_mp));
    e.max_sp = std::uint16_t(guard_sum(s.max_sp));
    e.stats[combat_attack] = guard_sum(s.attack);
    e.stats[combat_defence] = guard_sum(s.defence);
    e.stats[combat_magic_attack] = guard_sum(s.magic_attack);
    e.stats[combat_magic_defence] = guard_sum(s.magic_defence);
    e.stats[combat_value_14] = guard_sum(s.magic_hit);
    e.stats[combat_ave] = s.speed[0];
  }
}

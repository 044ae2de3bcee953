#pragma once
// A fake battle for the battle's fuzz targets: one party member (its record given) against two
// enemies, every unit listed, enemy 6 acting on the party member.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "battle/fight_globals.h"
#include "battle/fight_man.h"

inline void fake_battle(RoleData& role) {
  for (FightMan& u : gmFightMan) fight_unit_clear(u);
  fight_clear_block();
  role = RoleData{};
  role.hp = role.max_hp = 500;
  role.stats[stat_level] = 3;
  FightMan& m = gmFightMan[0];
  m.side = side_party;
  m.role = &role;
  for (int k = 6; k < 8; ++k) {
    FightMan& e = gmFightMan[k];
    e.side = side_enemy;
    e.monster.level = 2;
    e.monster.hp = e.monster.max_hp = 300;
  }
  fight_ally_count = 1;
  fight_enemy_count = 2;
  fight_unit_count = 3;
  fight_unit_list[0] = 0, fight_unit_list[1] = 6, fight_unit_list[2] = 7;
  ActMan = 6;
  fight_main_target = 0;
}

// A pool file of `scripts` scripts whose offsets the first input bytes choose, then the input.
inline std::vector<std::uint8_t> fuzz_script_pool(const std::uint8_t* data, std::size_t size, int scripts) {
  std::vector<std::uint8_t> file(16 + 4 * std::size_t(scripts), 0);
  const std::size_t body = 4 * std::size_t(scripts);
  for (int n = 0; n < scripts; ++n) {
    const std::size_t pick = size > std::size_t(n) ? data[n] : 0;
    const std::uint32_t at = std::uint32_t(body + (size ? pick % size : 0));
    for (int b = 0; b < 4; ++b) file[16 + 4 * std::size_t(n) + std::size_t(b)] = std::uint8_t(at >> (8 * b));
  }
  file.insert(file.end(), data, data + size);
  return file;
}

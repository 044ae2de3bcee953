#pragma once
// Shared set-up of the battle tests: every unit cleared, the battle block and the game's
// generator reset, and helpers that make units and seed the next draws.
#include <gtest/gtest.h>

#include "battle/battlefield.h"
#include "battle/fame.h"
#include "battle/fight_globals.h"
#include "battle/fight_man.h"
#include "battle/fight_numbers.h"
#include "core/random_r250.h"
#include "tests/fixtures/random_kit.h"
#include "data/object_db.h"

namespace battle_test {

class BattleTest : public ::testing::Test {
 protected:
  BattleTest() { reset(); }
  ~BattleTest() override { reset(); }

  static void reset() {
    for (FightMan& u : gmFightMan) fight_unit_clear(u);
    fight_clear_block();
    ActMan = turn_unit = -1;
    fight_unit_count = 0;
    fight_hp_pass_requested = 0;
    fight_hp_changes_suspended = 0;
    rage_strike_pending = 0;
    fight_ground_world = nullptr;
    free_fame();
    init_random(7);
  }

  // A party member of a level with a record of its own (slot k of the test's records).
  FightMan& member(int slot, int level, int hp = 100, int max_hp = 100) {
    RoleData& r = roles_[slot];
    r = RoleData{};
    r.stats[stat_level] = std::uint16_t(level);
    r.hp = hp, r.max_hp = max_hp;
    FightMan& u = gmFightMan[slot];
    u.side = side_party;
    u.role = &r;
    return u;
  }
  // An enemy of a level in slot 6 + k.
  static FightMan& enemy(int k, int level, int hp = 100, int max_hp = 100) {
    FightMan& u = gmFightMan[fight_first_enemy + k];
    u.side = side_enemy;
    u.monster.level = std::uint16_t(level);
    u.monster.hp = hp, u.monster.max_hp = max_hp;
    return u;
  }
  static void next_draw(unsigned n, unsigned r) { fixtures::seed_next_draw(n, r); }

  RoleData roles_[6]{};
};

}  // namespace battle_test

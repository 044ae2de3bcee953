// Encounters and chance rolls, against the seeded random generator.
#include "data/encounters.h"

#include "core/random_r250.h"
#include "data/byte_writer.h"
#include "data/map_role.h"
#include "data/maps_db.h"
#include "field/map_change.h"
#include "field/map_file.h"
#include "tests/data/data_test.h"
#include "tests/fixtures/maps_writer.h"

namespace {
using namespace fixtures;

class Encounters : public data_test::DataTest {
 protected:
  Encounters() {
    db.encounter_sets = {{{{{30, 0}, {30, 50}, {30, 100}, {30, 100}}}}};
    db.battle_areas = {{1, {0, 0, 0}, {100, 100, 100}, {11, 12}},
                       {1, {50, 50, 50}, {150, 150, 150}, {21}},
                       {2, {0, 0, 0}, {100, 100, 100}, {}}};
    db.rage_rows = {{{{{10, 5}, {20, 12}, {20, 4}, {0, 0}, {0, 0}, {0, 0}, {0, 0}, {0, 0}}}},
                    {{{{200, 10}, {100, 10}, {255, 10}, {0, 0}, {0, 0}, {0, 0}, {0, 0}, {0, 0}}}}};
    db.excite_rows = {{{{{5, 10}, {5, 0}, {0, 0}, {0, 0}, {0, 0}, {0, 0}, {0, 0}, {0, 0}}}}};
    db.mood_rows = db.excite_rows;
  }
  ~Encounters() override { free_btl_area_table(); }

  void load_map(std::uint16_t map, std::uint16_t set) {
    write("maps.dat", maps_dat(db));
    open_maps_data();
    free_btl_area_table();
    GetBtlAreaTable(map, &btl_area_head);
    map_record.encounter_set = set;
  }
  MapRole role_at(float x, float y, float z) {
    MapRole role;
    role.anim.box = {{-10, -10, -10, 0}, {10, 10, 10, 0}};
    role.X = x, role.Y = y, role.Z = z;
    return role;
  }
  MapsDat db;
};

TEST_F(Encounters, AreasAreListedInReverseTableOrder) {
  load_map(1, 1);
  BtlArea* first = btl_area_head.next;
  ASSERT_NE(first, nullptr);
  ASSERT_NE(first->next, nullptr);
  EXPECT_EQ(first->next->next, nullptr);
  EXPECT_FLOAT_EQ(first->corner1[0], 50.0f);
  EXPECT_FLOAT_EQ(first->corner2[2], 150.0f);
  EXPECT_FLOAT_EQ(first->next->corner2[1], 100.0f);
}

TEST_F(Encounters, TheRollFollowsTheThresholdsAndThePercentOfThePairTaken) {
  load_map(1, 1);
  for (unsigned seed = 1; seed <= 40; ++seed) {
    MapRole role = role_at(20, 20, 20);  // inside the first area only
    init_random(seed);
    EXPECT_EQ(roll_encounter(&role, 10, 0), 0) << seed;  // first pair: 0 percent
    init_random(seed);
    std::uint16_t got = roll_encounter(&role, 45, 0);  // second pair: 50 percent
    init_random(seed);
    unsigned r = rand_below(100);
    std::uint16_t expected = 50 > r ? (rand_below(2) == 0 ? 11 : 12) : 0;
    EXPECT_EQ(got, expected) << seed;
  }
}

TEST_F(Encounters, ACounterPastAllThresholdsNeverFightsOrDraws) {
  load_map(1, 1);
  MapRole role = role_at(20, 20, 20);
  init_random(7);
  unsigned first = rand_below(100);
  init_random(7);
  EXPECT_EQ(roll_encounter(&role, 120, 0), 0);
  EXPECT_EQ(rand_below(100), first);
}

TEST_F(Encounters, AForcedRollTakesTheFirstPairStillDrawsAndFights) {
  load_map(1, 1);
  MapRole role = role_at(20, 20, 20);
  init_random(9);
  std::uint16_t got = roll_encounter(&role, 500, 1);
  init_random(9);
  rand_below(100);
  EXPECT_EQ(got, rand_below(2) == 0 ? 11 : 12);
}

TEST_F(Encounters, TheLaterOfTwoOverlappingAreasWinsAndOutsideIsPeace) {
  load_map(1, 1);
  MapRole both = role_at(75, 75, 75);
  EXPECT_EQ(roll_encounter(&both, 0, 1), 21);
  MapRole outside = role_at(500, 0, 0);
  EXPECT_EQ(roll_encounter(&outside, 0, 1), 0);
  MapRole touching = role_at(-10, 50, 50);  // its box ends on the first area's edge: no overlap
  EXPECT_EQ(roll_encounter(&touching, 0, 1), 0);
}

TEST_F(Encounters, AnAreaWithoutGroupsOrWithABadListGivesNoBattle) {
  load_map(2, 1);
  MapRole role = role_at(20, 20, 20);
  EXPECT_EQ(roll_encounter(&role, 0, 1), 0);
  btl_area_head.next->groups = 0x7FFFFFF0;  // a list outside the pool
  EXPECT_EQ(roll_encounter(&role, 0, 1), 0);
  btl_area_head.next->groups = -4;
  EXPECT_EQ(roll_encounter(&role, 0, 1), 0);
}

TEST_F(Encounters, SetZeroOrASetPastTheTableNeverFights) {
  load_map(1, 0);
  MapRole role = role_at(20, 20, 20);
  EXPECT_EQ(roll_encounter(&role, 45, 1), 0);
  map_record.encounter_set = 400;
  EXPECT_EQ(roll_encounter(&role, 45, 1), 0);
}

// The chance rule: the entry taken fires when its chance in tenths reaches rand_below(10) + 1.
bool replay_fires(unsigned seed, int chance) {
  init_random(seed);
  return chance >= static_cast<int>(rand_below(10) + 1);
}

TEST_F(Encounters, RageStrikeChancesAreRaisedAndCappedAtNine) {
  load_map(1, 1);
  struct Case {
    std::uint8_t counter;
    std::uint16_t percent_bonus, chance_bonus;
    int chance;
  };
  const Case cases[] = {
      {5, 0, 0, 5},    // first entry
      {15, 0, 0, 9},   // second entry: 12 capped at 9
      {35, 0, 0, 4},   // third entry
      {35, 50, 0, 6},  // 4 + 4 * 50 / 100
      {35, 50, 1, 7},  // (4 + 1) + 5 * 50 / 100
      {35, 0, 8, 9},
  };
  for (const Case& c : cases) {
    for (unsigned seed = 1; seed <= 25; ++seed) {
      init_random(seed);
      int got = roll_rage_strike(0, c.counter, c.percent_bonus, c.chance_bonus, 0);
      EXPECT_EQ(got, replay_fires(seed, c.chance) ? 1 : 0) << int(c.counter) << " seed " << seed;
    }
  }
  EXPECT_EQ(roll_rage_strike(0, 60, 0, 0, 0), 0);  // past every weight
  EXPECT_EQ(roll_rage_strike(0, 60, 0, 0, 1), 1);  // forced
  EXPECT_EQ(roll_rage_strike(9, 0, 0, 0, 1), 0);   // no such row
}

TEST_F(Encounters, WeightsAddUpInEightBits) {
  load_map(1, 1);
  // 200, then 300 wraps to 44, then 299 wraps to 43: a counter of 201 takes no entry.
  EXPECT_EQ(roll_rage_strike(1, 201, 0, 0, 0), 0);
  init_random(3);
  EXPECT_EQ(roll_rage_strike(1, 200, 0, 0, 0), 1);  // chance 10 always fires
}

TEST_F(Encounters, ExcitementAtZeroTakesTheFirstEntryButMoodsAtZeroNeverFire) {
  load_map(1, 1);
  EXPECT_EQ(roll_excite(0, 0), 1);  // chance 10
  EXPECT_EQ(roll_excite(0, 7), 0);  // second entry: chance 0
  init_random(4);
  unsigned first = rand_below(10);
  init_random(4);
  EXPECT_EQ(roll_mood(0, 0), 0);
  EXPECT_EQ(rand_below(10), first);  // nothing was drawn
  EXPECT_EQ(roll_mood(0, 3), 1);
}

}  // namespace

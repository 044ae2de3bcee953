// Battle units: the monster values a battle derives, party members at set-up, the reset, the
// effect slots and the treasure level rule.
#include <cmath>

#include "tests/battle/battle_test.h"
#include "tests/fixtures/objdata_writer.h"

namespace {
using namespace battle_test;

class FightManSetup : public BattleTest {};

float multiplier(int level) {
  float m = 1.0f;
  for (int k = 6; k < 100 && k <= level; k += 5) m *= k <= 60 ? 1.2f : 1.1f;
  return m;
}

TEST_F(FightManSetup, TheLevelMultiplierGrowsEveryFiveLevels) {
  struct Case {
    int level;
    int times_12, times_11;
  } cases[] = {{1, 0, 0}, {5, 0, 0}, {6, 1, 0}, {60, 11, 0}, {61, 11, 1}, {99, 11, 8}};
  for (const Case& c : cases) {
    ItemData rec{};
    rec.level = std::uint16_t(c.level);
    derive_monster_values(&rec);
    float want = 1.0f;
    for (int i = 0; i < c.times_12; ++i) want *= 1.2f;
    for (int i = 0; i < c.times_11; ++i) want *= 1.1f;
    EXPECT_FLOAT_EQ(rec.level_mult, want) << c.level;
    EXPECT_FLOAT_EQ(rec.level_mult, multiplier(c.level)) << c.level;
  }
}

TEST_F(FightManSetup, ALevelOneMonsterOfGrowthTenHasTheseValues) {
  // s = trunc((10 x 15 + 15) / 10) = 16 for every base stat; p = 1.02^2.
  struct Case {
    std::uint16_t kind;
    int hp, strength;
  } cases[] = {{110, 99, 458}, {111, 99, 468}, {112, 99, 718}, {113, 99, 618}, {114, 99, 528},
               {115, 99, 698}, {116, 99, 708}, {117, 99, 778}, {118, 99, 618}, {200, 99, 138},
               {130, 499, 138}};
  for (const Case& c : cases) {
    ItemData rec{};
    rec.level = 1;
    rec.kind = c.kind;
    for (float& g : rec.growth) g = 10.0f;
    derive_monster_values(&rec);
    EXPECT_EQ(rec.stats[0], 16) << c.kind;
    EXPECT_EQ(rec.max_hp, c.hp) << c.kind;
    EXPECT_EQ(rec.hp, c.hp) << c.kind;
    EXPECT_EQ(rec.max_sp, 144) << c.kind;
    EXPECT_EQ(rec.max_mp, 144) << c.kind;
    EXPECT_EQ(rec.stats[8], 38) << c.kind;
    EXPECT_EQ(rec.stats[9], 9) << c.kind;
    EXPECT_EQ(rec.stats[10], 16) << c.kind;
    EXPECT_EQ(rec.stats[12], 21) << c.kind;
    EXPECT_EQ(rec.stats[13], 6) << c.kind;
    EXPECT_EQ(rec.stats[14], 16) << c.kind;
    EXPECT_EQ(rec.stats[15], c.strength) << c.kind;
  }
}

TEST_F(FightManSetup, StatElevenAndTheLevelStayAsTheRecordHasThem) {
  ItemData rec{};
  rec.level = 40;
  rec.stats[11] = 77;
  for (float& g : rec.growth) g = 3.0f;
  derive_monster_values(&rec);
  EXPECT_EQ(rec.stats[11], 77);
  EXPECT_EQ(rec.level, 40);
}

TEST_F(FightManSetup, AMemberAtAThirdOfItsHpStartsLow) {
  struct Case {
    int hp, max;
    bool low;
  } cases[] = {{30, 90, true}, {31, 90, false}, {0, 0, true}, {1, 2, false}};
  for (const Case& c : cases) {
    RoleData r{};
    r.hp = c.hp, r.max_hp = c.max;
    FightMan& u = gmFightMan[0];
    fight_unit_clear(u);
    u.SetupMember(1, &r);
    EXPECT_EQ(u.TestCondition(cond_low_hp) != 0, c.low) << c.hp << "/" << c.max;
    EXPECT_EQ(u.pinch_phase, c.low ? 1 : 0);
    EXPECT_EQ(u.hp_bar, 84);
    EXPECT_GE(u.atb, 50);
    EXPECT_LT(u.atb, 200);
  }
}

TEST_F(FightManSetup, AMemberWhoEntersKnockedOutLiesFromTheFirstFrame) {
  RoleData r{};
  r.hp = 0, r.max_hp = 50, r.flags = 1;
  r.stats[stat_speed] = 12;
  gmFightMan[0].SetupMember(2, &r);
  EXPECT_EQ(gmFightMan[0].IsDead(), 1);
  EXPECT_EQ(gmFightMan[0].body.qq, 31);
  EXPECT_EQ(gmFightMan[0].speed, 12);
  EXPECT_EQ(gmFightMan[0].GetRole(), &r);
}

TEST_F(FightManSetup, AResetFreesAGuestsRecordAndKeepsTheUnitsObject) {
  FightMan& pet = gmFightMan[3];
  pet.monster.max_hp = 80;
  pet.monster.level = 9;
  pet.act = 3;
  pet.SetupPet();
  pet.SetGuest(1);
  ASSERT_NE(pet.GetRole(), nullptr);
  EXPECT_EQ(pet.GetRole()->hp, 80);
  EXPECT_EQ(pet.GetRole()->stats[stat_level], 9);
  pet.Reset();
  EXPECT_EQ(pet.GetRole(), nullptr);
  EXPECT_EQ(pet.IsGuest(), 0);
  EXPECT_EQ(pet.IsPet(), 0);
  EXPECT_EQ(pet.act, 3);

  RoleData r{};
  r.max_hp = r.hp = 10;
  FightMan& member = gmFightMan[0];
  member.SetupMember(1, &r);
  member.cond = 0xFF;
  member.SetTarget(4);
  member.Reset();
  EXPECT_EQ(member.GetRole(), &r) << "a party character's record is only pointed to";
  EXPECT_EQ(member.act, 1);
  EXPECT_EQ(member.GetCondition(), 0u);
  EXPECT_EQ(member.GetTarget(), -1);
  EXPECT_EQ(member.IsTurnDone(), 1);
  EXPECT_EQ(member.alpha, 255);
}

TEST_F(FightManSetup, TheSoloHerosRecordIsOwnedAndFreedOnce) {
  ItemData rec{};
  rec.object_id = 44;
  rec.max_hp = 300;
  rec.max_mp = 20;
  FightMan& hero = gmFightMan[0];
  hero.SetupFromRecord(rec);
  hero.SetSoloHero(1);
  ASSERT_NE(hero.GetRole(), nullptr);
  EXPECT_EQ(hero.GetRole()->hp, 300);
  EXPECT_EQ(hero.GetRole()->mp, 20);
  EXPECT_EQ(hero.act, 44);
  hero.Reset();
  EXPECT_EQ(hero.GetRole(), nullptr) << "not a guest, yet its record is its own";
  hero.Reset();
}

TEST_F(FightManSetup, EffectSlotsRunFromZeroToFourteen) {
  FightMan& u = gmFightMan[0];
  EXPECT_EQ(u.SetEffectSlot(-1, 15), 0);
  EXPECT_EQ(u.SetEffectSlot(7, 14), 1);
  EXPECT_EQ(u.fx_slot[14], 7);
  u.ClearEffectSlot(15);
  u.ClearEffectSlot(14);
  EXPECT_EQ(u.fx_slot[14], -1);
}

TEST_F(FightManSetup, TheTreasureLevelDecidesWhichMonsterLevelsAreAllowed) {
  using namespace fixtures;
  install_item_data(objdata_gll({ObjectRecord().kind(205)}));
  FightMan& u = member(0, 20);
  struct Case {
    int fame_level;  // 0: no record
    int monster_level;
    int allowed;
  } cases[] = {{0, 14, 1}, {0, 15, 0}, {2, 15, 1}, {2, 20, 1}, {2, 21, 0}, {2, 14, 0},
               {3, 25, 1}, {3, 26, 0}, {5, 35, 1}, {5, 36, 0}, {5, 1, 1}};
  for (const Case& c : cases) {
    free_fame();
    if (c.fame_level) {
      ASSERT_EQ(fame_add(1, 0, 0, fame_type_treasure), 1);
      fame_find(1, fame_type_treasure)->level = std::uint16_t(c.fame_level);
    }
    EXPECT_EQ(u.TreasureLevelAllows(std::uint16_t(c.monster_level), 1), c.allowed)
        << c.fame_level << " " << c.monster_level;
  }
  free_fame();
  install_item_data({});
}

TEST_F(FightManSetup, TurningTowardAPointSetsTheYawGoalAndAZeroDirectionKeepsIt) {
  FightMan& u = gmFightMan[0];
  u.pos = {0, 0, 0, 0};
  u.rot_y = 33;
  u.TurnToward(0.5f, 0, -0.5f);
  EXPECT_EQ(u.rot_y, 33) << "a zero direction has no angle";
  u.TurnToward(0, 0, -100);
  EXPECT_NEAR(u.rot_y, 0, 0.01);
  u.TurnToward(100, 0, 0);
  EXPECT_NEAR(u.rot_y, 90, 0.01);
  u.TurnToward(-100, 0, 0);
  EXPECT_NEAR(u.rot_y, 270, 0.01);
}

}  // namespace

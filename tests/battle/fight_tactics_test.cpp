// The special combat rules: capture, flight, the money shield, stealing, dispelling, the 六合
// cut and the treasure passives.
#include "battle/fight.h"
#include "battle/fight_rules.h"
#include "data/party.h"
#include "tests/battle/battle_test.h"
#include "tests/fixtures/objdata_writer.h"

namespace {
using namespace battle_test;

class Special : public BattleTest {
 protected:
  ~Special() override {
    party_money = 0;
    install_item_data({});
  }
};

TEST_F(Special, TheCaptureTable) {
  struct Case {
    int capturer, monster, hp, max, r, captured;
  } cases[] = {
      {31, 20, 100, 100, 99, 1},  // 11 above: always
      {28, 20, 100, 100, 70, 1}, {28, 20, 100, 100, 71, 0}, {28, 20, 50, 100, 99, 1},
      {21, 20, 100, 100, 60, 1}, {21, 20, 100, 100, 61, 0},
      {20, 20, 100, 100, 30, 1}, {20, 20, 100, 100, 31, 0}, {20, 20, 25, 100, 70, 1},
      {20, 35, 20, 100, 15, 1},  {20, 35, 20, 100, 16, 0},  {20, 35, 33, 100, 5, 1},
      {20, 35, 33, 100, 6, 0},   {20, 35, 50, 100, 0, 0},   {20, 50, 20, 100, 10, 1},
      {20, 70, 10, 100, 0, 0},
  };
  for (const Case& c : cases)
    EXPECT_EQ(capture_rule(c.capturer, c.monster, c.hp, c.max, c.r), c.captured)
        << c.capturer << " " << c.monster << " " << c.hp << " " << c.r;
  FightMan& m = enemy(0, 1);
  m.monster.kind = 130;
  EXPECT_EQ(member(0, 90).CaptureChance(&m), 0) << "a kind that cannot be caught";
}

TEST_F(Special, TheCaptureStateTakesTheMonsterOutOrEndsTheTurnOnAFailure) {
  // Bodies without animation data: the capture must still come to its end.
  struct Case {
    const char* name;
    int capturer_level, monster_level, banned;
    bool counted;
  } cases[] = {{"caught", 20, 1, 0, true}, {"too strong", 1, 50, 0, false}, {"caught, banned", 20, 1, 1, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    reset();
    fight_ally_count = 1, fight_enemy_count = 1;
    FightMan& hunter = member(0, c.capturer_level);
    FightMan& m = enemy(0, c.monster_level, 30, 100);
    capture_banned = c.banned;
    hunter.SetTarget(fight_first_enemy);
    hunter.SetCommand(7);
    ActMan = 0;
    int frames = 0;
    for (; frames < 1000 && !hunter.IsTurnDone(); ++frames) {
      fight_man_state(0);
      fight_man_state(fight_first_enemy);
    }
    EXPECT_TRUE(hunter.IsTurnDone()) << "the capture ended the turn";
    EXPECT_EQ(hunter.GetState(), 0);
    EXPECT_EQ(fight_enemies_out, c.counted ? 1 : 0);
    EXPECT_EQ(m.IsFallen(), c.counted ? 1 : 0);
    EXPECT_EQ(hunter.capture_phase, 0) << "the next capture decides anew";
    if (c.counted) {
      EXPECT_EQ(m.hit_state, 2);
    }
    if (!c.counted && !c.banned) {
      EXPECT_EQ(frames, 29) << "a failure holds the capturer thirty frames";
    }
  }
  capture_banned = 0;
}

TEST_F(Special, FlightByLevels) {
  struct Case {
    bool ally;
    int own, other;
    unsigned draw;
    int fled;
  } cases[] = {
      {false, 10, 20, 19, 1}, {false, 10, 20, 20, 0}, {false, 10, 40, 49, 1}, {false, 10, 40, 50, 0},
      {false, 20, 10, 0, 0},  {true, 5, 10, 19, 1},   {true, 5, 10, 20, 0},   {true, 10, 7, 49, 1},
      {true, 20, 12, 79, 1},  {true, 20, 12, 80, 0},  {true, 30, 12, 99, 1},
  };
  for (const Case& c : cases) {
    reset();
    FightMan& u = c.ally ? member(0, c.own) : enemy(0, c.own);
    next_draw(100, c.draw);
    EXPECT_EQ(u.FleeChance(std::uint16_t(c.other)), c.fled) << c.ally << " " << c.own << " " << c.other;
  }
}

TEST_F(Special, TheMoneyShieldPaysForTheHitOrEmptiesThePurse) {
  FightMan& u = member(0, 5);
  u.cond = cond_money_shield;
  u.treasure_level = 2;
  party_money = 1000;
  EXPECT_EQ(u.TryMoneyShield(300), 1);
  EXPECT_EQ(party_money, 700);
  party_money = 299;
  EXPECT_EQ(u.TryMoneyShield(300), 0);
  EXPECT_EQ(party_money, 0);
  u.treasure_level = 0;
  party_money = 10;
  EXPECT_EQ(u.TryMoneyShield(3), 1) << "a level of 0 divides as 1";
}

TEST_F(Special, StealingAndDispellingByLevel) {
  using namespace fixtures;
  install_item_data(objdata_gll({ObjectRecord().name("herb")}));
  FightMan& thief = member(0, 5);
  FightMan& m = enemy(0, 5);
  m.monster.steal_item = 1;
  thief.treasure_level = 10;
  next_draw(100, 99);
  EXPECT_EQ(thief.Steal(&m), 1);
  EXPECT_EQ(m.monster.steal_item, 0);
  EXPECT_STREQ(thief.action.NAME, "herb");
  EXPECT_EQ(thief.Steal(&m), 0) << "nothing left";

  StatusEntry e;
  e.status_low = status_poison;
  m.statuses.push_back(e);
  thief.treasure_level = 1;
  next_draw(100, 1);
  EXPECT_EQ(thief.Dispel(&m), 0);
  next_draw(100, 0);
  EXPECT_EQ(thief.Dispel(&m), 1);
  EXPECT_TRUE(m.statuses.empty());
}

TEST_F(Special, TheLiuheCutByRow) {
  FightMan& u = member(0, 5);
  struct Case {
    std::uint8_t row;
    int damage;
  } cases[] = {{0, 70}, {1, 70}, {2, 30}, {3, 30}, {4, 0}};
  for (const Case& c : cases) {
    u.SetGuard(cond_liuhe, c.row, 0);
    int d = 100;
    EXPECT_EQ(u.ApplyLiuheCut(&d), 0) << "only with the condition";
    u.cond = cond_liuhe;
    EXPECT_EQ(u.ApplyLiuheCut(&d), 1);
    EXPECT_EQ(d, c.damage) << int(c.row);
    u.cond = 0;
  }
}

TEST_F(Special, TheChargeGivesBackItsDefence) {
  FightMan& u = member(0, 5);
  u.SetStatWord(8, 100);
  u.SetStatWord(9, 50);
  u.treasure_level = 2;
  u.SetupTreasureCommand(16);
  EXPECT_EQ(u.charge_attack, 100);
  EXPECT_EQ(u.charge_defence, 10);
  EXPECT_EQ(u.StatWord(9), 40);
  u.cond |= cond_charged;
  u.EndCharge();
  EXPECT_EQ(u.StatWord(9), 50);
  EXPECT_EQ(u.charge_attack, 0);
}

TEST_F(Special, AnAutoReviveRaisesTheFallenOnce) {
  FightMan& u = member(0, 5, 0, 120);
  u.dead = 1;
  u.treasure_bits = 4;
  fight_ally_count = 1;
  fight_fallen_count = 1;
  u.TryAutoRevive();
  EXPECT_EQ(u.IsDead(), 0);
  EXPECT_EQ(u.role->hp, 120);
  EXPECT_EQ(u.treasure_bits & 4, 0u);
  EXPECT_EQ(fight_fallen_count, 0);
}

TEST_F(Special, HpTiers) {
  struct Case {
    int hp, tier;
  } cases[] = {{10, 5}, {12, 4}, {15, 3}, {20, 2}, {21, 0}};
  for (const Case& c : cases) EXPECT_EQ(member(0, 5, c.hp, 60).HpTier(), c.tier) << c.hp;
  EXPECT_EQ(enemy(0, 5, 1, 60).HpTier(), 0);
}

}  // namespace

// The damage and hit rule: chances, immunities, the defend result, each formula, drains, the
// HP change and rage. Units of level 1 make every rand(level) draw 0.
#include "battle/fight_rules.h"
#include "tests/battle/battle_test.h"

namespace {
using namespace battle_test;

class Damage : public BattleTest {
 protected:
  // A party member in slot 0 and an enemy in slot 6, both level 1 and with 200 HP.
  Damage() : a(member(0, 1, 200, 200)), t(enemy(0, 1, 200, 200)) {}
  int calc(FightMan& actor, FightMan& target) { return actor.CalcDamage(&target, &hp, &mp, &sp); }
  FightMan& a;
  FightMan& t;
  std::int32_t hp = 0;
  std::int16_t mp = 0, sp = 0;
};

TEST_F(Damage, TheHitChanceIsHeldWithinItsBounds) {
  struct Case {
    float a, t;
    HitRule rule;
    float chance;
  } cases[] = {
      {100, 100, hit_rule_ally_physical, 95}, {10, 100, hit_rule_ally_physical, 85},
      {0, 0, hit_rule_ally_physical, 95},     {5, 0, hit_rule_ally_physical, 95},
      {30, 100, hit_rule_command13, 60},      {10, 100, hit_rule_command13, 50},
      {90, 100, hit_rule_command13, 98},      {60, 100, hit_rule_arts, 90},
      {10, 100, hit_rule_enemy_physical, 50}, {60, 100, hit_rule_enemy_magic, 90},
  };
  for (const Case& c : cases) EXPECT_FLOAT_EQ(hit_chance(c.a, c.t, c.rule), c.chance) << c.a << "/" << c.t;
}

TEST_F(Damage, ARollFailsOnlyAboveTheChance) {
  struct Case {
    float chance;
    unsigned draw;
    bool hit;
  } cases[] = {{95, 95, true}, {95, 96, false}, {95, 99, false}, {100, 99, true}, {0, 0, true}, {0, 1, false}};
  for (const Case& c : cases) {
    next_draw(100, c.draw);
    EXPECT_EQ(roll_chance(c.chance), c.hit) << c.chance << " " << c.draw;
  }
}

TEST_F(Damage, ElementsTheTargetIsImmuneToGiveFive) {
  struct Case {
    bool ally;
    std::uint16_t kind;
    int object;
    int guest;
    std::uint8_t element;
    int result;
  } cases[] = {
      {false, 130, 0, 0, 2, 5}, {false, 130, 0, 0, 3, 5}, {false, 130, 0, 0, 1, -1},
      {false, 118, 0, 0, 1, 5}, {false, 118, 0, 0, 3, 5}, {false, 118, 0, 0, 2, -1},
      {true, 118, 0, 1, 1, 5},  {true, 118, 0, 1, 2, 5},  {true, 118, 0, 0, 1, -1},
      {true, 0, 4, 0, 1, 5},    {true, 0, 4, 0, 3, 5},    {true, 0, 4, 0, 2, -1},
  };
  for (const Case& c : cases) {
    FightMan& actor = c.ally ? enemy(1, 1) : a;
    FightMan& target = c.ally ? member(1, 1) : t;
    target.monster.kind = c.kind;
    target.guest = c.guest;
    if (target.role) target.role->object_id = c.object;
    actor.action = ItemData{};
    actor.action.element = c.element;
    actor.state = 1;
    const int r = calc(actor, target);
    if (c.result == 5) EXPECT_EQ(r, 5) << c.kind << " " << int(c.element);
    else EXPECT_NE(r, 5) << c.kind << " " << int(c.element);
  }
}

TEST_F(Damage, AnUntargetableUnitTakesNothing) {
  t.SetScriptFlags(script_untargetable);
  a.state = 1;
  EXPECT_EQ(calc(a, t), 4);
  EXPECT_EQ(hp, 0);
}

TEST_F(Damage, TheDefendResultIsAFixedHealOrTheRegenerationPending) {
  a.prev_state = 5;
  EXPECT_EQ(calc(a, a), 1);
  EXPECT_EQ(hp, -5);
  EXPECT_EQ(mp, 3);
  EXPECT_EQ(sp, 3);
  a.treasure_bits = 2;
  a.hp_pending = -40, a.mp_pending = 10, a.sp_pending = 12;
  EXPECT_EQ(calc(a, a), 1);
  EXPECT_EQ(hp, -40);
  EXPECT_EQ(mp, 10);
  EXPECT_EQ(sp, 12);
  EXPECT_EQ(a.hp_pending, 0);
}

// Each formula with a sure hit, its stats chosen so that the terms show.
TEST_F(Damage, EachFormulaGivesItsAmount) {
  struct Case {
    const char* name;
    bool ally_actor;
    std::uint16_t state;
    std::uint16_t kind;
    std::int16_t power;
    int hp;
  } cases[] = {
      // 1 + attack 50 + 0 + 5 - (defence 10 + 0)
      {"ally physical", true, 1, 0, 0, 46},
      // power 10 + 1 + magic attack 20 + 0 + 5 - (magic defence 5 + 1)
      {"command 13", true, 13, 0, 10, 30},
      {"arts", true, 2, 0, 10, 30},
      // (attack 50 - weapon 8 + 0 + 0 + 5 + power 10) - (defence 10 + 0)
      {"technique", true, 3, 0, 10, 47},
      // 0 + 50 + 0 + 10 - 10
      {"special technique", true, 6, 0, 10, 50},
      // 1 + 50 + 0 + 5 - (10 + 0)
      {"enemy physical", false, 1, 0, 0, 46},
      // power 10 + 1 + 20 - (1 + 5)
      {"enemy magic kind", false, 2, 303, 10, 25},
      // 50 + 10 + 0 + 5 - (10 + 0)
      {"enemy physical kind", false, 2, 300, 10, 55},
  };
  for (const Case& c : cases) {
    reset();
    FightMan& ally = member(0, 1, 200, 200);
    FightMan& foe = enemy(0, 1, 200, 200);
    for (FightMan* u : {&ally, &foe}) {
      u->SetStatWord(8, 50), u->SetStatWord(9, 10), u->SetStatWord(12, 20), u->SetStatWord(13, 5);
    }
    ally.role->stats[16] = 8;
    FightMan& actor = c.ally_actor ? ally : foe;
    FightMan& target = c.ally_actor ? foe : ally;
    actor.state = c.state;
    actor.sure_hit = 1;
    actor.action = ItemData{};
    actor.action.kind = c.kind;
    actor.action.power = std::uint16_t(c.power);
    EXPECT_EQ(calc(actor, target), 1) << c.name;
    EXPECT_EQ(hp, c.hp) << c.name;
  }
}

TEST_F(Damage, DamageIsFiguredInThirtyTwoBitsAndCappedAt9999) {
  a.state = 2;
  a.sure_hit = 1;
  a.SetStatWord(12, 30000);
  a.action.power = 30000;
  EXPECT_EQ(calc(a, t), 1);
  EXPECT_EQ(hp, 9999) << "no 16-bit wrap to a small or negative amount";
}

TEST_F(Damage, HalvingAndTheThirdComeBeforeTheFloor) {
  FightMan& foe = enemy(1, 1);
  foe.SetStatWord(8, 50);
  foe.state = 1;
  FightMan& target = member(1, 1, 200, 200);
  target.SetStatWord(9, 10);
  struct Case {
    int defending;
    std::uint32_t bits;
    int hp;
  } cases[] = {{0, 0, 46}, {1, 0, 23}, {0, 0x10000000, 15}, {1, 0x10000000, 7}};
  for (const Case& c : cases) {
    target.defending = c.defending;
    target.treasure_bits = c.bits;
    foe.sure_hit = 1;
    EXPECT_EQ(calc(foe, target), 1);
    EXPECT_EQ(hp, c.hp) << c.defending << " " << c.bits;
  }
}

TEST_F(Damage, TheRageStrikeDoublesAfterTheLevelTerms) {
  a.SetStatWord(8, 50);
  t.SetStatWord(9, 10);
  a.state = 1;
  a.sure_hit = 1;
  rage_strike_pending = 1;
  EXPECT_EQ(calc(a, t), 1);
  EXPECT_EQ(hp, 92);
  EXPECT_EQ(rage_strike_pending, 0);
}

TEST_F(Damage, AmountsOfTheTargetsMaximumAndCurrentHp) {
  a.state = 2;
  t.monster.hp = 150;
  a.action.hp_amount = 10030;  // 30 % of the maximum 200
  EXPECT_EQ(calc(a, t), 1);
  EXPECT_EQ(hp, 60);
  a.action.hp_amount = std::uint16_t(-10030);  // 30 % of the current 150, its own roll of 70
  next_draw(100, 70);
  EXPECT_EQ(calc(a, t), 1);
  EXPECT_EQ(hp, 45);
  next_draw(100, 71);
  a.weak_hits = 0;
  EXPECT_EQ(calc(a, t), 0);
  EXPECT_EQ(a.sure_hit, 1);
  EXPECT_EQ(a.weak_hits, 1);
}

TEST_F(Damage, AHealingItemHealsWithoutARoll) {
  FightMan& friend_unit = member(1, 1, 50, 500);
  a.state = 4;
  a.action.hp_amount = 200;
  a.action.action_flags = 0x40;
  EXPECT_EQ(calc(a, friend_unit), 1);
  EXPECT_EQ(hp, -200);
  a.action.hp_amount = 9000;
  EXPECT_EQ(calc(a, friend_unit), 1);
  EXPECT_EQ(hp, -9000) << "healing is never capped";
}

TEST_F(Damage, APercentageDrainGivesTheActorItsShare) {
  a.state = 2;
  a.role->hp = 100;
  t.monster.hp = 100, t.monster.mp = 0;
  a.action.action_flags = 8;
  a.action.hp_amount = 10030;
  a.action.mp_amount = 10030;
  EXPECT_EQ(calc(a, t), 1);
  EXPECT_EQ(hp, 30);
  EXPECT_EQ(mp, 0);
  EXPECT_EQ(a.role->hp, 130) << "the actor's heal is applied at once";
  EXPECT_EQ(a.HitNumberCount(), 1) << "no MP number of 0";
}

TEST_F(Damage, TheHpChangeClampsAndDetectsDeath) {
  t.hp_pending = 50;
  EXPECT_EQ(t.ChangeHp(0, 0, 0), 0);
  EXPECT_EQ(t.monster.hp, 150);
  EXPECT_EQ(t.ChangeHp(-500, 0, 0), 0);
  EXPECT_EQ(t.monster.hp, 200) << "up to the maximum";
  EXPECT_EQ(t.ChangeHp(250, 0, 0), 1);
  EXPECT_EQ(t.monster.hp, 0);
  EXPECT_EQ(t.GetState(), 53);
  EXPECT_EQ(t.dying, 1);
  EXPECT_EQ(t.ChangeHp(-50, 0, 0), 0) << "a dying unit changes no more";
  EXPECT_EQ(t.monster.hp, 0);

  FightMan& m = member(1, 1, 100, 90);
  m.role->max_mp = 10;
  EXPECT_EQ(m.ChangeHp(70, 20, 0), 0);
  EXPECT_EQ(m.role->hp, 30);
  EXPECT_EQ(m.role->mp, 10);
  EXPECT_TRUE(m.TestCondition(cond_low_hp)) << "exactly a third";
  EXPECT_EQ(m.pinch_phase, 1);
  EXPECT_EQ(m.ChangeHp(-31, 0, 0), 0);
  EXPECT_EQ(m.pinch_phase, 3);
  t.cond = cond_fall_next;
  t.dying = 0, t.monster.hp = 200;
  EXPECT_EQ(t.ChangeHp(1, 0, 0), 1) << "the mark drops it to 0";
}

TEST_F(Damage, RageForDealingAndTakingDamage) {
  struct Dealt {
    int own, target, gain;
  } dealt[] = {{10, 9, 2}, {10, 10, 3}, {10, 15, 3}, {10, 16, 4}, {10, 21, 5}, {10, 26, 6}, {10, 30, 6}, {10, 31, 10}};
  for (const Dealt& c : dealt) EXPECT_EQ(rage_for_dealing(c.own, c.target), c.gain) << c.target;
  struct Taken {
    int own, attacker, amount, max_hp, gain;
  } taken[] = {
      {10, 10, 5, 1000, 10},     // below 1 %: the 1 % unit
      {10, 9, 500, 1000, 50},    // a weaker attacker: the percent
      {10, 12, 500, 1000, 1},    // 50 / (1000 x 4 / 100) = 1
      {10, 10, 5000, 1000, 12},  // 500 / 40
      {10, 18, 5000, 1000, 10},  // 500 / 50
      {10, 30, 6000, 1000, 10},  // 600 / 60
      {10, 12, 50, 10, 50},      // a maximum below 25: the divisor counts as 1
  };
  for (const Taken& c : taken) EXPECT_EQ(rage_for_taking(c.own, c.attacker, c.amount, c.max_hp), c.gain) << c.amount;
}

TEST_F(Damage, GainRageCapsAtAHundredAndSkipsEnemiesAndGuests) {
  a.role->rage = 95;
  a.GainRage(1, 40, 10);
  EXPECT_EQ(a.role->rage, 100);
  a.role->rage = 20;
  a.GainRage(0, 7, -1);
  EXPECT_EQ(a.role->rage, 27) << "raw rage";
  a.guest = 1;
  a.GainRage(1, 40, 10);
  EXPECT_EQ(a.role->rage, 27);
  t.GainRage(1, 40, 10);
}

TEST_F(Damage, DefenceIsLoweredByPoisonAndSleep) {
  t.SetStatWord(9, 100);
  EXPECT_EQ(t.GetEffectiveDefence(), 100);
  StatusEntry poison;
  poison.status_low = status_poison;
  t.statuses.push_back(poison);
  EXPECT_EQ(t.GetEffectiveDefence(), 70);
  StatusEntry sleep;
  sleep.status_low = status_sleep;
  t.statuses.push_back(sleep);
  EXPECT_EQ(t.GetEffectiveDefence(), 42);
}

TEST_F(Damage, AMissArmsTheNextSureHit) {
  a.SetStatWord(10, 1);
  t.SetStatWord(10, 100);
  a.state = 1;
  next_draw(100, 99);
  EXPECT_EQ(calc(a, t), 0);
  EXPECT_EQ(a.sure_hit, 1);
  EXPECT_EQ(calc(a, t), 1) << "whatever the chance";
  EXPECT_EQ(a.sure_hit, 0);
}

}  // namespace

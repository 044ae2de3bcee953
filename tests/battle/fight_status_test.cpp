// Statuses and stat changes: landing and resisting, replacing, moods, stat changes with their
// percentages and cancelling, status turns, and giving back every stat exactly.
#include "core/paths.h"
#include "data/battle_fields.h"
#include "data/maps_db.h"
#include "data/party.h"
#include "tests/battle/battle_test.h"
#include "ui/talk_msg.h"
#include "tests/fixtures/maps_writer.h"
#include "tests/fixtures/temp_folder.h"

namespace {
using namespace battle_test;

class Status : public BattleTest {
 protected:
  Status() : u(enemy(0, 10, 500, 500)) {
    u.status_accept = 100;
    u.buff_accept = 100;
    u.speed = 40;
    for (int w : {8, 9, 10, 11, 12, 13, 14}) u.SetStatWord(w, std::uint16_t(100 + w));
  }
  static ItemData status(std::uint8_t low, std::uint8_t high = 0, std::uint8_t turns = 3) {
    ItemData a{};
    a.status_low = low;
    a.status_high = high;
    a.turns = turns;
    return a;
  }
  static ItemData change(std::uint16_t ItemData::*field, int v, std::uint8_t turns = 3) {
    ItemData a{};
    a.kind = 300;
    a.*field = std::uint16_t(v);
    a.turns = turns;
    return a;
  }
  int count(std::uint32_t bits) const {
    int n = 0;
    for (const StatusEntry& e : u.statuses) n += (e.status_low | e.status_high) & bits ? 1 : 0;
    return n;
  }
  FightMan& u;
};

TEST_F(Status, AcceptanceHundredLandsEveryStatusAndZeroIsImmune) {
  const ItemData poison = status(status_poison);
  next_draw(100, 99);
  EXPECT_EQ(u.ApplyStatus(&poison), 1);
  u.status_accept = 0;
  EXPECT_EQ(u.ApplyStatus(&poison), -1);
  u.status_accept = 50;
  next_draw(100, 51);
  EXPECT_EQ(u.ApplyStatus(&poison), 0) << "resisted";
}

TEST_F(Status, PoisonTwiceReplacesTheFirstEntry) {
  const ItemData poison = status(status_poison);
  u.ApplyStatus(&poison);
  u.statuses.front().turns_left = 1;
  u.ApplyStatus(&poison);
  ASSERT_EQ(count(status_poison), 1);
  EXPECT_EQ(u.statuses.front().turns_left, 3);
}

TEST_F(Status, WeaknessLowersEveryStatAndGivesItBack) {
  const ItemData weak = status(status_weakness);
  u.ApplyStatus(&weak);
  EXPECT_EQ(u.StatWord(8), 108 - 86);  // -80 % of 108 is -86
  EXPECT_EQ(u.speed, 40 - 32);
  u.ApplyStatus(&weak);
  EXPECT_EQ(count(status_weakness), 1);
  EXPECT_EQ(u.StatWord(8), 108 - 86) << "the first weakness given back before the second";
  u.RemoveStatus(status_weakness, 0);
  EXPECT_EQ(u.StatWord(8), 108);
  EXPECT_EQ(u.speed, 40);
}

TEST_F(Status, ASadUnitTakesOnlyTheFirstLowStatus) {
  const ItemData sad = status(0, status_sadness >> 16);
  u.ApplyStatus(&sad);
  const ItemData both = status(status_poison | status_sleep);
  u.ApplyStatus(&both);
  EXPECT_EQ(count(status_poison), 1);
  EXPECT_EQ(count(status_sleep), 0);
}

TEST_F(Status, FuryOnAnExcitedUnitRestoresHitBeforeScaling) {
  u.SetStatWord(10, 100);
  const ItemData excited = status(0, status_excitement >> 16);
  u.ApplyStatus(&excited);
  EXPECT_EQ(u.StatWord(10), 20);
  const ItemData fury = status(0, status_fury >> 16);
  u.ApplyStatus(&fury);
  EXPECT_FALSE(u.HasStatus(status_excitement));
  EXPECT_EQ(u.StatWord(10), 160);
  EXPECT_EQ(u.StatWord(8), 108 * 160 / 100);
  EXPECT_EQ(u.StatWord(9), 109 * 20 / 100);
  u.RemoveStatus(status_fury, 0);
  EXPECT_EQ(u.StatWord(10), 100);
  EXPECT_EQ(u.StatWord(9), 109);
}

TEST_F(Status, APercentageRaiseIsCancelledByAPercentageLowering) {
  u.SetStatWord(8, 200);
  const ItemData up = change(&ItemData::attack, 10050);
  EXPECT_EQ(u.ApplyBuffs(&up), 1);
  EXPECT_EQ(u.StatWord(8), 300);
  const ItemData down = change(&ItemData::attack, -10050);
  EXPECT_EQ(u.ApplyBuffs(&down), 2);
  EXPECT_EQ(u.StatWord(8), 200) << "the raise is removed and the lowering not applied";
  EXPECT_FALSE(u.HasStatChange(0x10000000 | 0x100000));
}

TEST_F(Status, ARaiseOfNoTurnsEndsAtTheFirstStatusTurn) {
  const ItemData up = change(&ItemData::defence, 30, 0);
  u.ApplyBuffs(&up);
  EXPECT_EQ(u.StatWord(9), 139);
  u.speed = 500;
  u.TickStatuses();
  EXPECT_EQ(u.StatWord(9), 139);
  u.TickStatuses();
  EXPECT_EQ(u.StatWord(9), 109);
}

TEST_F(Status, TwoIconsOfOneActionComeTwentyFramesApart) {
  ItemData a = change(&ItemData::attack, 5);
  a.defence = 5;
  a.hit = 5;  // no icon
  u.ApplyBuffs(&a);
  std::vector<int> delays;
  for (const HitNumber& n : u.hit_numbers) delays.push_back(n.delay);
  ASSERT_EQ(delays.size(), 2u);
  EXPECT_EQ(delays[0], 20);
  EXPECT_EQ(delays[1], 0);
}

TEST_F(Status, AnImmuneOrResistingUnitKeepsItsStats) {
  const ItemData down = change(&ItemData::attack, -20);
  u.buff_accept = 0;
  EXPECT_EQ(u.ApplyBuffs(&down), -1);
  u.buff_accept = 10;
  next_draw(100, 50);
  EXPECT_EQ(u.ApplyBuffs(&down), -2);
  EXPECT_EQ(u.StatWord(8), 108);
  ItemData tough_hit = down;
  tough_hit.element = 2;
  u.monster.kind = 130;
  EXPECT_EQ(u.ApplyBuffs(&tough_hit), -1);
  EXPECT_EQ(u.ApplyStatus(&tough_hit), 0) << "no status bits";
}

TEST_F(Status, PoisonSetsAPendingDamageEachStatusTurn) {
  const ItemData poison = status(status_poison, 0, 2);
  u.ApplyStatus(&poison);
  u.speed = 1000;
  u.TickStatuses();
  EXPECT_EQ(u.status_damage, 25);
  EXPECT_EQ(u.ShowPendingDamage(), 1);
  EXPECT_EQ(u.hp_pending, 25);
  EXPECT_EQ(u.status_damage, 0);
  u.TickStatuses();
  EXPECT_FALSE(u.HasStatus(status_poison));
}

TEST_F(Status, RandomChangesAreAllGivenBackByTheClearingRemoval) {
  const int before[7] = {u.StatWord(8), u.StatWord(9), u.StatWord(10), u.StatWord(11),
                         u.StatWord(12), u.StatWord(13), u.StatWord(14)};
  const int speed = u.speed;
  init_random(99);
  std::uint16_t ItemData::*fields[] = {&ItemData::attack, &ItemData::defence, &ItemData::hit, &ItemData::speed,
                                       &ItemData::magic_attack, &ItemData::magic_defence, &ItemData::magic_hit};
  for (int i = 0; i < 200; ++i) {
    const unsigned pick = rand_below(10);
    if (pick < 7) {
      const int v = int(rand_below(3)) == 0 ? 10000 + int(rand_below(90)) : int(rand_below(60)) - 30;
      const ItemData a = change(fields[pick], rand_below(2) ? v : -v);
      u.ApplyBuffs(&a);
    } else if (pick == 7) {
      const ItemData a = status(status_weakness);
      u.ApplyStatus(&a);
    } else {
      const ItemData a = status(0, std::uint8_t(1u << rand_below(4)));
      u.ApplyStatus(&a);
    }
    u.cond &= ~cond_dodge;
  }
  u.RemoveStatus(0, 0);
  EXPECT_TRUE(u.statuses.empty());
  const int after[7] = {u.StatWord(8), u.StatWord(9), u.StatWord(10), u.StatWord(11),
                        u.StatWord(12), u.StatWord(13), u.StatWord(14)};
  for (int i = 0; i < 7; ++i) EXPECT_EQ(after[i], before[i]) << i;
  EXPECT_EQ(u.speed, speed);
}

TEST_F(Status, DeathMakesTheWholeHpThePendingDamage) {
  const ItemData death = status(status_death);
  EXPECT_EQ(u.ApplyStatus(&death), 1);
  EXPECT_EQ(u.status_damage, 500);
  EXPECT_EQ(u.hp_pending, 500);
  EXPECT_EQ(fight_hp_pass_requested, 1);
}

TEST_F(Status, ACureRevivesTheDeadAndEndsSadness) {
  FightMan& m = member(0, 5, 0, 100);
  m.dead = 1;
  m.role->flags = 1;
  fight_ally_count = 2;
  fight_fallen_count = 1;
  FightMan& sad = member(1, 5);
  sad.status_accept = 100;
  const ItemData sadness = status(0, status_sadness >> 16);
  sad.ApplyStatus(&sadness);
  ItemData cure = status(status_death);
  cure.action_flags = 0x40;
  EXPECT_EQ(m.ApplyStatus(&cure), 2);
  EXPECT_EQ(m.IsDead(), 0);
  EXPECT_EQ(m.role->flags & 1, 0);
  EXPECT_TRUE(m.TestCondition(cond_revived));
  EXPECT_EQ(fight_fallen_count, 0);
  EXPECT_FALSE(sad.HasStatus(status_sadness));
}

TEST_F(Status, AStanceIsTheFirstYinYangEntry) {
  FightMan& m = member(0, 5);
  m.buff_accept = 100;
  ItemData stance{};
  stance.kind = 300;
  stance.target_side = 1;
  stance.yang = 0x0150;
  stance.power = 12;
  EXPECT_EQ(m.ApplyBuffs(&stance), 1);
  YinYangRecord r;
  ASSERT_EQ(m.GetStance(&r), 1);
  EXPECT_EQ(r.side, 1);
  EXPECT_EQ(r.level, 0x50);
  EXPECT_EQ(r.power, 12);
  YinYangRecord guard;
  u.monster.yin = 30;
  ASSERT_EQ(u.GetYinYangGuard(&guard), 1);
  EXPECT_EQ(guard.level, 30);
  EXPECT_EQ(FightMan::YinYangRatio(r, guard), 0x50);
  ItemData mark = stance;
  mark.target_side = 0;
  mark.action_flags = 0x80;
  EXPECT_EQ(u.ApplyBuffs(&mark), 5);
}

// The moods of a party character's turn: excitement after turns at full rage, madness after
// turns in fury or sadness. Excitement's row 0 fires on the first turn, not on the second;
// madness's row 2 fires on the first turn.
class Moods : public BattleTest {
 protected:
  Moods() : u(member(0, 10)) {
    game_dir = dir.str();
    close_maps_data();
    fixtures::MapsDat db;
    const fixtures::ChanceRow sure_then_never{{{{1, 10}, {5, 0}, {0, 0}, {0, 0}, {0, 0}, {0, 0}, {0, 0}, {0, 0}}}};
    const fixtures::ChanceRow never{{{{255, 0}, {0, 0}, {0, 0}, {0, 0}, {0, 0}, {0, 0}, {0, 0}, {0, 0}}}};
    db.excite_rows = {sure_then_never};
    db.mood_rows = {never, never, sure_then_never};
    dir.write("maps.dat", fixtures::as_string(fixtures::maps_dat(db)));
    open_maps_data();
    u.status_accept = 100;
  }
  ~Moods() override {
    close_maps_data();
    del_all_talkmsg();
  }
  fixtures::TempFolder dir{true};
  FightMan& u;
};

TEST_F(Moods, FullRageExcitesOnTheTurnsItsRowAllows) {
  struct Case {
    int rage;
    std::uint32_t has;
    std::uint8_t waited;
    std::uint8_t waited_after;
    bool excited;
  } cases[] = {
      {100, 0, 0, 1, true},                   // first turn at full rage: row entry 1 fires
      {100, 0, 1, 2, false},                  // second turn: entry 2 never does
      {99, 0, 0, 0, false},                   // below full rage nothing is counted
      {100, status_madness, 0, 0, false},     // madness keeps excitement away
  };
  for (const Case& c : cases) {
    u.RemoveStatus(0, 0);
    if (c.has) fight_apply_mood(u, std::uint8_t(c.has >> 16), 5, "%s");
    u.role->rage = c.rage;
    role_rage_turns(*u.role) = c.waited;
    fight_ally_mood_rolls(u, 0);
    EXPECT_EQ(role_rage_turns(*u.role), c.waited_after) << c.rage << " " << int(c.waited);
    EXPECT_EQ(u.HasStatus(status_excitement) != 0, c.excited) << c.rage << " " << int(c.waited);
  }
}

TEST_F(Moods, FuryOrSadnessTurnsIntoMadnessAndTheCountStartsAgain) {
  role_madness_count(*u.role) = 3;
  fight_ally_mood_rolls(u, 0);
  EXPECT_EQ(role_madness_count(*u.role), 0) << "no fury, no sadness: the count is cleared";
  EXPECT_FALSE(u.HasStatus(status_madness));
  fight_apply_mood(u, std::uint8_t(status_fury >> 16), 5, "%s");
  fight_ally_mood_rolls(u, 0);
  EXPECT_TRUE(u.HasStatus(status_madness));
  EXPECT_EQ(role_madness_count(*u.role), 0) << "cleared when madness lands";
}

}  // namespace

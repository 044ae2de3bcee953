// Applying an action's results: the kinds and delays of the numbers, dodges, the pending
// changes they carry and the deferred pass with its deaths in list order.
#include "tests/battle/battle_test.h"

namespace {
using namespace battle_test;

class Numbers : public BattleTest {
 protected:
  std::vector<std::pair<int, int>> kinds(const FightMan& u) {
    std::vector<std::pair<int, int>> out;
    for (auto it = u.hit_numbers.rbegin(); it != u.hit_numbers.rend(); ++it) out.push_back({it->digit_act, it->delay});
    return out;
  }
};

TEST_F(Numbers, ResultsBecomeNumbersWithTheirDelays) {
  FightMan& a = member(0, 1, 100, 100);
  FightMan& t = enemy(0, 1, 500, 500);
  FightMan* targets[] = {&t, nullptr};
  a.state = 2;
  a.action.hp_amount = 40;
  a.action.mp_amount = 5;
  fight_apply_action(&a, targets, 2, apply_damage_rule);
  using P = std::pair<int, int>;
  EXPECT_EQ(kinds(t), (std::vector<P>{{9004, 0}, {9031, 15}}));
  EXPECT_EQ(t.hp_pending, 40);
  EXPECT_EQ(t.mp_pending, 5);
  EXPECT_EQ(t.GetState(), 55) << "damage starts the hurt reaction";
  EXPECT_EQ(fight_last_hit_missed, 0);

  FightMan& friend_unit = member(1, 1, 10, 500);
  FightMan* heal[] = {&friend_unit};
  a.action = ItemData{};
  a.action.hp_amount = 300;
  a.action.action_flags = 0x40;
  fight_apply_action(&a, heal, 1, apply_damage_rule);
  EXPECT_EQ(kinds(friend_unit), (std::vector<P>{{9005, 0}}));
  EXPECT_EQ(friend_unit.hit_numbers.front().value, 300u);
  EXPECT_NE(friend_unit.GetState(), 55) << "a heal hurts no one";

  FightMan& mp_only = enemy(1, 1);
  FightMan* mp_target[] = {&mp_only};
  a.action = ItemData{};
  a.action.mp_amount = 7;
  fight_apply_action(&a, mp_target, 1, apply_damage_rule);
  EXPECT_EQ(kinds(mp_only), (std::vector<P>{{9031, 0}}));
}

TEST_F(Numbers, AMissShowsItsPictureOrIsDodged) {
  FightMan& a = member(0, 1);
  FightMan& t = enemy(0, 1);
  a.state = 1;
  a.SetStatWord(10, 1);
  t.SetStatWord(10, 100);
  FightMan* targets[] = {&t};
  next_draw(100, 99);
  fight_apply_action(&a, targets, 1, apply_damage_rule);
  ASSERT_EQ(t.hit_numbers.size(), 1u);
  EXPECT_EQ(t.hit_numbers.front().digit_act, 9030);
  EXPECT_EQ(t.hit_numbers.front().mode, 1);
  EXPECT_EQ(fight_last_hit_missed, 1);

  FightMan& dodger = enemy(1, 1);
  dodger.cond = cond_dodge;
  dodger.AddHitNumber(number_miss, 0, 0);
  EXPECT_TRUE(dodger.hit_numbers.empty());
  EXPECT_EQ(dodger.TestCondition(cond_dodge), 0u);
}

TEST_F(Numbers, NumbersCarryTheirChangesAndTheNegativeKindFollowsTheSign) {
  FightMan& u = member(0, 1, 100, 100);
  u.AddHitNumber(number_damage, 30, 0);
  u.AddHitNumber(number_heal, -10, 0);
  u.AddHitNumber(number_mp, 4, 15);
  u.AddHitNumber(number_sp, -2, 30);
  EXPECT_EQ(u.hp_pending, 20);
  EXPECT_EQ(u.mp_pending, 4);
  EXPECT_EQ(u.sp_pending, -2);
  EXPECT_EQ(u.HitNumberCount(), 4);
  EXPECT_EQ(u.hit_numbers.front().value, 2u);
}

TEST_F(Numbers, TheDeferredPassFellsUnitsInListOrder) {
  std::vector<int> fallen;
  FightMan& e0 = enemy(0, 1, 10, 10);
  FightMan& e1 = enemy(1, 1, 10, 10);
  FightMan& m = member(0, 1, 10, 10);
  fight_unit_count = 3;
  fight_unit_list[0] = 0, fight_unit_list[1] = 7, fight_unit_list[2] = 6;
  fight_enemy_count = 2;
  fight_ally_count = 1;
  e0.hp_pending = 20, e1.hp_pending = 20, m.hp_pending = 5;
  fight_apply_pending_hp();
  EXPECT_EQ(e0.dying, 0) << "no pass was asked for";
  fight_request_hp_pass(1);
  fight_apply_pending_hp();
  EXPECT_EQ(e0.dying, 1);
  EXPECT_EQ(e1.dying, 1);
  EXPECT_EQ(m.role->hp, 5);
  EXPECT_EQ(fight_enemies_out, 2);
  EXPECT_EQ(fight_hp_pass_requested, 0);
}

TEST_F(Numbers, NullActorsAndTargetsArePassed) {
  FightMan& t = enemy(0, 1);
  FightMan* targets[] = {nullptr, &t};
  fight_apply_action(nullptr, targets, 2, apply_damage_rule | apply_hurt);
  EXPECT_TRUE(t.hit_numbers.empty());
  fight_apply_action(&member(0, 1), targets, 2, apply_hurt);
  EXPECT_EQ(t.GetState(), 55);
}

}  // namespace

// Action choice and costs: the battle AI's slot actions and their refusals, the cost test and
// payment, the automatic attack's targets, reinforcements and the debug enemy action.
#include "base/resources.h"
#include "battle/atk_script.h"
#include "battle/fight_action.h"
#include "battle/fight_choice.h"
#include "battle/fight_debug_atk.h"
#include "data/party.h"
#include "tests/battle/battle_test.h"
#include "tests/fixtures/battle_ground_kit.h"
#include "tests/fixtures/objdata_writer.h"
#include "tests/fixtures/temp_folder.h"
#include "core/log.h"
#include "core/paths.h"
#include "ui/talk_msg.h"

namespace {
using namespace battle_test;
using namespace fixtures;

// Objects: 1 a plain action (ATK 40); 2 skipped when the target already has its stat change;
// 3 needing status 0x4 absent; 4 needing two fire talismans (element 2).
enum : std::uint16_t { plain = 1, buff = 2, poison = 3, talisman = 4 };

class Choice : public BattleTest {
 protected:
  Choice() {
    game_dir = dir.str();
    set_error_log_switch(1);
    reset_debug_log(nullptr);
    install_item_data(objdata_gll({
        ObjectRecord().kind(301).tag(tag_atk_script, {op16(40)}),
        ObjectRecord().kind(301).tag(tag_atk_script, {op16(41)}).tag(tag_action_flags, {op8(0x20), op8(0), op8(0)})
            .tag(tag_stats, {op16(10), op16(0), op16(0), op16(0), op16(0)}),
        ObjectRecord().kind(301).tag(tag_action_flags, {op8(0x80), op8(0), op8(0)}).tag(tag_status_low, {op8(0x4)}),
        ObjectRecord().kind(301).tag(tag_action_flags, {op8(0x80), op8(0), op8(0)}).tag(tag_talisman, {op8(2), op8(2)}),
    }));
    talisman_gauge_element = talisman_gauge_count = 0;
    party_money = party_metal = party_wood = party_coal = 0;
    auto_target = -1;
  }
  ~Choice() override {
    install_item_data({});
    talisman_gauge_element = talisman_gauge_count = 0;
    party_money = party_metal = party_wood = party_coal = 0;
    auto_target = -1;
    free_fight_atk_data();
    del_all_talkmsg();
  }
  // Enemy 0 with its action slots (object, uses).
  static FightMan& monster(std::initializer_list<std::pair<std::uint16_t, std::uint8_t>> slots) {
    FightMan& u = enemy(0, 5);
    int i = 0;
    for (auto [object, uses] : slots) u.monster.ai_actions[i] = object, u.monster.ai_uses[i++] = uses;
    return u;
  }
  TempFolder dir{true};
};

TEST_F(Choice, ASlotActionIsTakenWhileItHasUses) {
  FightMan& m = monster({{0, 5}, {plain, 0}, {plain, 1}});
  FightMan& target = member(0, 5);
  ItemData out{};
  EXPECT_EQ(m.AiChooseAction(3, &target, &out), 0) << "an empty slot";
  EXPECT_EQ(m.AiChooseAction(4, &target, &out), 0) << "no uses left";
  ASSERT_EQ(m.AiChooseAction(5, &target, &out), 1);
  EXPECT_EQ(m.GetState(), 2);
  EXPECT_EQ(m.GetAtkNumber(), 40);
  EXPECT_EQ(out.atk_script, 40);
  EXPECT_EQ(m.monster.ai_uses[2], 0);
  EXPECT_EQ(m.AiChooseAction(5, &target, &out), 0) << "its one use is spent";
  for (std::uint16_t c : {0, 8, 100}) EXPECT_EQ(m.AiChooseAction(c, &target, &out), 0) << c;
}

TEST_F(Choice, ConfusionRefusesEverySlotButNotTheAttackOrThePass) {
  FightMan& m = monster({{plain, 9}});
  FightMan& target = member(0, 5);
  StatusEntry confused{};
  confused.status_low = status_confusion;
  m.statuses.push_back(confused);
  ItemData out{};
  EXPECT_EQ(m.AiChooseAction(3, &target, &out), 0);
  EXPECT_EQ(m.AiChooseAction(1, &target, &out), 1);
  EXPECT_EQ(m.GetState(), 1);
  EXPECT_EQ(m.AiChooseAction(2, &target, &out), 1);
  EXPECT_EQ(m.GetState(), 0);
  EXPECT_EQ(m.monster.ai_uses[0], 9);
}

TEST_F(Choice, ActionsAreSkippedWhenTheTargetHasWhatTheyGiveOrTheGaugeCannotPay) {
  FightMan& m = monster({{buff, 9}, {poison, 9}, {talisman, 9}});
  FightMan& target = member(0, 5);
  ItemData out{};
  ASSERT_EQ(m.AiChooseAction(3, &target, &out), 1) << "no stat change yet";
  StatusEntry change{};
  change.key = target.GetStatChangeBits(&out);
  ASSERT_NE(change.key, 0u);
  target.statuses.push_back(change);
  EXPECT_EQ(m.AiChooseAction(3, &target, &out), 0);
  ASSERT_EQ(m.AiChooseAction(4, &target, &out), 1);
  StatusEntry poisoned{};
  poisoned.status_low = 0x4;
  target.statuses.push_back(poisoned);
  EXPECT_EQ(m.AiChooseAction(4, &target, &out), 0);
  const struct { std::uint8_t element, count; int taken; } gauges[] = {
      {0, 0, 0}, {1, 3, 0}, {2, 1, 0}, {2, 2, 1}, {2, 5, 1},
  };
  for (const auto& g : gauges) {
    talisman_gauge_element = g.element, talisman_gauge_count = g.count;
    EXPECT_EQ(m.AiChooseAction(5, &target, &out), g.taken) << int(g.element) << " " << int(g.count);
  }
}

TEST_F(Choice, CostsArePaidExactlyAndNeverBelowZero) {
  FightMan& u = member(0, 5, 30);
  RoleData& r = *u.role;
  r.mp = 12, r.sp = 5, r.rage = 40;
  ItemData a{};
  a.hp_cost = 30, a.mp_cost = 12, a.sp_cost = 5, a.rage_cost = 40;
  EXPECT_EQ(u.CanPayCost(&a), 1) << "exactly what it has";
  u.SetAction(a);
  u.PayCost();
  EXPECT_EQ(r.hp, 0);
  EXPECT_EQ(r.mp, 0);
  EXPECT_EQ(r.sp, 0);
  EXPECT_EQ(r.rage, 0);
  const struct { std::uint16_t hp, mp, sp; std::int16_t rage; } shorts[] = {{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}, {0, 0, 0, 1}};
  for (const auto& s : shorts) {
    ItemData b{};
    b.hp_cost = s.hp, b.mp_cost = s.mp, b.sp_cost = s.sp, b.rage_cost = s.rage;
    EXPECT_EQ(u.CanPayCost(&b), 0);
  }
}

TEST_F(Choice, AResourceArtAlsoCostsThePartysResources) {
  FightMan& u = member(0, 5);
  ItemData a{};
  a.kind = 304;
  a.cost_metal = 3, a.cost_wood = 2, a.cost_coal = 1, a.cost_money = 10;
  party_metal = 3, party_wood = 2, party_coal = 1, party_money = 9;
  EXPECT_EQ(u.CanPayCost(&a), 0) << "one short of the money";
  party_money = 10;
  EXPECT_EQ(u.CanPayCost(&a), 1);
  u.SetAction(a);
  u.PayCost();
  EXPECT_EQ(party_metal + party_wood + party_coal + party_money, 0);
  a.kind = 301;
  EXPECT_EQ(u.CanPayCost(&a), 1) << "other kinds cost no resources";
}

TEST_F(Choice, TheAutomaticAttackKeepsItsTargetUntilItFalls) {
  fight_enemy_count = 3;
  for (int k = 0; k < 3; ++k) enemy(k, 1);
  member(0, 5);
  ActMan = 0;
  EXPECT_EQ(fight_auto_targets(0), 0) << "auto-battle off and no madness: the menu opens";
  enemy(0, 1).dead = 1;
  enemy(1, 1).dead = 1;
  ASSERT_EQ(fight_auto_targets(1), 1);
  EXPECT_EQ(auto_target, 8) << "the one standing enemy";
  ASSERT_EQ(fight_action.target_count, 1);
  EXPECT_EQ(fight_action.targets[0], &gmFightMan[8]);
  enemy(1, 1).dead = 0;
  fight_auto_targets(1);
  EXPECT_EQ(auto_target, 8) << "kept while it stands";
  gmFightMan[8].dead = 1;
  ASSERT_EQ(fight_auto_targets(1), 1);
  EXPECT_EQ(auto_target, 7);
  for (FightMan* e : {&gmFightMan[6], &gmFightMan[7], &gmFightMan[8]}) e->dead = 1;
  EXPECT_EQ(fight_auto_targets(1), 0) << "one pass finds no standing enemy";
}

TEST_F(Choice, MadnessForgetsTheTargetEveryTurn) {
  fight_enemy_count = 2;
  enemy(0, 1), enemy(1, 1);
  FightMan& u = member(0, 5);
  StatusEntry mad{};
  mad.status_high = status_madness;
  u.statuses.push_back(mad);
  ActMan = 0;
  auto_target = 7;
  next_draw(2, 0);
  ASSERT_EQ(fight_auto_targets(0), 1);
  EXPECT_EQ(auto_target, 6);
}

TEST_F(Choice, ReinforcementsNeedGroundARoomySpotAndASlot) {
  fight_enemy_count = 1;
  enemy(0, 1);
  EXPECT_EQ(fight_can_call_companion(), 0) << "no ground";
  kit::FlatGround ground;
  EXPECT_EQ(fight_can_call_companion(), 1);
  // An enemy standing on the first spot pushes the call to the second.
  FightMan& in_way = enemy(0, 1);
  in_way.pos = G3dVector{-200, 100, 0, 0};
  ASSERT_EQ(fight_call_companion(0), 1);
  FightMan& called = gmFightMan[7];
  EXPECT_EQ(fight_enemy_count, 2);
  EXPECT_EQ(called.IsEnemy(), 1);
  EXPECT_EQ(called.IsCompanion(), 1);
  EXPECT_FLOAT_EQ(called.home.x, -100);
  // A dead enemy's slot is taken again, and counted back in.
  fight_enemies_out = 1;
  in_way.dead = 1;
  ASSERT_EQ(fight_call_companion(0), 1);
  EXPECT_EQ(fight_enemies_out, 0);
  EXPECT_EQ(fight_enemy_count, 2);
  EXPECT_EQ(gmFightMan[6].IsDead(), 0);
  // Ten enemies, none dead: no slot.
  fight_enemy_count = 10;
  EXPECT_EQ(fight_can_call_companion(), 0);
  EXPECT_EQ(fight_call_companion(0), 0);
}

TEST_F(Choice, TheDebugActionMakesTheNamedEnemyActOnUnitZero) {
  fight_enemy_count = 2;
  enemy(0, 1), enemy(1, 1);
  member(0, 5);
  ActMan = 1;
  fight_turns_left = 3;
  fight_debug_atk(1, 40);
  EXPECT_EQ(ActMan, 6);
  EXPECT_EQ(fight_main_target, 0);
  EXPECT_EQ(fight_turns_left, 2);
  EXPECT_EQ(fight_action.actor, &gmFightMan[6]);
  EXPECT_EQ(fight_action.targets[0], &gmFightMan[0]);
  EXPECT_EQ(debug_atk_enemy, 1);
  EXPECT_EQ(debug_atk_script, 40);
  fight_debug_atk(3, 40);
  EXPECT_EQ(ActMan, 6) << "no third enemy: refused";
  fight_debug_atk(12, 40);
  EXPECT_EQ(ActMan, 6) << "a slot past the units: refused";
}

}  // namespace

// The battle AI: decisions, target criteria, the weighted and chance jumps and the act.
#include "battle/fight_action.h"
#include "battle/fight_globals.h"
#include "battle/fight_man.h"
#include "core/flags.h"
#include "core/random_r250.h"
#include "tests/fixtures/random_kit.h"
#include "data/object_db.h"
#include "tests/fixtures/objdata_writer.h"
#include "tests/fixtures/battle_ground_kit.h"
#include "tests/fixtures/script_assembler.h"
#include "script/fight_ai.h"
#include "tests/script/script_test.h"

namespace {
using namespace script_test;
using fixtures::assemble_ai;

class BattleAi : public ScriptTest {
 protected:
  BattleAi() {
    fight_clear_block();
    fight_action = FightAction{};
    free_fight_atk_data();
    atk_last_started = 0;
    install_atk_data(fixtures::atk_gll_image({{33, fixtures::assemble_atk("group; end")}}));
    ActMan = -1;
    for (FightMan& u : gmFightMan) fight_unit_clear(u);
    reset_fight_ai();
    ai_range_first = ai_range_end = 0;
    ai_last_pick = ai_pick_repeats = 0;
    clear_flag(600), clear_flag(601);
    fight_ally_count = 3;
    fight_enemy_count = 2;
    for (int k = 0; k < 3; ++k) unit(k, 100, 100);
    for (int k = 6; k < 8; ++k) unit(k, 100, 100);
    ActMan = 6;
    init_random(1);
  }
  static FightMan& unit(int slot, int hp, int max) {
    FightMan& u = gmFightMan[slot];
    fight_unit_clear(u);
    u.side = slot < fight_first_enemy ? side_party : side_enemy;
    u.monster.hp = hp, u.monster.max_hp = max;
    return u;
  }
  static void next_draw(unsigned n, unsigned r) { fixtures::seed_next_draw(n, r); }
  FightMan& actor() { return gmFightMan[ActMan]; }
};

TEST_F(BattleAi, CriteriaPickTheirUnits) {
  unit(0, 60, 100), unit(1, 40, 100), unit(2, 30, 100);
  ai_side = 1;
  ai_criterion = 5;
  EXPECT_EQ(select_ai_target(&actor()), 0);
  ai_criterion = 6;
  EXPECT_EQ(select_ai_target(&actor()), 2);
  ai_criterion = 410;
  ai_hp_percent = 50;
  EXPECT_EQ(select_ai_target(&actor()), 2);
  EXPECT_EQ(ai_hp_percent, 30);
  ai_criterion = 412;
  EXPECT_EQ(select_ai_target(&actor()), -1) << "three standing";
  gmFightMan[0].dead = gmFightMan[1].dead = 1;
  EXPECT_EQ(select_ai_target(&actor()), 2);
  for (std::uint16_t c : {1, 2, 3, 4}) {
    ai_criterion = c;
    EXPECT_EQ(select_ai_target(&actor()), -1) << c;
  }
}

TEST_F(BattleAi, CriteriaOverFallenUnitsFindNone) {
  unit(0, 0, 100);
  for (int k = 0; k < 3; ++k) gmFightMan[k].dead = 1;
  ai_side = 1;
  for (std::uint16_t c : {5, 6, 412}) {
    ai_criterion = c;
    EXPECT_EQ(select_ai_target(&actor()), -1) << c;
  }
}

TEST_F(BattleAi, APercentageNeedsAMaximumAndSaturates) {
  unit(0, 10, 0), unit(1, 90, 100), unit(2, 2000000000, 1);
  ai_side = 1;
  ai_criterion = 410;
  ai_hp_percent = 95;
  EXPECT_EQ(select_ai_target(&actor()), 1);
}

TEST_F(BattleAi, ConditionCriteriaAnswerOneOrNone) {
  talisman_gauge_element = 2, talisman_gauge_count = 5;
  struct Case {
    std::uint16_t criterion, element, count;
    int expected;
  } cases[] = {{414, 2, 5, 1}, {414, 2, 6, -1}, {414, 3, 0, -1}, {416, 2, 6, 1}, {416, 2, 5, -1}};
  for (const Case& c : cases) {
    ai_criterion = c.criterion, ai_talisman_element = c.element, ai_talisman_count = c.count;
    EXPECT_EQ(select_ai_target(&actor()), c.expected) << c.criterion << " " << c.count;
  }
  ai_criterion = 415;
  EXPECT_EQ(select_ai_target(&actor()), -1);
  fight_guest_count = 1;
  EXPECT_EQ(select_ai_target(&actor()), 1);
  ai_criterion = 418;
  actor().turns = 6;
  ai_turn_divisor = 3;
  EXPECT_EQ(select_ai_target(&actor()), 1);
  ai_turn_divisor = 4;
  EXPECT_EQ(select_ai_target(&actor()), -1);
  ai_turn_divisor = 0;
  EXPECT_EQ(select_ai_target(&actor()), -1) << "no divisor, no multiple";
}

TEST_F(BattleAi, GuestsChooseAmongTheEnemies) {
  ActMan = 3;
  unit(3, 50, 50).guest = 1;
  ai_side = 1;
  ai_criterion = 0;
  for (int i = 0; i < 20; ++i) {
    int t = select_ai_target(&actor());
    EXPECT_TRUE(t == 6 || t == 7) << t;
  }
}

TEST_F(BattleAi, TheFourthDrawOfOneMemberIsRefused) {
  ai_side = 1;
  ai_criterion = 0;
  int last = -1, run = 0, longest = 0;
  for (int i = 0; i < 300; ++i) {
    int t = select_ai_target(&actor());
    ASSERT_TRUE(t >= 0 && t < 3);
    run = t == last ? run + 1 : 1;
    last = t;
    longest = std::max(longest, run);
  }
  EXPECT_LE(longest, 3);
}

// A sole standing member is still drawn for: each draw passes the guard and uses up a value of
// the generator, unless the guard would refuse that member, which no draw could get past.
TEST_F(BattleAi, ASoleCandidateIsDrawnThroughTheGuard) {
  struct Case {
    std::uint8_t last, repeats, want_last, want_repeats;
    unsigned draws;
  } cases[] = {{1, 1, 1, 2, 1}, {0, 0, 1, 1, 1}, {2, 2, 1, 1, 1}, {1, 3, 1, 3, 0}};
  ai_side = 1;
  ai_criterion = 0;
  gmFightMan[0].withdrawn = gmFightMan[2].withdrawn = 1;
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << int(c.last) << "," << int(c.repeats));
    ai_last_pick = c.last, ai_pick_repeats = c.repeats;
    next_draw(3, 1);
    EXPECT_EQ(select_ai_target(&actor()), 1);
    EXPECT_EQ(ai_last_pick, c.want_last);
    EXPECT_EQ(ai_pick_repeats, c.want_repeats);
    const unsigned after = rand_below(1000);
    next_draw(3, 1);
    for (unsigned i = 0; i < c.draws; ++i) rand_below(3);
    EXPECT_EQ(after, rand_below(1000)) << "the draws made";
  }
}

TEST_F(BattleAi, RandomChoiceWithoutCandidatesEnds) {
  ai_side = 1;
  ai_criterion = 0;
  for (int k = 0; k < 3; ++k) gmFightMan[k].withdrawn = 1;
  EXPECT_EQ(select_ai_target(&actor()), -1);
  gmFightMan[1].withdrawn = 0;
  ai_last_pick = 1, ai_pick_repeats = 3;
  EXPECT_EQ(select_ai_target(&actor()), 1) << "a sole candidate is taken even against the guard";
  fight_ally_count = 0;
  EXPECT_EQ(select_ai_target(&actor()), -1) << "an empty range";
}

TEST_F(BattleAi, WeightedJumpCoversTheDrawsOfEachPair) {
  load_ai({{1, assemble_ai("500 [30L @a 70L @b]; a: set_flag 600; end; b: set_flag 601; end")}});
  struct Case {
    unsigned draw;
    int flag;
  } cases[] = {{0, 600}, {30, 600}, {31, 601}, {99, 601}};
  for (const Case& c : cases) {
    clear_flag(600), clear_flag(601);
    actor().ai_number = 1;
    actor().ai_start = actor().ai_pc = 0;
    next_draw(100, c.draw);
    run_fight_ai(&actor());
    EXPECT_TRUE(test_flag(c.flag)) << c.draw;
  }
}

TEST_F(BattleAi, WeightsShortOfTheDrawTakeTheLastPair) {
  load_ai({{1, assemble_ai("500 [10L @a 10L @b]; a: set_flag 600; end; b: set_flag 601; end")}});
  actor().ai_number = 1;
  next_draw(100, 90);
  run_fight_ai(&actor());
  EXPECT_TRUE(test_flag(601));
}

TEST_F(BattleAi, ChanceJumpTakesChancePlusOneInAHundred) {
  load_ai({{1, assemble_ai("501 0 @yes; set_flag 601; end; yes: set_flag 600; end")},
           {2, assemble_ai("501 99 @yes; set_flag 601; end; yes: set_flag 600; end")}});
  struct Case {
    std::uint16_t ai;
    unsigned draw;
    int flag;
  } cases[] = {{1, 0, 600}, {1, 1, 601}, {2, 99, 600}, {2, 0, 600}};
  for (const Case& c : cases) {
    clear_flag(600), clear_flag(601);
    actor().ai_number = c.ai;
    actor().ai_start = actor().ai_pc = 0;
    next_draw(100, c.draw);
    run_fight_ai(&actor());
    EXPECT_TRUE(test_flag(c.flag)) << c.ai << " " << c.draw;
  }
}

TEST_F(BattleAi, AnActTakenEndsTheTurnAndRestartsTheScript) {
  load_ai({{1, assemble_ai("side 1; criterion 5; act 1; set_flag 600; end")}});
  actor().ai_number = 1;
  actor().monster.atk_script = 33;
  run_fight_ai(&actor());
  EXPECT_EQ(atk_last_started, 33);
  EXPECT_EQ(actor().target, 0);
  EXPECT_EQ(actor().ai_start, 0u);
  EXPECT_FALSE(test_flag(600));
}

TEST_F(BattleAi, AnActRefusedClearsTheDecisionAndGoesOn) {
  load_ai({{1, assemble_ai("side 1; criterion 5; act 3; set_flag 600; end")}});
  actor().ai_number = 1;
  run_fight_ai(&actor());
  EXPECT_TRUE(test_flag(600));
  EXPECT_EQ(ai_side, 0);
  EXPECT_EQ(ai_criterion, 0);
  EXPECT_EQ(atk_last_started, 0);
}

TEST_F(BattleAi, CriterionOfAGuestTargetsSlotOne) {
  ActMan = 3;
  unit(3, 50, 50).guest = 1;
  ai_criterion = 417;
  ai_act = 1;
  EXPECT_EQ(do_ai_action(&actor()), 1);
  EXPECT_EQ(fight_main_target, 1) << "the ATK commands' main target";
}

TEST_F(BattleAi, FleeAndCompanionCallsSetTheirCommands) {
  ai_side = 3;
  ai_criterion = 0;
  ai_act = 8;
  EXPECT_EQ(do_ai_action(&actor()), 1);
  EXPECT_EQ(actor().state, 50);
  EXPECT_EQ(fight_action.ai_flee, 1);
  ai_act = 20;
  EXPECT_EQ(do_ai_action(&actor()), 0) << "no ground to call onto";
  kit::FlatGround ground;
  EXPECT_EQ(do_ai_action(&actor()), 1);
  EXPECT_EQ(actor().state, 59);
  EXPECT_EQ(atk_last_started, 0);
}

TEST_F(BattleAi, AreaActionsListTheRangeAndFadeInCalledMonsters) {
  // The attack record's target bytes decide: bit 0 of the first lists the side, bit 0x40 of the
  // second lets the fallen in.
  auto attack_targets = [](std::uint8_t mode, std::uint8_t second) {
    using namespace fixtures;
    install_item_data(objdata_gll({ObjectRecord().tag(tag_target_mode, {op8(mode), op8(second), op8(0), op8(0)})}));
  };
  actor().act = 1;
  unit(1, 0, 100).dead = 1;
  unit(2, 50, 100).guest = 1;
  ai_side = 1;
  ai_criterion = 5;
  ai_act = 1;
  attack_targets(0, 0);
  EXPECT_EQ(do_ai_action(&actor()), 1);
  EXPECT_EQ(fight_action.target_count, 1) << "a single attack";
  attack_targets(1, 0);
  actor().SetCommand(0);
  EXPECT_EQ(do_ai_action(&actor()), 1);
  EXPECT_EQ(fight_action.target_count, 2) << "the fallen unit is left out";
  EXPECT_EQ(gmFightMan[2].fade_out, 0);
  attack_targets(1, 0x40);
  do_ai_action(&actor());
  EXPECT_EQ(fight_action.target_count, 3);
  install_item_data({});
}

TEST_F(BattleAi, UnknownOpcodesResetTheScriptWithThePreviousOpcode) {
  load_ai({{1, assemble_ai("side 1; 411; end")}});
  actor().ai_number = 1;
  run_fight_ai(&actor());
  EXPECT_EQ(actor().ai_start, 0u);
  ASSERT_EQ(messages().size(), 1u);
  EXPECT_EQ(messages()[0], "1\xB8\xB9""AI\xAB\xFC\xA5O\xBF\xF9\xBB~:[411] \xA4W\xAD\xD3\xAB\xFC\xA5O\xACO[400]");
}

TEST_F(BattleAi, EnemiesStandingJumpAndResetClearsTheDecision) {
  load_ai({{1, assemble_ai("502 2 @two; set_flag 601; end; two: set_flag 600; end")}});
  actor().ai_number = 1;
  run_fight_ai(&actor());
  EXPECT_TRUE(test_flag(600));
  ai_side = 1, ai_act = 3, ai_companion = 9, ai_range_end = 4;
  reset_fight_ai();
  EXPECT_EQ(ai_side, 0);
  EXPECT_EQ(ai_companion, 0);
  EXPECT_EQ(ai_range_end, 4) << "the range stays";
}

TEST_F(BattleAi, TheTableIsSorted) { EXPECT_TRUE(opcode_table_sorted(fight_ai_opcodes())); }

}  // namespace

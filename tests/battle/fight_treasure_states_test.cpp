// The treasure commands' states and the companion call on units without animation data: each
// hits once, does what its command does, and ends the turn once its effect is over, so that
// no battle waits on a cast that cannot play.
#include "battle/fight.h"
#include "battle/fight_action.h"
#include "battle/fight_treasure_states.h"
#include "battle/monster_panel.h"
#include "g3d/effects/scripted_effects.h"
#include "script/fight_ai.h"
#include "tests/battle/battle_test.h"
#include "ui/talk_msg.h"

namespace {
using namespace battle_test;

constexpr char flawless_on[] = "\xB1\xD2\xB0\xCA\xA7\xB9\xC2z\xA5\\\xAF\xE0!!%Q";
constexpr char flawless_off[] = "\xB8\xD1\xB0\xA3\xA7\xB9\xC2z\xA5\\\xAF\xE0!!%Q";
constexpr char liuhe_on[] = "\xB1\xD2\xB0\xCA\xA4\xBB\xA6X\xA5\\\xAF\xE0!!%Q";
constexpr char resistance_on[] = "\xB1\xD2\xB0\xCA\xA7\xEF\xC5\xDC\xA7\xDC\xA9\xCA\xA5\\\xAF\xE0!!%Q";
constexpr char invisible_on[] = "\xB1\xD2\xB0\xCA\xC1\xF4\xA8\xAD\xA5\\\xAF\xE0!!%Q";

class TreasureStates : public BattleTest {
 protected:
  TreasureStates() : u(member(0, 10)) { clean(); }
  ~TreasureStates() override { clean(); }
  void clean() {
    clear_special_effect_list(1);
    del_all_talkmsg();
    fight_action = FightAction{};
    monster_info_shown = 0;
    ai_companion = 0;
  }
  // The unit starts the state with two enemies as the action's targets, the first the main one.
  void start(std::uint16_t state) {
    clean();
    for (int k = 0; k < 2; ++k) fight_action.targets[k] = &enemy(k, 1);
    fight_action.target_count = 2;
    fight_action.actor = &u;
    fight_main_target = fight_first_enemy;
    fight_enemy_count = 2;
    u.state = state;
    u.SetTurnDone(0);
    u.cmd_phase = 0;
  }
  void frame() { fight_man_state(0); }
  static std::string last_box() {
    const TalkMsg* m = talkmsg_head();
    return m && m->text ? m->text : "";
  }
  FightMan& u;
};

TEST_F(TreasureStates, EachCommandHitsOnceAndEndsItsTurnWhenItsEffectIsOver) {
  struct Case {
    std::uint16_t state;
    int effects;  // special effects the hit raises
    bool waits;   // the turn waits for them
    const char* box;
  } cases[] = {
      {16, 0, false, ""},           {17, 0, false, nullptr},         {18, 0, false, flawless_on},
      {19, 2, true, liuhe_on},      {20, 2, true, nullptr},          {21, 2, true, resistance_on},
      {22, 0, false, invisible_on}, {25, 2, false, ""},
  };
  for (const Case& c : cases) {
    u.ClearCondition(cond_money_shield | cond_invisible);
    start(c.state);
    frame();
    EXPECT_EQ(special_effect_count(), c.effects) << c.state;
    if (c.box) {
      EXPECT_EQ(last_box(), c.box) << c.state;
    }
    if (c.waits) {
      EXPECT_EQ(u.IsTurnDone(), 0) << c.state << ": the effect still plays";
      frame();
      EXPECT_EQ(special_effect_count(), c.effects) << c.state << ": one hit only";
      clear_special_effect_list(1);
      frame();
    }
    EXPECT_EQ(u.IsTurnDone(), 1) << c.state;
    EXPECT_EQ(u.GetState(), 0) << c.state;
  }
}

TEST_F(TreasureStates, WhatTheHitsDo) {
  start(16);
  frame();
  EXPECT_EQ(u.hit_numbers.size(), 1u) << "聚勁: the stat icon rises";
  start(18);
  frame();
  EXPECT_TRUE(u.TestCondition(cond_money_shield)) << "完璧 on";
  start(18);
  frame();
  EXPECT_FALSE(u.TestCondition(cond_money_shield)) << "完璧 toggles off";
  EXPECT_EQ(last_box(), flawless_off);
  start(22);
  frame();
  EXPECT_TRUE(u.TestCondition(cond_invisible));
  EXPECT_EQ(u.invis_turns, 3);
}

TEST_F(TreasureStates, SeeingThroughWaitsForThePanelToClose) {
  start(15);
  frame();
  EXPECT_EQ(monster_info_shown, 1);
  frame();
  EXPECT_EQ(u.IsTurnDone(), 0);
  monster_info_shown = 0;
  frame();
  EXPECT_EQ(u.IsTurnDone(), 1);
}

TEST_F(TreasureStates, AnEnemysCompanionCallEndsItsTurn) {
  FightMan& e = enemy(0, 1);
  ai_companion = 17;
  e.state = 59;
  e.SetTurnDone(0);
  fight_man_state(fight_first_enemy);
  EXPECT_EQ(ai_companion, 0);
  EXPECT_EQ(e.IsTurnDone(), 1);
}

}  // namespace

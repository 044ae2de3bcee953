// ATK scripts: the pool and its table, starting and stepping slots, the flow of every command,
// waits, jumps, the random jump, the shake, and the refusals of bad scripts.
#include <sstream>

#include "battle/atk_script.h"
#include "battle/fight.h"
#include "core/frame_timer.h"
#include "core/log.h"
#include "core/paths.h"
#include "tests/battle/battle_test.h"
#include "tests/fixtures/script_assembler.h"
#include "tests/fixtures/temp_folder.h"

namespace {
using namespace battle_test;
using fixtures::assemble_atk;
using fixtures::Bytes;

class Atk : public BattleTest {
 protected:
  Atk() {
    game_dir = dir.str();
    set_error_log_switch(1);
    reset_debug_log(nullptr);
    game_clock = 1000;
    free_fight_atk_data();
    fight_ally_count = 1;
    fight_enemy_count = 1;
    member(0, 1);
    enemy(0, 1);
    ActMan = 6;
    fight_main_target = 0;
    targets[0] = &gmFightMan[0];
  }
  ~Atk() override { free_fight_atk_data(); }
  void load(const std::map<std::uint16_t, Bytes>& scripts) { install_atk_data(fixtures::atk_gll_image(scripts)); }
  void load(const std::string& source) { load({{1, assemble_atk(source)}}); }
  int start(std::uint16_t n = 1) { return fight_atk_start(n, &gmFightMan[6], targets, 1); }
  int reports(const std::string& text) const {
    std::istringstream in(dir.read("debug.txt"));
    int n = 0;
    for (std::string line; std::getline(in, line);) n += line.find(text) != std::string::npos;
    return n;
  }
  static AtkTalkEvent& slot(int i = 0) { return atk_slots[i]; }
  fixtures::TempFolder dir{true};
  FightMan* targets[2] = {};
};

const std::string bad = " atk \xAB\xFC\xA5O\xBF\xF9\xBB~";

TEST_F(Atk, TheTableEndsWhereTheFirstScriptBegins) {
  load({{1, assemble_atk("end")}, {3, assemble_atk("group; end")}});
  EXPECT_EQ(atk_script_count(), 3);
  std::size_t at = 0;
  EXPECT_FALSE(atk_script_start(0, &at));
  EXPECT_FALSE(atk_script_start(4, &at));
  EXPECT_TRUE(atk_script_start(3, &at));
  Bytes file = fixtures::atk_gll_image({{1, assemble_atk("end")}});
  file[16] = 0xF0, file[17] = 0xFF;  // an offset far outside the pool
  install_atk_data(file);
  EXPECT_FALSE(atk_script_start(1, &at));
}

TEST_F(Atk, AFileOfSixteenBytesIsMissing) {
  dir.write("ATK.gll", std::string(16, '\0'));
  open_fight_atk_data();
  EXPECT_EQ(atk_script_count(), 0);
  EXPECT_EQ(reports("ATK.gll"), 1);
}

TEST_F(Atk, EachCommandTakesItsBytesAndItsFlow) {
  // Commands that act at once: their size, and whether the step goes on (C) or yields (Y).
  struct Case {
    std::uint16_t op;
    int size;
    char flow;
  } cases[] = {{0, 2, 'C'},  {2, 6, 'Y'},  {3, 6, 'Y'},  {4, 2, 'Y'},  {7, 8, 'Y'},  {8, 8, 'Y'},  {9, 32, 'Y'},
               {12, 10, 'C'}, {13, 4, 'Y'}, {14, 4, 'C'}, {20, 4, 'Y'}, {21, 4, 'Y'}, {22, 2, 'Y'}, {26, 4, 'Y'},
               {27, 8, 'Y'}, {28, 4, 'Y'}, {29, 4, 'Y'}, {30, 2, 'C'}, {31, 2, 'Y'}, {32, 4, 'C'}, {33, 4, 'C'},
               {34, 4, 'C'}, {35, 4, 'C'}, {36, 2, 'C'}, {37, 2, 'C'}, {42, 8, 'C'}, {43, 4, 'Y'}, {44, 4, 'C'},
               {45, 4, 'C'}, {46, 4, 'C'}, {47, 4, 'C'}, {48, 4, 'Y'}, {50, 4, 'Y'}, {51, 4, 'Y'}, {52, 14, 'Y'},
               {53, 6, 'Y'}, {54, 8, 'Y'}, {55, 8, 'Y'}, {56, 14, 'Y'}, {57, 4, 'Y'}, {58, 16, 'Y'}, {59, 7, 'Y'},
               {61, 4, 'Y'}, {62, 2, 'Y'}, {63, 4, 'Y'}, {64, 4, 'Y'}, {66, 14, 'Y'}, {70, 4, 'Y'}, {73, 4, 'Y'},
               {74, 2, 'Y'}, {75, 2, 'Y'}, {76, 2, 'Y'}, {78, 2, 'Y'}, {79, 4, 'Y'}, {80, 2, 'Y'}, {81, 4, 'C'},
               {84, 2, 'Y'}};
  for (const Case& c : cases) {
    reset();
    member(0, 1), enemy(0, 1);
    ActMan = 6, fight_main_target = 0, fight_ally_count = 1, fight_enemy_count = 1;
    free_fight_atk_data();
    Bytes script{std::uint8_t(c.op), std::uint8_t(c.op >> 8)};
    script.resize(std::size_t(c.size), 0);
    const Bytes tail = assemble_atk("group; end");
    script.insert(script.end(), tail.begin(), tail.end());
    load({{1, script}});
    ASSERT_EQ(start(), 1) << c.op;
    const std::size_t base = 4;  // the script starts after the one-entry table
    const std::size_t want = c.flow == 'Y' ? base + std::size_t(c.size) : base + std::size_t(c.size) + 2;
    EXPECT_EQ(slot().pc, want) << "opcode " << c.op;
    EXPECT_EQ(reports(bad), 0) << c.op;
  }
}

TEST_F(Atk, TheFirstStepRunsAtTheStartAndTwoStartsStepTheFirstAgain) {
  load({{1, assemble_atk("group; group; group; end")}, {2, assemble_atk("group; end")}});
  start(1);
  EXPECT_EQ(slot(0).pc, 8u + 2);
  start(2);
  EXPECT_EQ(slot(0).pc, 8u + 4) << "stepped again by the second start";
  EXPECT_EQ(slot(1).pc, 16u + 2);
  EXPECT_EQ(atk_active_count, 2);
}

TEST_F(Atk, TheEndMarkFreesTheSlotAndEndsTheTurn) {
  load("end");
  gmFightMan[6].SetTurnDone(0);
  start();
  EXPECT_EQ(slot().atk, 0);
  EXPECT_EQ(atk_active_count, 0);
  EXPECT_EQ(gmFightMan[6].IsTurnDone(), 1);
  EXPECT_EQ(fight_hp_pass_requested, 1);
}

TEST_F(Atk, AScriptThatCannotStartEndsTheActingUnitsTurn) {
  load("wait_time 100; end");
  for (int i = 0; i < atk_slot_count; ++i) EXPECT_EQ(start(), 1);
  EXPECT_EQ(atk_active_count, 16);
  gmFightMan[6].SetTurnDone(0);
  EXPECT_EQ(start(), 0);
  EXPECT_EQ(gmFightMan[6].IsTurnDone(), 1);
  free_fight_atk_slots();
  gmFightMan[6].SetTurnDone(0);
  EXPECT_EQ(start(7), 0) << "no such script";
  EXPECT_EQ(gmFightMan[6].IsTurnDone(), 1);
}

TEST_F(Atk, ATimedWaitOfZeroTakesTwoSteps) {
  load("wait_time 0; group; end");
  start();
  EXPECT_EQ(slot().pc, 4u) << "the clock started";
  fight_atk_run();
  EXPECT_EQ(slot().pc, 8u);
  load("wait_time 10; group; end");
  free_fight_atk_slots();
  start();
  fight_atk_run();
  EXPECT_EQ(slot().pc, 4u) << "99 ms is not 100";
  game_clock += 100;
  fight_atk_run();
  EXPECT_EQ(slot().pc, 8u);
}

TEST_F(Atk, TheWaitForTheOutcomeTakesAHitBit) {
  load("wait_outcome; group; end");
  start();
  EXPECT_EQ(slot().pc, 4u);
  fight_command_outcome = 0x20000000;
  fight_atk_run();
  EXPECT_EQ(slot().pc, 4u);
  fight_command_outcome = 0x80000000;
  fight_atk_run();
  EXPECT_EQ(slot().pc, 6u);
  EXPECT_EQ(fight_command_outcome, 0);
}

TEST_F(Atk, GroupModeStaysForACameraScriptInTheSameSlot) {
  load({{1, assemble_atk("group; end")}, {2, assemble_atk("camera_done; end")}});
  start(1);
  fight_atk_run();
  ASSERT_EQ(slot().atk, 0);
  fight_atk_start_cam(2);
  EXPECT_EQ(slot().group, 1);
  EXPECT_EQ(slot().actor, &gmFightMan[6]) << "a camera script keeps what the slot had";
}

TEST_F(Atk, TheRandomJumpPicksByTheClock) {
  load("random_jump [@a @b]; a: group; end; b: group; group; end");
  for (std::uint32_t clock : {0u, 1u, 2u, 3u}) {
    free_fight_atk_slots();
    game_clock = clock;
    start();
    const std::uint32_t v = ((clock * 214013u + 2531011u) >> 16) & 0x7FFF;
    const std::size_t a = 4 + 2 + 12;  // after the opcode and the table of two and its end
    EXPECT_EQ(slot().pc, v % 2 == 0 ? a : a + 4) << clock;
  }
}

TEST_F(Atk, AnEmptyRandomTableIsReportedAndTheScriptGoesOn) {
  load("random_jump []; group; end");
  start();
  EXPECT_EQ(reports(bad), 1);
  EXPECT_EQ(slot().atk, 1);
  EXPECT_EQ(slot().pc, 4u + 6);
}

TEST_F(Atk, BadCommandsAreReportedOnceAndEndTheScript) {
  struct Case {
    const char* name;
    Bytes script;
  } cases[] = {
      {"no command", Bytes{10, 0, 0xFF, 0xFF}},
      {"truncated operand", Bytes{38, 0, 1, 2}},
      {"jump outside", assemble_atk("jump 4000L; end")},
      {"unended table", Bytes{60, 0, 8, 0, 0, 0}},
      {"endless loop", assemble_atk("top: jump @top")},
  };
  for (const Case& c : cases) {
    reset();
    member(0, 1), enemy(0, 1);
    ActMan = 6, fight_main_target = 0;
    free_fight_atk_data();
    reset_debug_log(nullptr);
    load({{1, c.script}});
    start();
    EXPECT_EQ(slot().atk, 0) << c.name;
    EXPECT_EQ(reports(bad), 1) << c.name;
    EXPECT_EQ(gmFightMan[6].IsTurnDone(), 1) << c.name;
  }
}

TEST_F(Atk, CommandsWithoutAnActingUnitPassAndReportOnce) {
  ActMan = -1;
  fight_main_target = -1;
  load("walk_to_target 10; set_pose 25; set_act 3; group; end");
  start();
  EXPECT_EQ(slot().pc, 4u + 4 + 4) << "14 continues, 21 yields";
  fight_atk_run();
  fight_atk_run();
  EXPECT_EQ(slot().pc, 4u + 4 + 4 + 4 + 2);
  EXPECT_EQ(reports("no unit"), 1);
}

TEST_F(Atk, TheYinYangJumpsReadTheGuardsMarkSide) {
  FightMan& a = gmFightMan[6];
  a.monster.yang = 20;  // a yang guard: mark side 1
  load("jump_if_yang @yes; group; end; yes: group; group; end");
  start();
  EXPECT_EQ(slot().pc, 4u + 6 + 4 + 2) << "taken";
  free_fight_atk_slots();
  load("jump_if_yin @yes; group; end; yes: group; group; end");
  start();
  EXPECT_EQ(slot().pc, 4u + 6) << "passed";
}

TEST_F(Atk, TheShakeDecaysToZeroInSixtyFrames) {
  load("shake 1; end");
  start();
  float first = fight_shake_offset();
  EXPECT_EQ(first, 10.0f);
  int frames = 1;
  while (fight_shake.amp > 0 && frames < 1000) fight_shake_offset(), ++frames;
  EXPECT_EQ(frames, 60);
  EXPECT_EQ(fight_shake.on, 1);
  load("shake 0; shake_hold; end");
  free_fight_atk_slots();
  start();
  EXPECT_EQ(fight_shake.on, 0);
}

TEST_F(Atk, TheHitAppliesTheActionToTheSlotsTargets) {
  FightMan& a = gmFightMan[6];
  a.state = 1;
  a.sure_hit = 1;
  a.SetStatWord(8, 50);
  load("hit; end");
  start();
  EXPECT_GT(gmFightMan[0].hp_pending, 0);
  EXPECT_EQ(gmFightMan[0].HitNumberCount(), 1);
}

}  // namespace

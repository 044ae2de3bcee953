// Talk opcodes of flow control, flags and waits, on a fake clock.
#include "core/flags.h"
#include "core/game_flags.h"
#include "script/talk_interpreter.h"
#include "script/talk_ops.h"
#include "script/talk_timer.h"
#include "tests/script/script_test.h"

namespace {
using namespace script_test;

class TalkFlow : public ScriptTest {
 protected:
  TalkFlow() { add_role(0xFF01); }
  // Runs talk 5 from source for one slice.
  MapRole& run_once(const std::string& source) {
    load_talk(5, source);
    MapRole& ev = queue(5);
    run_talk(&ev);
    return ev;
  }
};

TEST_F(TalkFlow, FlagJumpCountsFromItsOffsetField) {
  // The example bytes: opcode 2 on flag 100 with offset 20 continues 24 bytes after opcode 2.
  fixtures::Bytes script{0x02, 0x00, 0x64, 0x00, 0x14, 0x00, 0x00, 0x00, 0x06, 0x00, 0x01, 0x02};
  script.resize(24, 0);                                       // opcode 0 up to the target
  script.insert(script.end(), {0x06, 0x00, 0x02, 0x02, 0xFF, 0xFF});  // set_flag 514; end
  set_flag(100);
  load_talks({{5, script}});
  run_talk(&queue(5));
  EXPECT_TRUE(test_flag(514));
  EXPECT_FALSE(test_flag(513)) << "the step-over path was not taken";
}

TEST_F(TalkFlow, JumpsGoBackwardAndForward) {
  run_once(R"(
    jump @forward
  back:
    set_flag 601
    end
  forward:
    set_flag 600
    jump @back)");
  EXPECT_TRUE(test_flag(600));
  EXPECT_TRUE(test_flag(601));
}

TEST_F(TalkFlow, AllOfAndAnyOfEndTheSliceTakenOrNot) {
  struct Case {
    bool f10, f11;
    bool all_jumps, any_jumps;
  } cases[] = {{false, false, false, false}, {true, false, false, true}, {false, true, false, true}, {true, true, true, true}};
  for (const Case& c : cases) {
    for (int op : {4, 5}) {
      SCOPED_TRACE(std::to_string(op) + (c.f10 ? " 10" : "") + (c.f11 ? " 11" : ""));
      c.f10 ? set_flag(10) : clear_flag(10);
      c.f11 ? set_flag(11) : clear_flag(11);
      clear_flag(600);
      clear_flag(601);
      MapRole& ev = run_once(std::to_string(op) + " {10 11} @taken; set_flag 601; end; taken: set_flag 600; end");
      EXPECT_FALSE(test_flag(600) || test_flag(601)) << "the slice ended at the test";
      run_talk(&ev);
      EXPECT_EQ(test_flag(600) != 0, op == 4 ? c.all_jumps : c.any_jumps);
      clear_talks_proc();
    }
  }
}

TEST_F(TalkFlow, AnEmptyAllOfListIsReportedAndFalse) {
  MapRole& ev = run_once("4 {} @taken; set_flag 601; end; taken: set_flag 600; end");
  ASSERT_EQ(messages().size(), 1u);
  run_talk(&ev);
  EXPECT_TRUE(test_flag(601));
  EXPECT_FALSE(test_flag(600));
}

TEST_F(TalkFlow, ClearFlagsRunsFirstToLastAndToTheTopNumber) {
  for (int f : {20, 21, 22}) set_flag(f);
  run_once("clear_flags 21 21; clear_flags 30 20; clear_flags 60000 65535; end");
  EXPECT_TRUE(test_flag(20));
  EXPECT_FALSE(test_flag(21));
  EXPECT_TRUE(test_flag(22)) << "first above last clears nothing";
}

TEST_F(TalkFlow, TimedWaitLastsItsDurationOnTheGameClock) {
  MapRole& ev = run_once("timed_wait 100; set_flag 600; end");
  const std::uint32_t start = game_clock;
  while (!test_flag(600) && game_clock - start < 5000) {
    game_clock += 28;
    run_talk(&ev);
  }
  EXPECT_GE(game_clock - start, 1000u);
  EXPECT_LT(game_clock - start, 1000u + 2 * 28);
}

TEST_F(TalkFlow, ZeroAndTheSpeedUpPassOnTheSecondRun) {
  for (bool speed_up : {false, true}) {
    SCOPED_TRACE(speed_up);
    speed_up ? set_flag(flag_speed_up) : clear_flag(flag_speed_up);
    clear_flag(600);
    MapRole& ev = run_once(speed_up ? "timed_wait 3000; set_flag 600; end" : "timed_wait 0; set_flag 600; end");
    EXPECT_FALSE(test_flag(600));
    run_talk(&ev);  // the wait passes and ends the slice
    EXPECT_FALSE(test_flag(600));
    run_talk(&ev);
    EXPECT_TRUE(test_flag(600));
    clear_talks_proc();
  }
}

TEST_F(TalkFlow, TwoEventsWaitTheirOwnTimes) {
  add_role(1001);
  load_talks({{5, fixtures::assemble_talk("timed_wait 100; set_flag 600; end")},
              {6, fixtures::assemble_talk("timed_wait 300; set_flag 601; end")}});
  queue(5);
  queue(6, 1001);
  const std::uint32_t start = game_clock;
  std::uint32_t done[2] = {};
  while ((!done[0] || !done[1]) && game_clock - start < 10000) {
    game_clock += 10;
    run_talk_queue();
    if (!done[0] && test_flag(600)) done[0] = game_clock - start;
    if (!done[1] && test_flag(601)) done[1] = game_clock - start;
  }
  EXPECT_GE(done[0], 1000u);
  EXPECT_LT(done[0], 1100u);
  EXPECT_GE(done[1], 3000u);
  EXPECT_LT(done[1], 3100u);
}

TEST_F(TalkFlow, LongWaitsWrapInSixteenBits) {
  // 6554 x 10 = 65540 wraps to 4 ms.
  MapRole& ev = run_once("timed_wait 6554; set_flag 600; end");
  game_clock += 10;
  run_talk(&ev);
  run_talk(&ev);
  EXPECT_TRUE(test_flag(600));
}

TEST_F(TalkFlow, TheTimerOpcodeStartsAndStopsTheCountdown) {
  run_once("set_timer 9000 77; end");
  EXPECT_TRUE(talk_timer.running);
  EXPECT_EQ(talk_timer.duration, 90000u);
  EXPECT_TRUE(test_flag(flag_talk_countdown));
  clear_talks_proc();
  run_once("set_timer 0 0; end");
  EXPECT_FALSE(talk_timer.running);
  EXPECT_FALSE(test_flag(flag_talk_countdown));
}

TEST_F(TalkFlow, RandomJumpReseedsFromTheClockSoTwoDrawsInOneFrameAgree) {
  for (int i = 0; i < 2; ++i) {
    clear_flag(600), clear_flag(601), clear_flag(602);
    MapRole& ev = run_once("89 [@a @b @c]; a: set_flag 600; end; b: set_flag 601; end; c: set_flag 602; end");
    run_talk(&ev);
    talk_rand_seed(game_clock);
    const int expected = 600 + talk_rand() % 3;
    EXPECT_TRUE(test_flag(expected)) << expected;
    clear_talks_proc();
  }
}

TEST_F(TalkFlow, RandomJumpWithAnEmptyTableIsReportedAndPassed) {
  MapRole& ev = run_once("89 []; set_flag 600; end");
  ASSERT_EQ(messages().size(), 1u);
  EXPECT_EQ(messages()[0], "Talk\xAB\xFC\xA5O:89 \xBF\xF9\xBB~ , Talk5");
  run_talk(&ev);
  EXPECT_TRUE(test_flag(600));
}

TEST_F(TalkFlow, PlayerFreeReleasesThePlayerAndLaterTalksLeaveHimFree) {
  player_role_index = add_role(0xFF02);
  run_once("player_free 1; timed_wait 100; end");
  EXPECT_FALSE(gmMapRole[player_role_index].STATE & state_held);
  clear_talks_proc();
  run_once("timed_wait 100; end");
  EXPECT_FALSE(gmMapRole[player_role_index].STATE & state_held);
}

TEST_F(TalkFlow, SwitchOpcodesSetTheirFlags) {
  run_once("wait_path_on; draw_off 1; end");
  EXPECT_TRUE(test_flag(flag_talk_waits_path));
  EXPECT_TRUE(test_flag(flag_scene_hidden)) << "draw_off ends the slice after setting";
}

TEST_F(TalkFlow, AnOpcodeAfterAnOddTextIsReadWhole) {
  run_once("message_box 0 0 0 0 0 0 0 0 0 0 \"abc\"; set_flag 600; end");
  // "abc%Q" is five bytes: the next opcode starts at an odd offset.
  EXPECT_FALSE(test_flag(600)) << "the box ended the slice";
  run_talk(&TalkEventQueue[0]);
  EXPECT_TRUE(test_flag(600));
}

}  // namespace

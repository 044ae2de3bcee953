// The field AI interpreter: sizes and slices, starting, parking, the wait clock and paths.
#include "core/flags.h"
#include "core/game_flags.h"
#include "field/role_path.h"
#include "g3d/act_animation.h"
#include "script/msg_settings.h"
#include "script/role_ai.h"
#include "ui/talk_layout.h"
#include "ui/talk_msg.h"
#include "tests/script/script_test.h"

namespace {
using namespace script_test;
using fixtures::assemble_ai;

class FieldAi : public ScriptTest {
 protected:
  int villager = add_role(1001);
  MapRole& role() { return gmMapRole[villager]; }
};

// Size and result with zero operands (G goes on, E ends the slice), typed from the opcode list.
TEST_F(FieldAi, OpcodesHaveTheirSizesAndSliceResults) {
  struct Case {
    int op, size;
    bool goes_on;
  } cases[] = {{0, 2, true},   {13, 4, true},  {14, 4, true},  {18, 10, true}, {19, 6, true}, {21, 4, false},
               {22, 4, false}, {23, 4, false}, {24, 2, false}, {25, 4, false}, {26, 4, true}, {27, 2, true},
               {28, 8, false}, {29, 8, false}, {31, 4, false}, {32, 4, false}, {33, 2, false}, {34, 2, false},
               {35, 2, false}, {36, 2, false}, {37, 10, false}, {38, 14, false}, {0x4000, 2, true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.op);
    close_AI_data();
    fixtures::ScriptBuilder b(fixtures::ScriptKind::ai);
    b.op(static_cast<std::uint16_t>(c.op)).raw(fixtures::Bytes(static_cast<std::size_t>(c.size - 2), 0));
    b.op(16).u16(1).op(0xFFFF);
    load_ai({{1, b.bytes()}});
    del_all_role_path();
    role() = MapRole{};
    role().RoleID = 1001;
    role().AI = 1;
    run_role_ai(&role());
    EXPECT_EQ(role().ai_offset - role().ai_start, static_cast<unsigned>(c.size));
    const bool wait_ran = gmAIPool.reader().u16_at(role().ai_start + c.size + 2) & 0x8000;
    EXPECT_EQ(wait_ran, c.goes_on);
  }
}

TEST_F(FieldAi, ParkedScriptsDoNothingMore) {
  load_ai({{1, assemble_ai("park; set_flag 600; end")}, {2, assemble_ai("wait_path; set_flag 601; end")}});
  role().AI = 1;
  run_role_ai(&role());
  run_role_ai(&role());
  EXPECT_EQ(role().ai_start, role().ai_offset);
  EXPECT_FALSE(test_flag(600));
  // A slice that ends on the very first opcode leaves the script parked there for good.
  MapRole& other = gmMapRole[add_role(1002, state_on_path)];
  other.AI = 2;
  run_role_ai(&other);
  other.STATE &= ~state_on_path;
  run_role_ai(&other);
  run_role_ai(&other);
  EXPECT_FALSE(test_flag(601));
}

TEST_F(FieldAi, RestartTakesTheNewAiNumber) {
  load_ai({{1, assemble_ai("set_flag 600; restart")}, {2, assemble_ai("set_flag 601; end")}});
  role().AI = 1;
  run_role_ai(&role());
  EXPECT_EQ(role().ai_start, 0u);
  role().AI = 2;
  run_role_ai(&role());
  EXPECT_TRUE(test_flag(601));
}

TEST_F(FieldAi, JumpsCountFromTheOpcodeWord) {
  load_ai({{1, assemble_ai("jump @a; set_flag 601; a: jump_if_set 600 @b; set_flag 602; b: set_flag 603; end")}});
  set_flag(600);
  role().AI = 1;
  run_role_ai(&role());
  EXPECT_FALSE(test_flag(601));
  EXPECT_FALSE(test_flag(602));
  EXPECT_TRUE(test_flag(603));
}

TEST_F(FieldAi, TheTimedWaitMarksTheScriptAndSharesItsStart) {
  // The wait is not the first opcode: a slice that ends on the first opcode parks the script.
  load_ai({{1, assemble_ai("nothing; timed_wait 300; set_flag 600; end")}});
  role().AI = 1;
  run_role_ai(&role());
  const std::uint32_t operand_at = role().ai_start + 4;
  EXPECT_EQ(gmAIPool.reader().u16_at(operand_at), 0x8000 | 300) << "bit 15 marked in the pool";
  game_clock += 2999;
  run_role_ai(&role());
  EXPECT_FALSE(test_flag(600));
  game_clock += 1;
  run_role_ai(&role());  // passes and ends the slice
  run_role_ai(&role());
  EXPECT_TRUE(test_flag(600));
  // A second role on the same script measures from the shared start: it passes at once.
  MapRole& other = gmMapRole[add_role(1002)];
  other.AI = 1;
  clear_flag(600);
  run_role_ai(&other);
  run_role_ai(&other);
  EXPECT_TRUE(test_flag(600));
}

TEST_F(FieldAi, WaitsWrapInSixteenBitsAndTheSpeedUpPasses) {
  load_ai({{1, assemble_ai("nothing; timed_wait 0x7FFF; set_flag 600; end")}, {2, assemble_ai("nothing; timed_wait 300; set_flag 601; end")}});
  role().AI = 1;
  run_role_ai(&role());
  game_clock += 65525;
  run_role_ai(&role());
  run_role_ai(&role());
  EXPECT_FALSE(test_flag(600));
  game_clock += 1;  // 65526 ms
  run_role_ai(&role());
  run_role_ai(&role());
  EXPECT_TRUE(test_flag(600));
  MapRole& other = gmMapRole[add_role(1002)];
  other.AI = 2;
  run_role_ai(&other);
  set_flag(flag_speed_up);
  run_role_ai(&other);
  run_role_ai(&other);
  EXPECT_TRUE(test_flag(601));
}

TEST_F(FieldAi, PathsCarryTheWalkSpeedAndSetTheOnPathBit) {
  load_ai({{1, assemble_ai("set_speed 12; walk_to 100 -5 200; wait_path; set_flag 600; end")}});
  role().AI = 1;
  run_role_ai(&role());
  const RolePath* p = find_role_path(1001);
  ASSERT_NE(p, nullptr);
  EXPECT_EQ(p->speed, 12.0f);
  EXPECT_EQ(p->target[1], -5.0f);
  EXPECT_TRUE(role().STATE & state_on_path);
  EXPECT_FALSE(role_runs_ai(role())) << "a role on a path waits for it";
}

// Each of the three path opcodes copies the walker's animation pace into its path.
TEST_F(FieldAi, PathsTakeTheRolesFrameDelayAndCountdown) {
  for (const char* walk : {"walk_to 100 0 200", "walk_frames 90 4 0L", "walk_pose 100 0 200 2 90 1"}) {
    SCOPED_TRACE(walk);
    load_ai({{1, assemble_ai(std::string(walk) + "; end")}});
    del_all_role_path();
    role() = MapRole{};
    role().RoleID = 1001;
    role().AI = 1;
    role().anim.delay = 7;
    role().anim.delay_count = 3;
    run_role_ai(&role());
    const RolePath* p = find_role_path(1001);
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p->delay, 7);
    EXPECT_EQ(p->delay_count, 3);
  }
}

TEST_F(FieldAi, UnknownOpcodesAreReportedOncePerPlace) {
  load_ai({{1, assemble_ai("raw 777")}});
  role().AI = 1;
  for (int i = 0; i < 5; ++i) run_role_ai(&role());
  ASSERT_EQ(messages().size(), 1u);
  EXPECT_EQ(messages()[0], " AI\xAB\xFC\xA5O\xBF\xF9\xBB~(777)  RoleID[1001] , AI[1]");
}

TEST_F(FieldAi, ScriptsThatCannotStartRunNothing) {
  // AI 3 is past the table, AI 2 has no entry; an empty pool runs nothing either.
  load_ai({{1, assemble_ai("set_flag 600; end")}});
  for (std::uint16_t ai : {2, 3}) {
    role().AI = ai;
    role().ai_start = role().ai_offset = 0;
    run_role_ai(&role());
    EXPECT_EQ(role().ai_start, 0u);
  }
  close_AI_data();
  role().AI = 1;
  run_role_ai(&role());
  EXPECT_FALSE(test_flag(600));
}

TEST_F(FieldAi, RandomJumpWithAnEmptyTableIsReportedAndPassed) {
  load_ai({{1, assemble_ai("random_jump []; set_flag 600; end")}});
  role().AI = 1;
  run_role_ai(&role());
  run_role_ai(&role());
  EXPECT_TRUE(test_flag(600));
  EXPECT_EQ(messages(), std::vector<std::string>{" AI \xAB\xFC\xA5O\xBF\xF9\xBB~: 50 , AI1"});
}

TEST_F(FieldAi, ABadJumpParksTheScriptWithOneReport) {
  load_ai({{1, assemble_ai("jump -400L")}});
  role().AI = 1;
  for (int i = 0; i < 3; ++i) run_role_ai(&role());
  EXPECT_EQ(messages().size(), 1u);
  EXPECT_EQ(role().ai_start, role().ai_offset);
}

// The one rule the field's role update asks before it runs a role's script.
TEST_F(FieldAi, OnlyEligibleRolesRunAi) {
  MapRole r;
  r.AI = 1;
  r.RoleID = 0xFF00;
  EXPECT_TRUE(role_runs_ai(r));
  for (std::uint32_t bit : {0x1u, 0x4000u, 0x40000u, 0x20000000u, 0x40000000u, 0x80000000u}) {
    r.STATE = bit;
    EXPECT_FALSE(role_runs_ai(r)) << bit;
  }
  r.STATE = 0x2 | 0x8 | 0x20;  // other bits leave the script running
  EXPECT_TRUE(role_runs_ai(r));
  r.STATE = 0;
  r.RoleID = 0xFF01;
  EXPECT_FALSE(role_runs_ai(r));
  r.RoleID = 1001;
  r.AI = 0;
  EXPECT_FALSE(role_runs_ai(r));
}

// Opcode 17's template: the time as it stands, the AI's frame, margins of the second point plus
// 10, spacings 5 and 5, typing 2 and 2, the text colour 0xFFFF; the slice goes on, so two boxes
// open in one frame.
TEST_F(FieldAi, TwoBoxesOpenInOneFrameWithTheAiTemplate) {
  msg_box_frame[0] = 9010;
  talk_char_spacing[0] = talk_char_spacing[1] = 9;
  msg_text_colour = 3;
  load_ai({{1, assemble_ai("message_box 1001 40 1 2 3 4 0 6 7 0 \"a\"; message_box 1001 0 0 0 0 0 0 0 0 1 \"b\";"
                           "set_flag 600; end")}});
  role().AI = 1;
  run_role_ai(&role());
  EXPECT_TRUE(test_flag(600));
  ASSERT_EQ(talkmsg_count(), 2);
  EXPECT_EQ(talk_box_state, 1u) << "the last box's flags: a timed box";
  const TalkMsg& box = *talkmsg_head();
  EXPECT_EQ(box.speaker, villager);
  EXPECT_EQ(box.duration, 40u);
  EXPECT_EQ(box.cur_x, 1);
  EXPECT_EQ(box.target_y, 4);
  EXPECT_EQ(box.width, 6);
  EXPECT_EQ(box.height, 7);
  EXPECT_EQ(box.frame_act, 9010);
  EXPECT_EQ(box.margin_x, 13);
  EXPECT_EQ(box.margin_y, 14);
  EXPECT_EQ(box.char_spacing, 5);
  EXPECT_EQ(box.line_spacing, 5);
  EXPECT_EQ(box.typing_delay, 2 + talk_speed_adjust()) << "the text speed adds its step";
  EXPECT_EQ(box.typing_countdown, 2 + talk_speed_adjust());
  EXPECT_EQ(box.text_colour, 0xFFFF);
  EXPECT_EQ(std::string(box.next->text, 3), "b%Q");
}

// Opcode 39 with frame 0 passes on the finished mark or, on a looping animation that never sets
// it, when the frame index reaches the last frame; with frame n on the index reaching n.
TEST_F(FieldAi, WaitingForTheAnimationPassesAtItsEnd) {
  struct Case {
    int n;
    std::uint16_t frame, frame_max, state;
    bool passes;
  } cases[] = {{0, 3, 4, 0, false},
               {0, 4, 4, 0, true},
               {0, 0, 4, act_state_finished, true},
               {2, 1, 4, act_state_finished, false},
               {2, 2, 4, 0, true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.n) + " at " + std::to_string(c.frame));
    load_ai({{1, assemble_ai("wait_anim 0 " + std::to_string(c.n) + "; set_flag 600; end")}});
    role() = MapRole{};
    role().RoleID = 1001;
    role().AI = 1;
    role().anim.frame = c.frame;
    role().anim.frame_max = c.frame_max;
    role().anim.state = c.state;
    run_role_ai(&role());
    EXPECT_EQ(role().ai_offset - role().ai_start, c.passes ? 6u : 0u);
    EXPECT_FALSE(test_flag(600)) << "the slice ends either way";
    close_AI_data();
  }
}

TEST_F(FieldAi, APlaceIsReadUnsigned) {
  load_ai({{1, assemble_ai("place 65535 7 32768; end")}});
  role().AI = 1;
  run_role_ai(&role());
  EXPECT_EQ(role().X, 65535.0f);
  EXPECT_EQ(role().Y, 7.0f);
  EXPECT_EQ(role().Z, 32768.0f);
}

// The role's own box holds the script on opcode 20; a role the table lost passes it. (The wait
// follows an opcode that goes on: a slice that ends on its first opcode parks the script.)
TEST_F(FieldAi, WaitingForTheBoxHoldsWhileTheRolesBoxIsOpen) {
  load_ai({{1, assemble_ai("set_flag 601; wait_box; set_flag 600; end")}});
  role().AI = 1;
  role().STATE = state_box_open;
  run_role_ai(&role());
  const std::uint32_t wait_at = role().ai_start + 4;
  EXPECT_EQ(role().ai_offset, wait_at) << "stays while the box is open";
  run_role_ai(&role());
  EXPECT_EQ(role().ai_offset, wait_at);
  role().STATE = 0;
  run_role_ai(&role());
  EXPECT_EQ(role().ai_offset, wait_at + 2);
  EXPECT_FALSE(test_flag(600)) << "passing it ends the slice";

  MapRole lost = role();  // a copy whose RoleID is no longer in gmMapRole
  lost.RoleID = 4321;
  lost.ai_offset = wait_at;
  lost.STATE = state_box_open;
  run_role_ai(&lost);
  EXPECT_EQ(lost.ai_offset, wait_at + 2);
}

// Opcodes 21-25 set the role's look and facing: the picture restarts at QQ 0, QQ also goes to
// role variable 3, the keep-delay bit holds the frame delay and its countdown.
TEST_F(FieldAi, LookAndFacingOpcodesSetTheRolesAnimation) {
  load_ai({{1, assemble_ai("set_act 3001; end")},
           {2, assemble_ai("set_qq 6; end")},
           {3, assemble_ai("keep_delay 9; end")},
           {4, assemble_ai("free_delay; end")},
           {5, assemble_ai("set_dir 270; end")}});
  auto run = [&](std::uint16_t ai) {
    role().AI = ai;
    role().ai_start = role().ai_offset = 0;
    run_role_ai(&role());
  };
  role().anim.qq = 4;
  run(1);
  EXPECT_EQ(role().anim.act, 3001);
  EXPECT_EQ(role().anim.qq, 0);
  run(2);
  EXPECT_EQ(role().anim.qq, 6);
  const std::uint16_t* v3 = role_var(role(), 3);
  ASSERT_NE(v3, nullptr);
  EXPECT_EQ(*v3, 6);
  run(3);
  EXPECT_TRUE(role().anim.control & act_control_keep_delay);
  EXPECT_EQ(role().anim.delay, 9);
  EXPECT_EQ(role().anim.delay_count, 9);
  run(4);
  EXPECT_FALSE(role().anim.control & act_control_keep_delay);
  run(5);
  EXPECT_EQ(role().DIR, 270.0f);
}

// Opcodes 31 and 32 hold and free another role (bit 31), leaving its other bits alone; a role
// that is not on the map is reported.
TEST_F(FieldAi, HoldingAnotherRoleSetsAndClearsItsBit31) {
  MapRole& other = gmMapRole[add_role(1002, state_on_path)];
  load_ai({{1, assemble_ai("hold_role 1002; end")}, {2, assemble_ai("release_role 1002; end")},
           {3, assemble_ai("hold_role 999; end")}});
  role().AI = 1;
  run_role_ai(&role());
  EXPECT_EQ(other.STATE, state_on_path | state_held);
  role().AI = 2;
  role().ai_start = role().ai_offset = 0;
  run_role_ai(&role());
  EXPECT_EQ(other.STATE, state_on_path);
  EXPECT_TRUE(messages().empty());
  role().AI = 3;
  role().ai_start = role().ai_offset = 0;
  run_role_ai(&role());
  EXPECT_EQ(messages().size(), 1u);
}

// Opcode 33 takes the role off the map (its path dropped, bit 0 set); 34 puts it back.
TEST_F(FieldAi, LeavingTheMapDropsThePathAndReturningClearsBit0) {
  load_ai({{1, assemble_ai("walk_to 100 0 200; end")}, {2, assemble_ai("leave_map; end")},
           {3, assemble_ai("return_map; end")}});
  for (std::uint16_t ai : {1, 2}) {
    role().AI = ai;
    role().ai_start = role().ai_offset = 0;
    run_role_ai(&role());
  }
  EXPECT_EQ(find_role_path(1001), nullptr);
  EXPECT_TRUE(role().STATE & state_off_map);
  role().AI = 3;
  role().ai_start = role().ai_offset = 0;
  run_role_ai(&role());
  EXPECT_FALSE(role().STATE & state_off_map);
}

}  // namespace

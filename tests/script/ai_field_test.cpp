// The field AI interpreter: sizes and slices, starting, parking, the wait clock and paths.
#include "core/flags.h"
#include "core/game_flags.h"
#include "field/role_path.h"
#include "script/role_ai.h"
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
  r.RoleID = 1001;
  EXPECT_TRUE(role_runs_ai(r));
  for (std::uint32_t bit : {0x1u, 0x4000u, 0x40000u, 0x20000000u, 0x40000000u, 0x80000000u}) {
    r.STATE = bit;
    EXPECT_FALSE(role_runs_ai(r)) << bit;
  }
  r.STATE = 0;
  r.RoleID = 0xFF01;
  EXPECT_FALSE(role_runs_ai(r));
}

}  // namespace

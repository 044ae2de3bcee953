// Talk opcodes of role variables, the party's items and money, and the settlement's residents.
#include "base/houses.h"
#include "base/residents.h"
#include "battle/fame.h"
#include "script/script_values.h"
#include "tests/script/talk_group_test.h"

namespace {
using namespace script_test;

// 對話5 指令錯誤<op>: 找不到指定之 角色ID<id>
std::string no_role(int op, int id) {
  return "\xB9\xEF\xB8\xDC" "5 \xAB\xFC\xA5O\xBF\xF9\xBB~" + std::to_string(op) +
         ": \xA7\xE4\xA4\xA3\xA8\xEC\xAB\xFC\xA9w\xA4\xA7 \xA8\xA4\xA6\xE2ID" + std::to_string(id);
}
// 對話5 指令錯誤<op>: 編號<n> 不合法
std::string bad_number(int op, int n) {
  return "\xB9\xEF\xB8\xDC" "5 \xAB\xFC\xA5O\xBF\xF9\xBB~" + std::to_string(op) + ": \xBDs\xB8\xB9" + std::to_string(n) +
         " \xA4\xA3\xA6X\xAAk";
}

class TalkValues : public TalkGroupTest {
 protected:
  TalkValues() { load_maps(); }
  MapRole& villager_role() { return gmMapRole[villager_index]; }
  // A jump test whose taken path sets flag 600 and whose step-over path sets 601.
  static std::string branch(const std::string& test) {
    return test + " @taken; set_flag 601; end; taken: set_flag 600; end";
  }
  // Runs a branch script: 1 jumped in the first slice, 2 stepped over and ended the slice,
  // 3 stepped over and went on, 0 neither.
  int branch_result(const std::string& test) {
    MapRole& ev = start(branch(test));
    if (test_flag(600)) return 1;
    if (test_flag(601)) return 3;
    run_talk(&ev);
    return test_flag(601) ? 2 : 0;
  }
};

TEST_F(TalkValues, SetAddAndSubtractKeepTheRoleAndItsRowAlike) {
  struct Case {
    const char* op;
    std::uint16_t before, operand, after;
  } cases[] = {
      {"set_var", 4, 9, 9},         {"add_var", 4, 10, 14}, {"add_var", 65530, 10, 65535},
      {"add_var", 65535, 65535, 65535}, {"sub_var", 10, 4, 6}, {"sub_var", 4, 10, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.op) + " " + std::to_string(c.before) + " " + std::to_string(c.operand));
    villager_role().var[2] = c.before;
    start(std::string(c.op) + " 1001 3 " + std::to_string(c.operand) + "; set_flag 600; end");
    EXPECT_TRUE(test_flag(600)) << "goes on";
    EXPECT_EQ(villager_role().var[2], c.after);
    EXPECT_EQ(row_value(villager, 3), c.after);
    clear_flag(600);
  }
  EXPECT_TRUE(messages().empty());
}

TEST_F(TalkValues, VariablesSevenAndEightAreTheRoleIdAndTheTalk) {
  start("set_var 1001 8 77; end");
  EXPECT_EQ(villager_role().TALK, 77) << "talking to it later runs talk 77";
  EXPECT_EQ(row_value(villager, 8), 77);
}

TEST_F(TalkValues, ARoleElsewhereTakesAnAddInItsRowAndReportsTheRest) {
  set_role_var_row(2002, 1, 40);
  start("add_var 2002 2 5; set_flag 600; end");
  EXPECT_TRUE(test_flag(600));
  EXPECT_EQ(row_value(2002, 2), 45);
  EXPECT_TRUE(messages().empty()) << "the row-only add is silent";

  struct Case {
    const char* source;
    int op;
    bool ends_slice;
  } cases[] = {{"set_var 2002 2 1", 300, false}, {"sub_var 2002 2 1", 302, false},
               {"var_at_least_jump 2002 2 0 @taken", 303, true}, {"var_at_most_jump 2002 2 99 @taken", 304, true},
               {"var_equal_jump 2002 2 45 @taken", 305, true}, {"script_value_var 0 2002 2", 310, true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.op);
    reset_debug_log(nullptr);
    clear_flag(601);
    MapRole& ev = start(std::string(c.source) + "; set_flag 601; end; taken: set_flag 600; end");
    EXPECT_EQ(messages(), std::vector<std::string>{no_role(c.op, 2002)});
    if (c.ends_slice) {
      EXPECT_FALSE(test_flag(601));
      run_talk(&ev);
    }
    EXPECT_TRUE(test_flag(601)) << "stepped over";
    EXPECT_EQ(row_value(2002, 2), 45) << "unchanged";
  }
}

TEST_F(TalkValues, ComparisonsJumpAndGoOnOrStepOverAndEndTheSlice) {
  villager_role().var[1] = 7;
  struct Case {
    const char* op;
    int value;
    int result;
  } cases[] = {{"var_at_least_jump", 7, 1}, {"var_at_least_jump", 8, 2}, {"var_at_most_jump", 7, 1},
               {"var_at_most_jump", 6, 2},  {"var_equal_jump", 7, 1},    {"var_equal_jump", 6, 2},
               {"var_at_least_jump", 0, 1}, {"var_at_most_jump", 65535, 1}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.op) + " " + std::to_string(c.value));
    EXPECT_EQ(branch_result(std::string(c.op) + " 1001 2 " + std::to_string(c.value)), c.result);
    clear_flag(600);
    clear_flag(601);
  }
}

TEST_F(TalkValues, NumbersOutsideTheRowAreReportedAndChangeNothing) {
  struct Case {
    const char* source;
    int op, number;
  } cases[] = {{"set_var 1001 0 5", 300, 0},   {"set_var 1001 9 5", 300, 9}, {"add_var 1001 9 5", 301, 9},
               {"add_var 2002 9 5", 301, 9},   {"sub_var 1001 16 1", 302, 16},
               {"var_equal_jump 1001 0 0 @x", 305, 0}, {"script_value_var 32 1001 1", 310, 32},
               {"script_value_var 0 1001 9", 310, 9}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.source);
    reset_debug_log(nullptr);
    MapRole& ev = start(std::string(c.source) + "; end; x: end");
    if (ev.RoleID != 0) run_talk(&ev);
    EXPECT_EQ(messages(), std::vector<std::string>{bad_number(c.op, c.number)});
    EXPECT_LT(row_of(2002), 0) << "no row written";
    EXPECT_LT(row_of(villager), 0);
    EXPECT_EQ(villager_role().var[0], 0);
    EXPECT_EQ(villager_role().AI, 0) << "variable 9 is outside the row";
  }
}

TEST_F(TalkValues, AScriptValueGivesItsLowWordAndEndsTheSlice) {
  script_values[31] = 0x12345;
  MapRole& ev = start("script_value_var 31 1001 4; set_flag 600; end");
  EXPECT_EQ(villager_role().var[3], 0x2345);
  EXPECT_EQ(row_value(villager, 4), 0x2345);
  EXPECT_FALSE(test_flag(600));
  run_talk(&ev);
  EXPECT_TRUE(test_flag(600));
}

TEST_F(TalkValues, MoneyAtOrBelowTheAmountJumps) {
  struct Case {
    std::int32_t money;
    int result;
  } cases[] = {{300, 1}, {301, 3}, {0, 1}, {-5, 1}, {65536, 3}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.money);
    party_money = c.money;
    EXPECT_EQ(branch_result("money_below_jump 300"), c.result);
    clear_flag(600);
    clear_flag(601);
  }
}

TEST_F(TalkValues, AfterAJumpTheNextSliceResumesWhereTheLastOneEnded) {
  party_money = 10;
  MapRole& ev = start("money_below_jump 300 @over; set_flag 601; end; over: wait_path_off; set_flag 600; end");
  EXPECT_FALSE(test_flag(600));
  EXPECT_EQ(script_word(ev, at(ev)), 6) << "resumes after the opcode that ended the slice";
  run_talk(&ev);
  EXPECT_TRUE(test_flag(600));
  EXPECT_FALSE(test_flag(601));
}

TEST_F(TalkValues, AnItemCountsInTheBagOrOnceWhenEquipped) {
  struct Case {
    int in_bag;
    bool equipped_by_2;
    int count;
    bool jumps;
  } cases[] = {{0, true, 1, true}, {0, true, 2, false}, {2, false, 2, true}, {1, true, 2, false}, {1, false, 1, true},
               {0, false, 1, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.in_bag) + (c.equipped_by_2 ? " equipped " : " ") + std::to_string(c.count));
    free_item_list(&party_bag);
    if (c.in_bag) add_item(&party_bag, 3, static_cast<std::uint16_t>(c.in_bag), 2);
    gmRoleData[2].equip[4] = c.equipped_by_2 ? 3 : 0;
    EXPECT_EQ(branch_result("item_jump 3 " + std::to_string(c.count)), c.jumps ? 1 : 3);
    clear_flag(600);
    clear_flag(601);
  }
}

TEST_F(TalkValues, ResidentsMoveInAndOutAndAreTested) {
  free_all_houses();
  add_default_house(9901, 5700, 200, 5700, 0);  // three slots
  EXPECT_EQ(branch_result("resident_room_jump"), 1);
  clear_flag(600);
  MapRole& ev = start("add_resident 3; add_resident 4; add_resident 6; end");
  for (int i = 0; i < 3; ++i) run_talk(&ev);
  EXPECT_TRUE(is_resident(3) && is_resident(6));
  ASSERT_NE(fame_find(3, 0), nullptr) << "counted in the fame records";
  EXPECT_EQ(fame_find(3, 0)->points, 1);
  EXPECT_EQ(branch_result("resident_room_jump"), 2) << "the one dwelling is full";
  clear_flag(601);
  EXPECT_EQ(branch_result("residents_jump 3 6"), 1);
  clear_flag(600);
  start("del_resident 6; end");
  EXPECT_FALSE(is_resident(6));
  EXPECT_EQ(branch_result("residents_jump 3 6"), 2);
}

}  // namespace

// Talk opcodes that direct the field's roles: the live role, its placement row when it is on
// another map, and the report when it is in neither.
#include "data/role_rows.h"
#include "field/map_file.h"
#include "field/minimap.h"
#include "field/role_move.h"
#include "field/role_path.h"
#include "script/talk_ops.h"
#include "tests/script/talk_group_test.h"

namespace {
using namespace script_test;

constexpr std::uint16_t here = 5, elsewhere_map = 7;
constexpr std::uint16_t row_only = 2002, nowhere = 3003;

// 對話5 指令錯誤 <op>: 找不到指定之 角色ID=<id>
std::string not_found(int op, int id) {
  return "\xB9\xEF\xB8\xDC" "5 \xAB\xFC\xA5O\xBF\xF9\xBB~ " + std::to_string(op) +
         ": \xA7\xE4\xA4\xA3\xA8\xEC\xAB\xFC\xA9w\xA4\xA7 \xA8\xA4\xA6\xE2ID=" + std::to_string(id);
}
// 對話5 指令錯誤 <op>: 找不到指定之 角色ID
std::string pair_not_found(int op) {
  return "\xB9\xEF\xB8\xDC" "5 \xAB\xFC\xA5O\xBF\xF9\xBB~ " + std::to_string(op) +
         ": \xA7\xE4\xA4\xA3\xA8\xEC\xAB\xFC\xA9w\xA4\xA7 \xA8\xA4\xA6\xE2ID";
}
// Talk5 指令<op>錯誤 : 找不到指定之 角色ID:<id>
std::string talk_not_found(int op, int id) {
  return "Talk5 \xAB\xFC\xA5O" + std::to_string(op) +
         "\xBF\xF9\xBB~ : \xA7\xE4\xA4\xA3\xA8\xEC\xAB\xFC\xA9w\xA4\xA7 \xA8\xA4\xA6\xE2ID:" + std::to_string(id);
}
// 對話5 指令錯誤 <op>: 找不到指定之 角色ID<id>
std::string delay_not_found(int op, int id) {
  return "\xB9\xEF\xB8\xDC" "5 \xAB\xFC\xA5O\xBF\xF9\xBB~ " + std::to_string(op) +
         ": \xA7\xE4\xA4\xA3\xA8\xEC\xAB\xFC\xA9w\xA4\xA7 \xA8\xA4\xA6\xE2ID" + std::to_string(id);
}

class TalkRoles : public TalkGroupTest {
 protected:
  TalkRoles() {
    fixtures::MapsDat db;
    db.roles = {row(here, villager), row(elsewhere_map, row_only), row(elsewhere_map, 1130)};
    load_maps(db);
    map_record.map_number = here;
  }
  ~TalkRoles() override { del_all_role_path(); }

  static MapsRoleRow row(std::uint16_t map, std::uint16_t id) {
    MapsRoleRow r;
    r.MapID = map;
    r.RoleID = id;
    r.X = 100;
    r.Z = 100;
    return r;
  }
  MapRole& villager_role() { return gmMapRole[villager_index]; }
  static std::uint16_t row_state(std::uint16_t id) { return get_maps_role_state(id); }
  static void set_row_state(std::uint16_t id, std::uint16_t state) {
    set_maps_role_state(id, 0xFFFF, 0);
    set_maps_role_state(id, state, 1);
  }
  static MapsRoleRow row_of_role(std::uint16_t id) {
    const long p = find_maps_role_row(id);
    return p < 0 ? MapsRoleRow{} : read_maps_role_row(std::size_t(p));
  }
  // Runs a talk slice after slice until it ends (or stays waiting).
  void play(const std::string& source) {
    MapRole& ev = start(source);
    for (int i = 0; i < 50 && ev.RoleID != 0; ++i) run_talk(&ev);
  }
  // Runs one opcode, then a flag; true when the flag was set in the same slice.
  bool goes_on(const std::string& op) {
    clear_flag(600);
    start(op + "; set_flag 600; end");
    return test_flag(600);
  }
};

TEST_F(TalkRoles, StateBitsChangeTheLiveRoleItsRowOrOnlyTheRowAndReportARoleInNeither) {
  enum Report { silent, plain, pair, talk };
  struct Case {
    const char* op;
    int number;
    std::uint32_t before;
    std::uint32_t live_after;      // the live role's STATE
    std::uint16_t row_after_live;  // its row after the live change
    std::uint16_t row_after_row;   // the row of a role on another map
    Report row_only_report;
    Report nowhere_report;
  } cases[] = {
      {"hold_role", 33, 0x0, 0x80000000, 0x0, 0x0, plain, plain},
      {"release_role", 34, 0x80000010, 0x10, 0x10, 0x10, pair, pair},
      {"take_off_map", 35, 0x0, 0x1, 0x1, 0x1, silent, plain},
      {"put_back", 36, 0x1, 0x0, 0x0, 0x0, silent, plain},
      {"set_bit_3", 37, 0x0, 0x8, 0x0, 0x8, silent, plain},
      {"clear_bit_3", 38, 0x8, 0x0, 0x8, 0x0, silent, plain},
      {"kind_14", 40, 0xA010, 0x4010, 0x4010, 0x4010, silent, plain},
      {"kind_13", 41, 0xC000, 0x2000, 0x2000, 0x2000, silent, plain},
      {"clear_kind", 42, 0xE004, 0x4, 0x4, 0x4, silent, plain},
      {"bit_5 1", 43, 0x0, 0x20, 0x20, 0x20, silent, plain},
      {"bit_5 0", 43, 0x21, 0x1, 0x1, 0x1, silent, plain},
      {"bit_1 9", 44, 0x0, 0x2, 0x2, 0x0, talk, talk},
      {"bit_1 0", 44, 0x3, 0x1, 0x1, 0x3, talk, talk},
      {"occupy_cell 0", 45, 0x0, 0x40, 0x40, 0x40, silent, plain},
      {"occupy_cell 1", 45, 0x41, 0x1, 0x1, 0x1, silent, plain},
      {"bit_2 1", 46, 0x0, 0x4, 0x4, 0x4, silent, plain},
      {"bit_2 0", 46, 0xFFFF, 0xFFFB, 0xFFFB, 0xFFFB, silent, plain},
  };
  auto expected = [](Report r, int op, std::uint16_t id) {
    switch (r) {
      case silent: return std::vector<std::string>{};
      case plain: return std::vector<std::string>{not_found(op, id)};
      case pair: return std::vector<std::string>{pair_not_found(op)};
      case talk: return std::vector<std::string>{talk_not_found(op, id)};
    }
    return std::vector<std::string>{};
  };
  for (const Case& c : cases) {
    const std::string op(c.op);
    const std::string name = op.substr(0, op.find(' ')), operand = op.find(' ') == op.npos ? "" : op.substr(op.find(' '));
    SCOPED_TRACE(op);
    {
      SCOPED_TRACE("live");
      reset_debug_log(nullptr);
      villager_role().STATE = c.before;
      set_row_state(villager, std::uint16_t(c.before));
      EXPECT_TRUE(goes_on(name + " 1001" + operand));
      EXPECT_EQ(villager_role().STATE, c.live_after);
      EXPECT_EQ(row_state(villager), c.row_after_live);
      EXPECT_TRUE(messages().empty());
    }
    {
      SCOPED_TRACE("row only");
      reset_debug_log(nullptr);
      set_row_state(row_only, std::uint16_t(c.before));
      EXPECT_TRUE(goes_on(name + " 2002" + operand));
      EXPECT_EQ(row_state(row_only), c.row_after_row);
      EXPECT_EQ(messages(), expected(c.row_only_report, c.number, row_only));
    }
    {
      SCOPED_TRACE("nowhere");
      reset_debug_log(nullptr);
      EXPECT_TRUE(goes_on(name + " 3003" + operand));
      EXPECT_EQ(messages(), expected(c.nowhere_report, c.number, nowhere));
      EXPECT_LT(find_maps_role_row(nowhere), 0) << "no row made";
    }
  }
}

TEST_F(TalkRoles, TakenOffAndPutBackTheRoleIsOnTheMapAgainWithItsRowClear) {
  villager_role().cell_centre[0] = 150;
  villager_role().STATE = 0x2000;
  play("take_off_map 1001; put_back 1001; end");
  EXPECT_EQ(villager_role().STATE & 0x1, 0u);
  EXPECT_EQ(row_state(villager) & 0x1, 0);
  EXPECT_EQ(villager_role().cell_centre[0], 0.0f);
  EXPECT_EQ(find_role(villager), villager_index);
}

TEST_F(TalkRoles, TakingAMarkedRoleOffTheMapRemovesItsMinimapMarker) {
  add_role(1130);
  minimap.AddMarker(1130, 0xFFFF0000u, 0, 0, 0, 5, 0);
  start("take_off_map 1130; end");
  EXPECT_EQ(minimap.FindMarker(1130), nullptr);
  EXPECT_EQ(row_state(1130) & 0x1, 0x1);
}

TEST_F(TalkRoles, TheLeaderMovesItsBitsAndTheLeaderItselfStaysLeader) {
  gmMapRole[0].STATE = 0xC000;
  player_role_index = 0;
  villager_role().STATE = 0x2000;
  start("make_leader 1001; end");
  EXPECT_EQ(player_role_index, villager_index);
  EXPECT_EQ(gmMapRole[0].STATE & 0xE000, 0x4000u) << "the old leader keeps bit 14 only";
  EXPECT_EQ(villager_role().STATE & 0xE000, 0xC000u);
  EXPECT_EQ(row_state(villager) & 0xE000, 0xC000);

  start("make_leader 1001; end");
  EXPECT_EQ(player_role_index, villager_index);
  EXPECT_EQ(villager_role().STATE & 0xE000, 0xC000u) << "bits 14 and 15 stay set";

  player_role_index = 9999;  // a leader index outside the table is left alone
  start("make_leader 1001; end");
  EXPECT_EQ(player_role_index, villager_index);
  EXPECT_TRUE(messages().empty());
}

TEST_F(TalkRoles, OccupyingACellSnapsCellPosToItsCentreAndACellSizeOfZeroKeepsIt) {
  map_grid_cell[0] = map_grid_cell[1] = map_grid_cell[2] = 100.0f;
  MapRole& v = villager_role();
  v.X = 250, v.Y = 30, v.Z = -40;
  start("occupy_cell 1001 0; end");
  EXPECT_EQ(v.STATE & 0x40, 0x40u);
  start("occupy_cell 1001 1; end");
  EXPECT_EQ(v.STATE & 0x40, 0u);
  EXPECT_EQ(v.cell_centre[0], 250.0f);
  EXPECT_EQ(v.cell_centre[1], 50.0f);
  EXPECT_EQ(v.cell_centre[2], -50.0f);

  map_grid_cell[1] = 0.0f;
  v.X = 999;
  start("occupy_cell 1001 1; end");
  EXPECT_EQ(v.cell_centre[0], 250.0f) << "no cell: cell_pos kept";
  EXPECT_EQ(v.STATE & 0x40, 0u);
}

TEST_F(TalkRoles, TurningGraduallyLeavesTheFieldToTurnAndAtOnceSetsTheDirection) {
  MapRole& v = villager_role();
  v.STATE = 0x2000;
  v.var[5] = 4;
  MapRole& ev = start("turn_role 1001 90 1; set_flag 600; end");
  EXPECT_EQ(v.STATE & 0xC0000, 0xC0000u);
  EXPECT_EQ(v.DIR, 0.0f) << "the field turns it";
  EXPECT_EQ(v.turn_dir, 90.0f);
  EXPECT_EQ(v.turn_speed, 5.0f);
  EXPECT_EQ(v.anim.qq, 8) << "bit 13 walks while turning";
  EXPECT_EQ(v.var[5], 0);
  EXPECT_FALSE(test_flag(600)) << "ends the slice";
  run_talk(&ev);
  EXPECT_TRUE(test_flag(600));

  v = MapRole{};
  v.RoleID = villager;
  start("turn_role 1001 90 0; end");
  EXPECT_EQ(v.DIR, 90.0f);
  EXPECT_EQ(v.STATE & 0xC0000, 0u);

  MapRole& ev2 = start("turn_role 2002 200 1; set_flag 601; end");
  EXPECT_EQ(row_of_role(row_only).DIR, 200);
  run_talk(&ev2);
  EXPECT_TRUE(test_flag(601)) << "advances over its three words";

  start("turn_role 3003 10 0; end");
  EXPECT_EQ(messages(), std::vector<std::string>{"\xB9\xEF\xB8\xDC[5]\xAB\xFC\xA5O\xBF\xF9\xBB~[24]:\xA7\xE4\xA4\xA3\xA8\xEC"
                                                 "\xAB\xFC\xA9w\xA4\xA7\xA8\xA4\xA6\xE2ID=[3003]"});
}

TEST_F(TalkRoles, MovingToTheCurrentMapAddsTheRoleAndToAnotherTakesItOff) {
  play("move_to_map 2002 5 300L -20L 400L; end");
  const std::uint16_t i = find_role(row_only);
  ASSERT_NE(i, 0xFFFF);
  EXPECT_EQ(gmMapRole[i].X, 300.0f);
  EXPECT_EQ(gmMapRole[i].Y, -20.0f);
  EXPECT_EQ(gmMapRole[i].Z, 400.0f);
  EXPECT_EQ(row_of_role(row_only).MapID, here);
  EXPECT_EQ(row_of_role(row_only).X, 300);

  play("move_to_map 1001 5 10L 0L 20L; end");
  EXPECT_EQ(villager_role().X, 10.0f) << "already here: moved";

  play("move_to_map 1001 7 60L 0L 70L; end");
  EXPECT_EQ(find_role(villager), 0xFFFF);
  EXPECT_EQ(gmMapRole[villager_index].RoleID, 0xFFFF) << "its entry is retired";
  EXPECT_EQ(row_of_role(villager).MapID, elsewhere_map);
  EXPECT_EQ(row_of_role(villager).Z, 70);
  EXPECT_TRUE(messages().empty());

  play("move_to_map 3003 7 0L 0L 0L; move_to_map 3003 5 0L 0L 0L; end");
  // 對話5號 指令錯誤 28: 找不到指定之角色ID(map:5 id3003)
  EXPECT_EQ(messages(), std::vector<std::string>{"\xB9\xEF\xB8\xDC" "5\xB8\xB9 \xAB\xFC\xA5O\xBF\xF9\xBB~ 28: \xA7\xE4"
                                                 "\xA4\xA3\xA8\xEC\xAB\xFC\xA9w\xA4\xA7\xA8\xA4\xA6\xE2ID(map:5 id3003)"});
}

TEST_F(TalkRoles, WalksQueueATalkPathThatFollowsTheViewAfterAHeightWasSet) {
  MapRole& v = villager_role();
  v.STATE = 0x84000020;
  v.AI = 9;
  v.anim.qq = 3;
  play("walk_speed 3; path_y_step 300 0; walk_to 1001 10L 0L 20L; end");
  const RolePath* p = find_role_path(villager);
  ASSERT_NE(p, nullptr);
  EXPECT_EQ(p->flags, 10u);
  EXPECT_EQ(p->height, 300.0f);
  EXPECT_EQ(p->speed, 3.0f);
  EXPECT_EQ(p->walk_qq[0], 3);
  EXPECT_EQ(p->target[0], 10.0f);
  EXPECT_EQ(p->target[2], 20.0f);
  EXPECT_EQ(next_path_y_step, 0.0f);
  EXPECT_EQ(v.AI, 0);
  EXPECT_EQ(v.STATE & 0x84000020, 0u) << "not held by the talk";

  play("run_speed; walk_to 1001 30L 0L 40L; end");
  ASSERT_NE(find_role_path(villager), nullptr);
  EXPECT_EQ(role_path_count, 1) << "the old path was dropped";
  EXPECT_EQ(find_role_path(villager)->flags, 8u);
  EXPECT_EQ(find_role_path(villager)->height, 0.0f);
  EXPECT_EQ(find_role_path(villager)->speed, 8.0f);

  play("walk_view 1001 1L 2L 3L 0; end");
  EXPECT_EQ(find_role_path(villager)->flags, 10u) << "the view follows even at height 0";

  play("path_y_step 50 0; walk_to 3003 1L 2L 3L; walk_view 3003 1L 2L 3L 5; end");
  EXPECT_EQ(messages(), (std::vector<std::string>{
      "\xB9\xEF\xB8\xDC" "5 \xAB\xFC\xA5O\xBF\xF9\xBB~29: \xA7\xE4\xA4\xA3\xA8\xEC\xAB\xFC\xA9w\xA4\xA7\xA8\xA4\xA6\xE2ID=3003",
      "\xB9\xEF\xB8\xDC" "5 \xAB\xFC\xA5O\xBF\xF9\xBB~30: \xA7\xE4\xA4\xA3\xA8\xEC\xAB\xFC\xA9w\xA4\xA7 \xA8\xA4\xA6\xE2ID=3003"}));
}

TEST_F(TalkRoles, WalkingUpToARoleStopsShortAndAlreadyCloseQueuesNothing) {
  const int b = add_role(1002);
  gmMapRole[b].anim.box.max.x = 5;
  gmMapRole[b].anim.box.max.z = 4;
  struct Case {
    float bx;
    bool queued;
  } cases[] = {{10, false}, {11, false}, {12, true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.bx);
    del_all_role_path();
    gmMapRole[b].X = c.bx;
    gmMapRole[b].Z = 0;
    start("walk_up_to 1001 1002 1; end");
    const RolePath* p = find_role_path(villager);
    ASSERT_EQ(p != nullptr, c.queued);
    if (!p) continue;
    EXPECT_FLOAT_EQ(p->target[0], c.bx - 10.0f) << "two half-extents short";
    EXPECT_FLOAT_EQ(p->target[2], 0.0f);
    EXPECT_EQ(p->flags, 10u);
  }
  gmMapRole[b].X = 0;
  gmMapRole[b].Z = -100;
  del_all_role_path();
  start("walk_up_to 1001 1002 0; end");
  ASSERT_NE(find_role_path(villager), nullptr);
  EXPECT_FLOAT_EQ(find_role_path(villager)->target[2], -92.0f) << "z uses B's z half-extent";
  EXPECT_EQ(find_role_path(villager)->flags, 8u);

  gmMapRole[b].X = villager_role().X;
  gmMapRole[b].Z = villager_role().Z;
  gmMapRole[b].anim.box.max.x = -1;
  del_all_role_path();
  start("walk_up_to 1001 1002 0; end");
  EXPECT_EQ(find_role_path(villager), nullptr) << "one spot: no direction, no walk";

  start("walk_up_to 1001 3003 0; end");
  EXPECT_EQ(messages(), std::vector<std::string>{pair_not_found(31)});
}

TEST_F(TalkRoles, WaitingForAPathEndsWhenItsBitClearsAndAMissingRoleDoesNotHold) {
  villager_role().STATE = 0x20000000;
  MapRole& ev = start("wait_path 1001; set_flag 600; end");
  run_talk(&ev);
  EXPECT_EQ(at(ev), 0u) << "still waiting";
  villager_role().STATE = 0x20;
  run_talk(&ev);
  EXPECT_EQ(at(ev), 4u) << "the path ended: it advances and ends the slice";
  EXPECT_FALSE(test_flag(600));
  run_talk(&ev);
  EXPECT_TRUE(test_flag(600));

  clear_flag(600);
  MapRole& ev2 = start("wait_path 3003; set_flag 600; end");
  EXPECT_EQ(at(ev2), 4u);
  EXPECT_EQ(messages(), std::vector<std::string>{delay_not_found(32, nowhere)});
}

TEST_F(TalkRoles, AnimationOpcodesRestartTheLiveRoleAndStoreInTheRow) {
  MapRole& v = villager_role();
  v.anim.act = 4;
  v.anim.qq = 2;
  v.anim.frame = 7;
  start("set_act 1001 12; end");
  EXPECT_EQ(v.anim.act, 12);
  EXPECT_EQ(v.anim.qq, 0);
  EXPECT_EQ(v.anim.frame, 0);
  EXPECT_EQ(v.STATE & 0x20, 0x20u);

  v.var[4] = 9;
  v.STATE = 0;
  start("set_qq 1001 6; end");
  EXPECT_EQ(v.anim.act, 12) << "the ACT is kept";
  EXPECT_EQ(v.anim.qq, 6);
  EXPECT_EQ(v.var[4], 0);
  EXPECT_EQ(v.var[5], 6);
  EXPECT_EQ(v.STATE & 0x20, 0x20u);

  start("keep_delay 1001 7; end");
  EXPECT_TRUE(v.anim.control & act_control_keep_delay);
  EXPECT_EQ(v.anim.delay, 7);
  start("free_delay 1001; end");
  EXPECT_FALSE(v.anim.control & act_control_keep_delay);

  play("set_act 2002 30; set_qq 2002 31; end");
  EXPECT_EQ(row_of_role(row_only).ACT, 30);
  EXPECT_EQ(row_of_role(row_only).QQ, 31);
  EXPECT_TRUE(messages().empty());

  play("set_act 3003 30; set_qq 3003 31; keep_delay 3003 1; free_delay 3003; end");
  EXPECT_EQ(messages(), (std::vector<std::string>{
      "\xB9\xEF\xB8\xDC" "5 \xAB\xFC\xA5O\xBF\xF9\xBB~20: \xA7\xE4\xA4\xA3\xA8\xEC\xAB\xFC\xA9w\xA4\xA7 \xA8\xA4\xA6\xE2ID3003,ACT=30",
      "\xB9\xEF\xB8\xDC" "5 \xAB\xFC\xA5O\xBF\xF9\xBB~21: \xA7\xE4\xA4\xA3\xA8\xEC\xAB\xFC\xA9w\xA4\xA7 \xA8\xA4\xA6\xE2ID3003,QQ=31",
      delay_not_found(22, nowhere), delay_not_found(23, nowhere)}));
}

TEST_F(TalkRoles, PlacingMovingOntoARoleAndANewAiScript) {
  MapRole& v = villager_role();
  play("walk_to 1001 1L 1L 1L; place_role 1001 -5L 6L 7L; end");
  EXPECT_EQ(find_role_path(villager), nullptr) << "its walk was dropped";
  EXPECT_EQ(v.X, -5.0f);
  EXPECT_EQ(v.Z, 7.0f);

  const int b = add_role(1002);
  gmMapRole[b].X = 40, gmMapRole[b].Y = 50, gmMapRole[b].Z = 60;
  EXPECT_TRUE(goes_on("move_to_role 1001 1002"));
  EXPECT_EQ(v.X, 40.0f);
  EXPECT_EQ(v.Z, 60.0f);

  v.ai_start = v.ai_offset = 77;
  EXPECT_TRUE(goes_on("set_role_ai 1001 12"));
  EXPECT_EQ(v.AI, 12);
  EXPECT_EQ(v.ai_start, 0u);
  EXPECT_EQ(v.ai_offset, 0u);

  reset_debug_log(nullptr);
  EXPECT_TRUE(goes_on("move_to_role 3003 4004; set_role_ai 2002 1"));
  EXPECT_EQ(messages(), (std::vector<std::string>{talk_not_found(47, 3003), talk_not_found(47, 4004),
                                                  talk_not_found(275, 2002)}));
}

}  // namespace

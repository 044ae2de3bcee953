// Talk opcodes of role jumps, turns toward a role or by an angle, walks to a pose and the
// distance test against the player.
#include "data/role_rows.h"
#include "field/field_controller.h"
#include "field/role_path.h"
#include "script/talk_ops.h"
#include "tests/script/talk_group_test.h"

namespace {
using namespace script_test;

constexpr std::uint16_t row_only = 2002, nowhere = 3003, other = 1002;

// 對話5 指令錯誤 <op>: 找不到指定之 角色ID=<id>
std::string not_found(int op, int id) {
  return "\xB9\xEF\xB8\xDC" "5 \xAB\xFC\xA5O\xBF\xF9\xBB~ " + std::to_string(op) +
         ": \xA7\xE4\xA4\xA3\xA8\xEC\xAB\xFC\xA9w\xA4\xA7 \xA8\xA4\xA6\xE2ID=" + std::to_string(id);
}
// [5]號對話 [118]號指令錯誤 找不到 RoleID=<id> ,此角色不在此地圖內
std::string face_not_found(int id) {
  return "[5]\xB8\xB9\xB9\xEF\xB8\xDC [118]\xB8\xB9\xAB\xFC\xA5O\xBF\xF9\xBB~ \xA7\xE4\xA4\xA3\xA8\xEC RoleID=" +
         std::to_string(id) + " ,\xA6\xB9\xA8\xA4\xA6\xE2\xA4\xA3\xA6" "b\xA6\xB9\xA6" "a\xB9\xCF\xA4\xBA";
}

class TalkWalks : public TalkGroupTest {
 protected:
  TalkWalks() {
    fixtures::MapsDat db;
    MapsRoleRow r;
    r.MapID = 7;
    r.RoleID = row_only;
    db.roles = {r};
    load_maps(db);
    other_index = add_role(other);
  }
  ~TalkWalks() override { del_all_role_path(); }

  MapRole& villager_role() { return gmMapRole[villager_index]; }
  MapRole& other_role() { return gmMapRole[other_index]; }
  // A jump test whose taken path sets flag 600 and whose step-over path sets 601.
  static std::string branch(const std::string& test) {
    return test + " @taken; set_flag 601; end; taken: set_flag 600; end";
  }
  // 1 jumped and went on, 2 jumped and ended the slice, 3 stepped over and went on, 4 stepped
  // over and ended the slice.
  int branch_result(const std::string& test) {
    clear_flag(600);
    clear_flag(601);
    MapRole& ev = start(branch(test));
    if (test_flag(600)) return 1;
    if (test_flag(601)) return 3;
    run_talk(&ev);
    return test_flag(600) ? 2 : test_flag(601) ? 4 : 0;
  }
  static void box(MapRole& r, float half) {
    r.anim.box.min = {-half, 0, -half, 0};
    r.anim.box.max = {half, 2 * half, half, 0};
  }

  int other_index = 0;
};

TEST_F(TalkWalks, FacingARoleTurnsToItsHeading) {
  struct Case {
    float bx, bz;
    std::uint16_t mode;
    float heading;
  } cases[] = {
      {0, -100, 0, 0}, {100, 0, 0, 90}, {-100, 0, 0, 270}, {0, 100, 0, 180}, {100, -100, 0, 45},
      {-100, 0, 1, 270}, {100, 0, 1, 90},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.bx) + "," + std::to_string(c.bz) + " mode " + std::to_string(c.mode));
    MapRole& a = villager_role();
    a.STATE = 0x8000;
    a.DIR = a.turn_dir = 0;
    a.anim.qq = 1;
    a.var[5] = 3;
    other_role().X = c.bx;
    other_role().Z = c.bz;
    MapRole& ev = start("face_role 1001 1002 " + std::to_string(c.mode) + "; set_flag 600; end");
    EXPECT_NEAR(a.turn_dir, c.heading, 0.01);
    EXPECT_EQ(a.var[5], 0);
    if (c.mode == 1) {
      EXPECT_EQ(a.DIR, 0.0f) << "the field turns it";
      EXPECT_EQ(a.STATE & 0xC0000, 0xC0000u);
      EXPECT_EQ(a.anim.qq, 8) << "bit 15 walks while turning";
    } else {
      EXPECT_NEAR(a.DIR, c.heading, 0.01);
      EXPECT_EQ(a.STATE & 0xC0000, 0u);
    }
    EXPECT_FALSE(test_flag(600)) << "ends the slice";
    run_talk(&ev);
    EXPECT_TRUE(test_flag(600));
    clear_flag(600);
  }
}

TEST_F(TalkWalks, FacingARoleOnTheSameSpotKeepsTheHeadingAndAMissingRoleIsReported) {
  MapRole& a = villager_role();
  a.DIR = a.turn_dir = 123;
  start("face_role 1001 1002 0; end");
  EXPECT_EQ(a.DIR, 123.0f);
  EXPECT_EQ(a.turn_dir, 123.0f);

  start("face_role 3003 4004 0; end");
  start("face_role 1001 4004 0; end");
  EXPECT_EQ(messages(), (std::vector<std::string>{face_not_found(3003), face_not_found(4004)}));
  EXPECT_EQ(a.DIR, 123.0f);
}

TEST_F(TalkWalks, TurningByAnAngleWrapsIntoAFullTurn) {
  struct Case {
    float from;
    std::int32_t degrees;
    std::uint16_t mode;
    float to;
  } cases[] = {{45, -90, 0, 315}, {45, -90, 1, 315}, {0, 400, 0, 40}, {350, 20, 0, 10}, {10, -730, 0, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.from) + " by " + std::to_string(c.degrees));
    MapRole& r = villager_role();
    r.STATE = 0;
    r.DIR = r.turn_dir = c.from;
    r.anim.act = 4;
    r.anim.qq = 2;
    r.anim.frame = 9;
    start("turn_by 1001 " + std::to_string(c.degrees) + "L " + std::to_string(c.mode) + "; end");
    EXPECT_FLOAT_EQ(r.turn_dir, c.to);
    EXPECT_FLOAT_EQ(r.DIR, c.mode == 1 ? c.from : c.to);
    EXPECT_EQ(r.STATE & 0xC0000, c.mode == 1 ? 0xC0000u : 0u);
    EXPECT_EQ(r.anim.act, 4);
    EXPECT_EQ(r.anim.qq, 2);
    EXPECT_EQ(r.anim.frame, 0) << "the animation restarts";
  }
  start("turn_by 2002 65626L 0; end");
  const long p = find_maps_role_row(row_only);
  ASSERT_GE(p, 0);
  EXPECT_EQ(read_maps_role_row(std::size_t(p)).DIR, 90) << "the low 16 bits of the angle";
  EXPECT_TRUE(messages().empty());
  start("turn_by 3003 10L 0; end");
  EXPECT_EQ(messages(), std::vector<std::string>{not_found(131, nowhere)});
}

TEST_F(TalkWalks, ThePlayerWithinTheDistanceJumpsAndGoesOnInclusive) {
  player_role_index = other_index;
  other_role().X = 3;
  other_role().Z = 4;
  other_role().Y = 5000;  // height does not count
  EXPECT_EQ(branch_result("near_jump 1001 5"), 1) << "exactly at the distance";
  EXPECT_EQ(branch_result("near_jump 1001 6"), 1);
  EXPECT_EQ(branch_result("near_jump 1001 4"), 4);
  EXPECT_TRUE(messages().empty());
  EXPECT_EQ(branch_result("near_jump 3003 65535"), 4);
  EXPECT_EQ(messages(), std::vector<std::string>{not_found(142, nowhere)});
  player_role_index = 9999;
  EXPECT_EQ(branch_result("near_jump 1001 65535"), 4) << "no leader: no distance";
}

TEST_F(TalkWalks, AJumpStartsFromTheRoleAndTheCameraFollowsWhenAsked) {
  MapRole& r = villager_role();
  r.X = 10, r.Y = 20, r.Z = 30;
  r.jump.frame_counter = 7;
  MapRole& ev = start("jump_role 1001 100 200 300 12 1; wait_jump 1001; set_flag 600; end");
  EXPECT_TRUE(r.STATE & 0x1000000);
  EXPECT_EQ(r.jump.start.x, 10.0f);
  EXPECT_EQ(r.jump.start.z, 30.0f);
  EXPECT_EQ(r.jump.target.y, 200.0f);
  EXPECT_EQ(r.jump.speed, 12.0f);
  EXPECT_EQ(r.jump.gravity, 1.0f);
  EXPECT_EQ(r.jump.frame_counter, 0.0f) << "a fresh arc";
  EXPECT_EQ(camera_follow_role, villager_index);
  run_talk(&ev);
  run_talk(&ev);
  EXPECT_FALSE(test_flag(600)) << "waits while it jumps";
  r.STATE &= ~0x1000000u;
  run_talk(&ev);
  run_talk(&ev);
  EXPECT_TRUE(test_flag(600));

  start("jump_role 1001 1 2 3 4 0; end");
  EXPECT_EQ(camera_follow_role, 0);

  reset_debug_log(nullptr);
  camera_follow_role = 5;
  start("jump_role 3003 1 2 3 4 1; end");
  EXPECT_EQ(camera_follow_role, 5) << "a missing role changes nothing";
  EXPECT_EQ(messages(), std::vector<std::string>{not_found(110, nowhere)});
}

TEST_F(TalkWalks, LandedAndTouchingTestsOnJumps) {
  MapRole& a = villager_role();
  MapRole& b = other_role();
  box(a, 10);
  box(b, 10);
  a.STATE = b.STATE = 0x1000000;
  a.jump.speed = b.jump.speed = 9;
  EXPECT_EQ(branch_result("landed_jump 1001"), 4) << "still in the air";
  b.X = 100;
  EXPECT_EQ(branch_result("overlap_jump 1001 1002"), 4) << "apart";
  EXPECT_TRUE(a.STATE & 0x1000000);

  b.X = 15;
  EXPECT_EQ(branch_result("overlap_jump 1001 1002"), 2) << "their boxes touch";
  EXPECT_EQ(a.STATE & 0x1000000, 0u);
  EXPECT_EQ(b.STATE & 0x1000000, 0u);
  EXPECT_EQ(a.jump.speed, 0.0f);
  EXPECT_EQ(b.jump.speed, 0.0f);
  EXPECT_EQ(branch_result("landed_jump 1001"), 2);
  MapRole& ev = start("wait_jump 1002; set_flag 602; end");
  run_talk(&ev);
  EXPECT_TRUE(test_flag(602)) << "the wait passes at once";
  EXPECT_TRUE(messages().empty());

  EXPECT_EQ(branch_result("landed_jump 3003"), 2) << "a role that is not here is not jumping";
  EXPECT_EQ(branch_result("overlap_jump 1001 3003"), 4);
  EXPECT_EQ(branch_result("overlap_jump 3003 1001"), 4);
  EXPECT_EQ(messages(), (std::vector<std::string>{not_found(112, nowhere), not_found(113, nowhere),
                                                  not_found(113, nowhere)}));
}

TEST_F(TalkWalks, WaitsOnTurnsAndAnimationsPassAMissingRoleOrReportItOnce) {
  MapRole& r = villager_role();
  r.STATE = 0x40000;
  MapRole& ev = start("wait_turn 1001; wait_turn 3003; set_flag 600; end");
  run_talk(&ev);
  EXPECT_EQ(at(ev), 0u) << "turning";
  r.STATE = 0;
  for (int i = 0; i < 3; ++i) run_talk(&ev);
  EXPECT_TRUE(test_flag(600)) << "a missing role is not turning";
  EXPECT_EQ(messages(), std::vector<std::string>{not_found(119, nowhere)});

  reset_debug_log(nullptr);
  MapRole& ev2 = start("wait_role_act 3003 0; wait_role_act 1001 0; set_flag 601; end");
  for (int i = 0; i < 5; ++i) run_talk(&ev2);
  EXPECT_EQ(at(ev2), 0u) << "the role may still come: the wait goes on";
  // 找不到 3003 角色
  EXPECT_EQ(messages(), std::vector<std::string>{"\xA7\xE4\xA4\xA3\xA8\xEC 3003 \xA8\xA4\xA6\xE2"}) << "once";
  add_role(nowhere);
  gmMapRole[gmMapRoleCount - 1].anim.state = act_state_finished;
  run_talk(&ev2);
  EXPECT_EQ(at(ev2), 6u);
  run_talk(&ev2);
  EXPECT_EQ(at(ev2), 6u) << "the villager's animation has not finished";
  r.anim.state = act_state_finished;
  run_talk(&ev2);
  run_talk(&ev2);
  EXPECT_TRUE(test_flag(601));

  MapRole& ev3 = start("wait_role_act 4004 0; end");
  run_talk(&ev3);
  EXPECT_EQ(messages().size(), 2u) << "a new event reports again";
}

TEST_F(TalkWalks, AWalkToAPoseTakesTheHeightOnceAndFreesTheRoleFromTheTalk) {
  MapRole& r = villager_role();
  r.STATE = 0x84000020;
  r.AI = 4;
  r.anim.qq = 3;
  r.var[5] = 2;
  MapRole& ev = start("path_y_step 50 0; walk_speed 6; walk_pose 1001 10L 0L -20L 7 180 1; end");
  for (int i = 0; i < 3; ++i) run_talk(&ev);
  const RolePath* p = find_role_path(villager);
  ASSERT_NE(p, nullptr);
  EXPECT_EQ(p->flags, 0x8u | 0x10u | 0x2u | 0x20u);
  EXPECT_EQ(p->height, 50.0f);
  EXPECT_EQ(p->speed, 6.0f);
  EXPECT_EQ(p->end_qq, 7);
  EXPECT_EQ(p->end_dir, 180);
  EXPECT_EQ(p->walk_qq[0], 3);
  EXPECT_EQ(p->target[2], -20.0f);
  EXPECT_EQ(r.AI, 0);
  EXPECT_EQ(r.var[5], 0);
  EXPECT_EQ(r.STATE & 0x84000020, 0u);
  EXPECT_EQ(next_path_y_step, 0.0f);

  MapRole& ev2 = start("walk_pose 1001 1L 2L 3L 0 0 0; end");
  run_talk(&ev2);
  EXPECT_EQ(role_path_count, 1) << "the old path is dropped";
  EXPECT_EQ(find_role_path(villager)->flags, 0x28u) << "no height without 171 again";
  EXPECT_EQ(find_role_path(villager)->height, 0.0f);

  start("walk_pose 3003 1L 2L 3L 0 0 0; end");
  // 對話5 指令錯誤137: 找不到指定之角色ID=3003
  EXPECT_EQ(messages(), std::vector<std::string>{"\xB9\xEF\xB8\xDC" "5 \xAB\xFC\xA5O\xBF\xF9\xBB~137: \xA7\xE4\xA4\xA3"
                                                 "\xA8\xEC\xAB\xFC\xA9w\xA4\xA7\xA8\xA4\xA6\xE2ID=3003"});
}

TEST_F(TalkWalks, KeepingThePlayersDirectionLocksItForTheNextWalkStep) {
  player_role_index = villager_index;
  villager_role().DIR = 135;
  villager_role().kept_dir = 0;
  start("keep_player_dir; end");
  EXPECT_EQ(villager_role().kept_dir, 135.0f);
  EXPECT_EQ(keep_direction_word, 1);
}

}  // namespace

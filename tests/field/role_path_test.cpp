// Scripted role paths: target and direction walks, collisions, ends and the list itself.
#include "field/role_path.h"

#include "core/flags.h"
#include "core/game_flags.h"
#include "field/field_camera_state.h"
#include "field/role_move.h"
#include "tests/field/walk_world.h"

namespace {
using walk_test::WalkWorld;

class RolePaths : public WalkWorld {
 protected:
  ~RolePaths() override { del_all_role_path(); }
  int walker = add_role(100, 100, 0, 100);
  MapRole& r() { return role(walker); }
  RolePath to(float x, float z, float speed, std::uint32_t flags = 0) {
    RolePath p;
    p.role = &r();
    p.flags = flags;
    p.target[0] = x, p.target[2] = z;
    p.speed = speed;
    p.walk_qq[0] = 8;
    return p;
  }
  void frames(int n) {
    for (int i = 0; i < n; ++i) run_role_paths();
  }
};

TEST_F(RolePaths, TargetWalksEndOnTheTruncatedTarget) {
  struct Case {
    const char* what;
    float x, z, speed;
    int frames_to_finish;  // the frame whose step arrives
    float end_x, end_z, dir;
  } cases[] = {
      {"three steps, the last one short", 110.7f, 100, 4, 3, 110, 100, 90},
      {"already there: no move, DIR kept", 100.4f, 100.9f, 4, 1, 100, 100, 33},
      {"toward -z", 100, 60, 20, 2, 100, 60, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    r().X = 100, r().Z = 100, r().DIR = 33;
    RolePath p = to(c.x, c.z, c.speed);
    add_role_path(&p);
    EXPECT_TRUE(r().STATE & state_on_path);
    frames(c.frames_to_finish);
    EXPECT_TRUE(find_role_path(100)->flags & path_finished);
    EXPECT_FLOAT_EQ(r().X, c.end_x);
    EXPECT_FLOAT_EQ(r().Z, c.end_z);
    EXPECT_NEAR(r().DIR, c.dir, 0.01);
    EXPECT_FALSE(r().STATE & state_path_ended);
    frames(1);  // the next frame ends it
    EXPECT_EQ(role_path_count, 0);
    EXPECT_TRUE(r().STATE & state_path_ended);
    EXPECT_FALSE(r().STATE & state_on_path);
    EXPECT_FALSE(r().flagEx & flagex_no_collide);
  }
}

TEST_F(RolePaths, ACollidingPathStopsAtTheWallAndStillTakesItsEndPose) {
  r().X = 240;
  RolePath p = to(400, 100, 20, path_collide | path_end_pose);
  p.end_qq = 5;
  p.end_dir = 270;
  add_role_path(&p);
  frames(5);
  EXPECT_LT(r().X, walk_test::wall_x0 - 30);
  EXPECT_EQ(role_path_count, 0);
  EXPECT_EQ(r().anim.qq, 5);
  EXPECT_EQ(*role_var(r(), 3), 5) << "the kept QQ is the end QQ too";
  EXPECT_FLOAT_EQ(r().DIR, 270);
}

TEST_F(RolePaths, AFreePathThatLeavesTheFloorFloatsUntilItsEnd) {
  r().X = 660;
  RolePath p = to(760, 100, 20);
  add_role_path(&p);
  frames(1);
  EXPECT_FLOAT_EQ(r().X, 680);
  frames(1);  // 700 has no floor: the move fails and the role floats from now on
  EXPECT_FLOAT_EQ(r().X, 680);
  EXPECT_TRUE(r().STATE & state_floats);
  EXPECT_TRUE(find_role_path(100)->flags & path_made_floating);
  frames(4);
  EXPECT_FLOAT_EQ(r().X, 760);
  EXPECT_TRUE(r().STATE & state_floats);
  frames(1);
  EXPECT_FALSE(r().STATE & state_floats) << "ending the path lands it again";
}

TEST_F(RolePaths, DirectionWalksRunTheirFrameCount) {
  RolePath p;
  p.role = &r();
  p.flags = path_walk_frames | path_view_follows;
  p.dir = 90;
  p.speed = 10;
  p.frame_count = 3;
  p.height = 0;
  set_flag(flag_talk_waits_path);
  add_role_path(&p);
  frames(3);
  EXPECT_NEAR(r().X, 130, 0.1);
  EXPECT_FLOAT_EQ(r().DIR, 90);
  EXPECT_NEAR(field_camera_state.target_point[0], r().X, 0.01) << "the camera point follows";
  frames(1);
  EXPECT_EQ(role_path_count, 0);
  EXPECT_FALSE(test_flag(flag_talk_waits_path));
}

TEST_F(RolePaths, TurningHeldOrTalkingRolesWait) {
  struct Case {
    std::uint32_t state, flags;
    bool moves;
  } cases[] = {{0x40000, 0, false},      {state_held, 0, false}, {state_in_talk, 0, false},
               {state_in_talk, path_talk_walk, true}, {0, 0, true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.state);
    r().X = 100;
    r().STATE = c.state;
    RolePath p = to(200, 100, 10, c.flags);
    add_role_path(&p);
    frames(1);
    EXPECT_EQ(r().X != 100, c.moves);
    del_all_role_path();
  }
}

TEST_F(RolePaths, DeletingPathsClearsTheirRolesBits) {
  const int other = add_role(101, 200, 0, 200);
  RolePath a = to(500, 100, 1), b = to(500, 100, 1);
  b.role = &role(other);
  add_role_path(&a);
  add_role_path(&b);
  add_role_path(&a);
  EXPECT_EQ(role_path_count, 3);
  r().flagEx = flagex_no_collide;
  r().STATE |= state_keeps_facing;
  del_role_path(100);
  EXPECT_EQ(role_path_count, 2);
  EXPECT_FALSE(r().STATE & (state_on_path | state_keeps_facing));
  EXPECT_FALSE(r().flagEx & flagex_no_collide);
  del_role_path(999);
  EXPECT_EQ(role_path_count, 2);
  del_role_path_at(5);
  EXPECT_EQ(role_path_count, 2);
  clear_role_path_flags(101, 0xFFFFFFFF);
  EXPECT_EQ(find_role_path(101)->flags, 0u);
  del_role_path_at(0);
  EXPECT_FALSE(role(other).STATE & state_on_path);
  EXPECT_EQ(find_role_path(100)->role, &r()) << "the remaining node is the third";
  del_all_role_path();
  EXPECT_EQ(lpTmpPath, nullptr);
}

TEST_F(RolePaths, AddingTakesTheKeptQqAndCopiesTheWalkingQq) {
  *role_var(r(), 3) = 77;
  r().STATE |= state_path_ended;
  RolePath p = to(200, 100, 1);
  p.walk_qq[1] = 0;
  add_role_path(&p);
  EXPECT_EQ(r().anim.qq, 77);
  EXPECT_FALSE(r().STATE & state_path_ended);
  EXPECT_EQ(find_role_path(100)->walk_qq[1], 8);
}

}  // namespace

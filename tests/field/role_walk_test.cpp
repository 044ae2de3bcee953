// Role-to-role collisions: touches, blocks, pushes, standing on roles and stepping away.
#include "field/role_walk.h"

#include <cmath>

#include "field/role_move.h"
#include "tests/field/walk_world.h"

namespace {
using walk_test::WalkWorld;

class RoleWalk : public WalkWorld {
 protected:
  int player = add_role(0xFF01, 100, 0, 100, state_player);
  MapRole& p() { return role(player); }
};

TEST_F(RoleWalk, AToucherReportsItsIndexAndNothingMoves) {
  const int v = add_role(100, 125, 0, 100, state_touch_talk);
  p().DIR = 90;
  EXPECT_EQ(walk_role(&p(), 10, 0, 0), v);
  EXPECT_FLOAT_EQ(p().X, 100);
  EXPECT_FLOAT_EQ(role(v).X, 125);
}

TEST_F(RoleWalk, RolesBlockPassOrStepThePlayerAside) {
  struct Case {
    const char* what;
    std::uint32_t state;
    bool player_moves;
    int result;  // -1 free, 1 the other role's index
    float player_x;
  } cases[] = {
      {"a plain role: the player steps 3 away", 0, true, 1, 97},
      {"a role others pass through", state_pass_through, true, -1, 110},
      {"a role that does not block the player", state_no_block, true, -1, 110},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    gmMapRoleCount = 1;
    p().X = 100;
    const int v = add_role(100, 121, 0, 100, c.state);
    ASSERT_EQ(v, 1);
    EXPECT_EQ(walk_role(&p(), 10, 0, 0), c.result);
    EXPECT_NEAR(p().X, c.player_x, 0.01);
  }
}

TEST_F(RoleWalk, AnotherRoleIsStoppedWithoutStepping) {
  const int mover = add_role(100, 100, 0, 300);
  const int wall = add_role(101, 115, 0, 300);
  EXPECT_EQ(walk_role(&role(mover), 10, 0, 0), wall);
  EXPECT_FLOAT_EQ(role(mover).X, 100);
  role(wall).flagEx = flagex_no_collide;
  EXPECT_EQ(walk_role(&role(mover), 10, 0, 0), -1) << "a role on a scripted path is ignored";
  EXPECT_FLOAT_EQ(role(mover).X, 110);
}

TEST_F(RoleWalk, TheFirstContactArmsThePushTheNextPushes) {
  const int crate = add_role(100, 125, 0, 100, state_pushable);
  p().DIR = 90;
  EXPECT_EQ(walk_role(&p(), 10, 0, 0), crate);
  EXPECT_TRUE(role(crate).STATE & state_push_armed);
  EXPECT_FLOAT_EQ(role(crate).X, 125);
  EXPECT_FLOAT_EQ(p().X, 100);
  EXPECT_EQ(walk_role(&p(), 10, 0, 0), crate);
  EXPECT_FLOAT_EQ(role(crate).X, 135);
  EXPECT_FLOAT_EQ(role(crate).Z, 100);
  EXPECT_FLOAT_EQ(p().X, 110);
}

TEST_F(RoleWalk, APushedCrateClimbsOntoALowCrate) {
  const int crate = add_role(100, 135, 0, 100, state_pushable | state_push_armed);
  const int low = add_role(101, 150, 0, 100, state_stand_on);
  role(low).anim.box.max.y = 10;
  p().X = 115;
  p().DIR = 90;
  EXPECT_EQ(walk_role(&p(), 10, 0, 0), crate);
  EXPECT_FLOAT_EQ(role(crate).X, 145);
  EXPECT_FLOAT_EQ(role(crate).Y, 10) << "set on top of the low crate";
  role(low).anim.box.max.y = 60;
  role(crate).X = 135, role(crate).Y = 0;
  p().X = 115;
  EXPECT_EQ(walk_role(&p(), 10, 0, 0), crate);
  EXPECT_FLOAT_EQ(role(crate).X, 135) << "a crate too tall to climb stops it";
  EXPECT_FLOAT_EQ(p().X, 115);
}

TEST_F(RoleWalk, AFrozenPlayerNeitherPushesNorClimbs) {
  const int crate = add_role(100, 125, 0, 100, state_pushable | state_push_armed | state_stand_on);
  p().DIR = 90;
  p().STATE |= state_held;
  EXPECT_EQ(push_role(&p(), 10, 0, 0, &role(crate)), 0);
  EXPECT_EQ(stand_on_role(&p(), &role(crate), 10, 0, 0), 0);
}

TEST_F(RoleWalk, Bit0x10000WithoutATouchStandsStillAndIsCleared) {
  p().STATE |= state_no_block;
  EXPECT_EQ(walk_role(&p(), 10, 0, 0), -1);
  EXPECT_FLOAT_EQ(p().X, 100);
  EXPECT_FALSE(p().STATE & state_no_block);
  EXPECT_EQ(walk_role(&p(), 10, 0, 0), -1);
  EXPECT_FLOAT_EQ(p().X, 110);
}

TEST_F(RoleWalk, TheMapBlockingGivesMinusTwoAndEndsTheWalk) {
  p().X = 250;
  p().STATE |= state_walking;
  EXPECT_EQ(walk_role(&p(), 30, 0, 0), -2);
  EXPECT_FALSE(p().STATE & state_walking);
}

TEST_F(RoleWalk, SteppingAwayFromARoleOnTheSameSpotIsRefused) {
  const int v = add_role(100, 100, 0, 100);
  EXPECT_EQ(step_away_from_role(&p(), 0, &role(v)), 0);
  EXPECT_FALSE(std::isnan(p().X));
  EXPECT_FLOAT_EQ(p().X, 100);
}

TEST_F(RoleWalk, OverlapUsesTheScaledBoxes) {
  const int v = add_role(100, 125, 0, 100);
  EXPECT_EQ(test_role_overlap(&p(), 0, 0, 0, &role(v)), 0);
  role(v).scale = 1.0f;  // twice the size: 105..145
  EXPECT_EQ(test_role_overlap(&p(), 0, 0, 0, &role(v)), 1);
}

TEST(RoleTurn, TheShorterWayAndTheTies) {
  struct Case {
    float dir, target, speed;
  } cases[] = {{0, 90, 5}, {90, 0, -5}, {0, 270, -5}, {350, 10, 5}, {10, 350, -5}, {10, 190, -5}, {190, 10, 5}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.dir << " -> " << c.target);
    MapRole r;
    r.DIR = c.dir;
    r.turn_dir = c.target;
    set_role_turn(&r);
    EXPECT_EQ(r.turn_speed, c.speed);
  }
}

}  // namespace

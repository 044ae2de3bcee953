// Role movement against the collision floor, walls, the grid's edge and the bounds rectangle,
// on the synthetic field of walk_world.
#include "field/role_move.h"

#include <cmath>

#include "core/flags.h"
#include "core/game_flags.h"
#include "tests/field/walk_world.h"

namespace {
using walk_test::WalkWorld;

class RoleMove : public WalkWorld {};

float quad_centre_x(const MapRole& r) {
  float x = 0;
  for (const G3dVertex& v : r.shadow_quad) x += v.x;
  return x / 4;
}

TEST_F(RoleMove, TheFloorWithinTheWindowCarriesTheRole) {
  struct Case {
    const char* what;
    float x, y, dx;
    int result;
    float x_after, y_after;
  } cases[] = {
      {"a zero move snaps down", 100, 30, 0, 1, 100, 0},
      {"a zero move snaps up", 100, -90, 0, 1, 100, 0},
      {"floor more than 100 below is not found", 100, 150, 0, 0, 100, 150},
      {"a step up onto the raised floor", 480, 0, 30, 1, 510, walk_test::step_height},
      {"stacked floors: the first listed wins, not the nearest", 790, 0, 20, 1, 810, walk_test::upper_height},
      {"a cell without floor refuses", 690, 0, 20, 0, 690, 0},
      {"beyond the grid's edge", 990, 0, 20, 0, 990, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const int i = add_role(100, c.x, c.y, 500);
    EXPECT_EQ(move_role(&role(i), c.dx, 0, 0), c.result);
    EXPECT_FLOAT_EQ(role(i).X, c.x_after);
    EXPECT_FLOAT_EQ(role(i).Y, c.y_after);
    EXPECT_FLOAT_EQ(role(i).Z, 500);
  }
}

TEST_F(RoleMove, AFloorMoveKeepsTheCellCentreUnderTheFeet) {
  const int i = add_role(100, 480, 0, 420);
  ASSERT_EQ(move_role(&role(i), 30, 0, 0), 1);
  EXPECT_FLOAT_EQ(role(i).cell_centre[0], 550);
  EXPECT_FLOAT_EQ(role(i).cell_centre[1], 50);
  EXPECT_FLOAT_EQ(role(i).cell_centre[2], 450);
}

TEST_F(RoleMove, NegativeTargetsAreRefusedWhateverTheOrigin) {
  map_grid_origin[0] = map_grid_origin[2] = -500;  // cells now cover -500..500
  const int i = add_role(100, 10, 0, 10);
  EXPECT_EQ(move_role(&role(i), -20, 0, 0), 0);
  EXPECT_EQ(move_role(&role(i), 0, 0, -20), 0);
  EXPECT_FLOAT_EQ(role(i).X, 10);
  EXPECT_EQ(move_role(&role(i), 20, 0, 0), 1);
}

TEST_F(RoleMove, AWallStopsTheRoleButTheShadowMovesToTheTarget) {
  const int i = add_role(100, 250, 0, 500);
  EXPECT_EQ(move_role(&role(i), 30, 0, 0), 0);
  EXPECT_FLOAT_EQ(role(i).X, 250);
  EXPECT_NEAR(quad_centre_x(role(i)), 280, 0.01);
  set_flag(flag_wall_test_off);
  EXPECT_EQ(move_role(&role(i), 30, 0, 0), 1) << "walls are skipped while a talk event runs";
}

TEST_F(RoleMove, TheBoundsRectangleHoldsOnlyThePlayer) {
  role_bounds = {0, 0, 200, 200, 1};
  const int player = add_role(0xFF01, 150, 0, 150, state_player);
  const int other = add_role(100, 150, 0, 150);
  EXPECT_EQ(move_role(&role(player), 60, 0, 0), 0);
  EXPECT_EQ(move_role(&role(player), 50, 0, 50), 1) << "the edges belong to the rectangle";
  EXPECT_EQ(move_role(&role(other), 60, 0, 0), 1);
  role_bounds.on = 0;
  EXPECT_EQ(move_role(&role(player), 60, 0, 0), 1);
}

TEST_F(RoleMove, WithFlag8042ThePlayerIgnoresCollisionOthersDoNot) {
  set_flag(flag_collisions_off);
  const int player = add_role(0xFF01, 250, 0, 500, state_player);
  const int other = add_role(100, 250, 0, 500);
  EXPECT_EQ(move_role(&role(player), 30, 7, 0), 1);
  EXPECT_FLOAT_EQ(role(player).Y, 7) << "not set on the floor either";
  EXPECT_EQ(move_role(&role(player), 2000, 0, 0), 1) << "off the grid";
  EXPECT_EQ(move_role(&role(other), 30, 0, 0), 0);
}

TEST_F(RoleMove, WithoutAWorldOrWithABadGridNothingMovesOnTheFloor) {
  const int i = add_role(100, 100, 0, 100);
  map_grid_cell[0] = 0;
  EXPECT_EQ(move_role(&role(i), 10, 0, 0), 0);
  map_grid_cell[0] = -100;
  EXPECT_EQ(move_role(&role(i), 10, 0, 0), 0);
  map_grid_cell[0] = walk_test::cell;
  map_world = nullptr;
  EXPECT_EQ(move_role(&role(i), 10, 0, 0), 0);
  map_world = &world;
  map_grid_count[0] = 0;
  EXPECT_EQ(move_role(&role(i), 10, 0, 0), 0);
  map_grid_count[0] = 10;
  EXPECT_EQ(move_role(&role(i), 1e30f, 0, 0), 0) << "a huge target is outside, not an overflow";
  EXPECT_EQ(move_role(&role(i), NAN, 0, 0), 0);
  EXPECT_FLOAT_EQ(role(i).X, 100);
}

TEST_F(RoleMove, AFloatingRoleMovesAnywhereAndItsShadowStaysInTheGrid) {
  const int i = add_role(100, 100, 200, 100, state_floats);
  EXPECT_EQ(move_role(&role(i), 0, 0, 0), 1);
  EXPECT_NEAR(role(i).shadow_quad[0].y, 1, 0.01) << "the shadow lies on the floor below";
  EXPECT_EQ(move_role(&role(i), 5000, 0, -5000), 1);
  EXPECT_FLOAT_EQ(role(i).X, 5100);
  role(i).X = 100, role(i).Z = 100;
  role(i).STATE |= state_jumping;
  EXPECT_EQ(move_role(&role(i), 0, 0, 0), 0) << "a jumping role collides: no floor within 100 of y 200";
}

TEST_F(RoleMove, TheMountGlidesOverAGapOnOutdoorMaps) {
  map_record.map_flags = map_outdoor;
  const int mount = add_role(1, 690, 0, 500);
  role(mount).anim.act = mount_act;
  EXPECT_EQ(move_role(&role(mount), 20, 0, 0), 1);
  EXPECT_FLOAT_EQ(role(mount).X, 710);
  EXPECT_FLOAT_EQ(role(mount).Y, 0) << "it keeps its height over the gap";
  const int short_step = add_role(2, 699, 0, 500);
  role(short_step).anim.act = mount_act;
  EXPECT_EQ(move_role(&role(short_step), 1, 0, 0), 0) << "no floor within 51 steps";
  const int walker = add_role(3, 690, 0, 500);
  EXPECT_EQ(move_role(&role(walker), 20, 0, 0), 0);
  map_record.map_flags = 0;
  EXPECT_EQ(move_role(&role(mount), 20, 0, 0), 0) << "indoors the mount does not glide";
}

TEST(RoleDirections, YawsFollowTheGroundConvention) {
  struct Case {
    float x, z, yaw;
  } cases[] = {{0, -10, 0}, {10, 0, 90}, {0, 10, 180}, {-10, 0, 270}, {0, 0, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.x << "," << c.z);
    EXPECT_NEAR(calc_dir_angle(G3dVector{c.x, 0, c.z, 0}, G3dVector{0, 0, 0, 0}), c.yaw, 0.01);
  }
  float yaw = 123;
  EXPECT_FALSE(ground_yaw(0, 0, &yaw));
  EXPECT_EQ(yaw, 123);
}

TEST(RoleLookup, FindRoleGivesTheFirstMatchOrNone) {
  gmMapRoleCount = 3;
  gmMapRole[0].RoleID = 5, gmMapRole[1].RoleID = 7, gmMapRole[2].RoleID = 7;
  gmMapRole[3].RoleID = 9;  // beyond the count
  EXPECT_EQ(find_role(7), 1);
  EXPECT_EQ(find_role(9), 0xFFFF);
  EXPECT_EQ(find_role(8), 0xFFFF);
}

}  // namespace

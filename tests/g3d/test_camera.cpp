// The orbit camera: interpolation steps, turn directions, arrival tests, views and headings.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "g3d/camera.h"
#include "g3d/g3d_view.h"

namespace {

float angle_y(const Camera& c) {
  float y = 0;
  c.get_angles(nullptr, nullptr, nullptr, nullptr, &y, nullptr);
  return y;
}

// Angles from a start to a goal at a speed, the Y angle after each update.
struct Turn {
  const char* name;
  float from, to;
  int interp, turn_dir;
  float speed_or_divisor;
  std::vector<float> expected;  // the first updates
};

const Turn kTurns[] = {
    {"shorter way down through 0", 10, 350, 2, 0, 5000, {5, 0, 355, 350, 350}},
    {"direction 2 falls the same way", 10, 350, 2, 2, 5000, {5, 0, 355, 350}},
    {"direction 1 climbs", 10, 350, 2, 1, 5000, {15, 20, 25}},
    {"direction 1 climbs through 0", 30, 10, 2, 1, 5000, {35, 40, 45}},
    {"proportional quarter steps", 0, 90, 3, 0, 4, {22.5f, 39.375f, 52.03125f}},
};

TEST(Camera, AnglesTurnByTheirInterpolationAndTurnDirection) {
  for (const Turn& t : kTurns) {
    SCOPED_TRACE(t.name);
    Camera c;
    c.set_angles(0, t.from, 0);
    c.update();  // snap to the start
    c.set_angle_interp(t.interp);
    if (t.interp == 2) c.set_angle_speed(t.speed_or_divisor);
    if (t.interp == 3) c.set_angle_divisor(t.speed_or_divisor);
    c.set_turn_dir(t.turn_dir);
    c.set_angles(0, t.to, 0);
    for (float e : t.expected) {
      c.update();
      EXPECT_NEAR(angle_y(c), e, 1e-3f);
    }
  }
}

TEST(Camera, TurnDirectionOneReachesItsGoalAfterTheLongWayRound) {
  Camera c;
  c.set_angles(0, 10, 0);
  c.update();
  c.set_angle_interp(2);
  c.set_angle_speed(5000);
  c.set_turn_dir(1);
  c.set_angles(0, 350, 0);
  int updates = 0;
  while (!c.angles_arrived() && updates < 200) c.update(), ++updates;
  EXPECT_EQ(updates, 68);
  EXPECT_EQ(angle_y(c), 350.0f);

  c.set_angles(0, 10, 0);  // from 350 to 10 the same way climbs through 0
  c.set_turn_dir(1);
  c.update();
  EXPECT_NEAR(angle_y(c), 355.0f, 1e-3f);
  for (int k = 0; k < 3; ++k) c.update();
  EXPECT_NEAR(angle_y(c), 10.0f, 1e-3f);
}

TEST(Camera, AnglesMoveTogetherAlongOneLine) {
  Camera c;
  c.set_angles(10, 20, 0);
  c.update();
  c.set_angle_interp(2);
  c.set_angle_speed(5000);
  c.set_angles(40, 60, 0);
  for (int k = 1; k <= 9; ++k) {
    c.update();
    float x, y;
    c.get_angles(nullptr, nullptr, nullptr, &x, &y, nullptr);
    EXPECT_NEAR(x, 10 + 3 * k, 1e-3f);
    EXPECT_NEAR(y, 20 + 4 * k, 1e-3f);
  }
  EXPECT_FALSE(c.angles_arrived());
  c.update();
  EXPECT_TRUE(c.angles_arrived()) << "the 10th update arrives";
}

TEST(Camera, ProportionalAnglesSnapOnceCloserThanAFiftieth) {
  Camera c;
  c.set_angle_interp(3);
  c.set_angle_divisor(4);
  c.set_angles(0, 90, 0);
  int updates = 0;
  while (angle_y(c) != 90.0f && updates < 100) c.update(), ++updates;
  EXPECT_EQ(updates, 27);
}

TEST(Camera, ANewCameraSnapsEverythingOnItsFirstUpdate) {
  Camera c;
  c.set_point(100, 200, 300);
  c.set_angles(10, 20, 30);
  c.update();
  float d, look, px, ax;
  c.get_distance(nullptr, &d);
  c.get_look_distance(nullptr, &look);
  c.get_point(nullptr, nullptr, nullptr, &px, nullptr, nullptr);
  c.get_angles(nullptr, nullptr, nullptr, &ax, nullptr, nullptr);
  EXPECT_EQ(d, 1000.0f);
  EXPECT_EQ(look, 1000.0f);
  EXPECT_EQ(px, 100.0f);
  EXPECT_EQ(ax, 10.0f);
  EXPECT_TRUE(c.point_arrived() && c.angles_arrived() && c.distance_arrived());
}

TEST(Camera, ConstantSpeedPointReachesItsGoalExactly) {
  Camera c;
  c.set_point_interp(2);
  c.set_point_speed(30);
  c.set_point(0, 0, 100);
  std::vector<float> zs;
  for (int k = 0; k < 5; ++k) {
    c.update();
    float z;
    c.get_point(nullptr, nullptr, nullptr, nullptr, nullptr, &z);
    zs.push_back(z);
  }
  EXPECT_EQ(zs, (std::vector<float>{30, 60, 90, 100, 100}));
}

TEST(Camera, ProportionalMovesNeverArriveExactlyButTheArrivalTestsAccept) {
  Camera c;
  c.set_point_interp(3);
  c.set_point_divisor(2);
  c.set_dist_interp(3);
  c.set_dist_divisor(2);
  c.set_point(64, 0, 0);
  c.set_distance(1000);
  int updates = 0;
  while (!(c.point_arrived() && c.distance_arrived()) && updates < 100) c.update(), ++updates;
  float x, d;
  c.get_point(nullptr, nullptr, nullptr, &x, nullptr, nullptr);
  c.get_distance(nullptr, &d);
  EXPECT_LT(x, 64.0f);
  EXPECT_GT(x, 63.0f);
  EXPECT_LT(d, 1000.0f);
  EXPECT_LT(updates, 20);
}

TEST(Camera, ConstantSpeedDistancesStepTowardTheirGoals) {
  Camera c;
  c.set_dist_interp(2);
  c.set_dist_speed(400);
  c.set_distance(1000);
  c.set_look_distance(300);
  float d, look;
  c.update();
  c.get_distance(nullptr, &d);
  c.get_look_distance(nullptr, &look);
  EXPECT_EQ(d, 400.0f);
  EXPECT_EQ(look, 300.0f);
  c.update();
  c.update();
  c.get_distance(nullptr, &d);
  EXPECT_EQ(d, 1000.0f);
}

TEST(Camera, DistanceArrivalComparesTruncatedValues) {
  for (auto [current, arrived] : {std::pair{998.7f, false}, std::pair{999.2f, true}, std::pair{1001.9f, true}}) {
    Camera c;
    c.set_distance(current);
    c.update();
    c.set_distance(1000);
    EXPECT_EQ(c.distance_arrived(), arrived) << current;
  }
}

TEST(Camera, SettersKeepTheirValuesInRange) {
  Camera c;
  EXPECT_EQ(c.set_angle_speed(0), 1.0f);
  EXPECT_EQ(c.set_angle_speed(2500), 2.5f);
  EXPECT_EQ(c.set_point_divisor(0.5f), 1.0f);
  EXPECT_EQ(c.set_point_speed(-3), 1.0f);
  EXPECT_EQ(c.set_point_interp(7), 1);
  EXPECT_EQ(c.set_dist_interp(3), 3);
  EXPECT_EQ(c.set_mode(3), 1) << "an unknown mode keeps the current one";
  EXPECT_EQ(c.set_mode(5), 5);
  EXPECT_EQ(c.set_eye_mode(9), 1);
  EXPECT_EQ(c.set_eye_mode(3), 3);
}

TEST(Camera, EyeGlidesAtItsSpeedThenFollows) {
  Camera c;
  c.set_mode(4);
  c.set_eye_speed(50);
  c.set_eye_mode(2);
  c.set_eye_xyz(0, 0, 120);
  G3dVector e;
  c.update();
  EXPECT_EQ(c.get_eye(&e)->z, 50.0f);
  c.update();
  c.update();
  EXPECT_EQ(c.get_eye(&e)->z, 120.0f);
  EXPECT_EQ(c.set_eye_mode(0), 1) << "arrival switches the eye to follow";
}

class CameraView : public testing::Test {
 protected:
  void SetUp() override {
    g3d_view_set_current(&view);
    g3d_view_set_projection(0, 0, 640, 480, 10.0f, 200.0f, 10000.0f);
  }
  void TearDown() override { g3d_view_set_current(nullptr); }
  G3dView view{};
};

TEST_F(CameraView, AnOrbitOfZeroAnglesPutsTheEyeBehindThePivot) {
  Camera c;
  c.set_point(100, 50, 200);
  c.update();
  c.apply_view();
  EXPECT_FLOAT_EQ(view.eye.x, 100);
  EXPECT_FLOAT_EQ(view.eye.z, 200 - 1000);
  EXPECT_FLOAT_EQ(view.target.z, 200);
  EXPECT_NEAR(c.view_heading(), 0.0f, 1e-3f) << "looking along +z";
}

TEST_F(CameraView, HeadingsFollowTheYAngle) {
  for (float h : {0.0f, 90.0f, 180.0f, 270.0f, 45.0f}) {
    Camera c;
    c.set_angles(0, h, 0);
    c.update();
    c.apply_view();
    EXPECT_NEAR(c.view_heading(), h, 0.1f) << h;  // the engine turns by 0.01745 radians a degree
  }
  Camera c;
  c.update();
  c.apply_view();  // the eye at (0, 0, -1000)
  EXPECT_NEAR(c.heading_to(1000, 0, -1000), 270.0f, 1e-3f) << "along +x";
  EXPECT_NEAR(c.heading_to(0, 99, -2000), 180.0f, 1e-3f) << "along -z; y is ignored";
}

TEST_F(CameraView, LeavingTheOutsideEyeTurnsTheOrbitToWhereItLooked) {
  Camera c;
  c.update();
  c.apply_view();
  c.set_mode(4);
  c.set_eye_xyz(0, 0, 0);
  c.update();
  c.set_point(-500, 0, 0);  // the target (the pivot) lies along -x of the eye: heading 90
  c.update();
  c.apply_view();
  ASSERT_NEAR(c.view_heading(), 90.0f, 1e-3f);
  c.set_angles(0, 0, 0);
  c.set_mode(1);
  float gy, y;
  c.get_angles(nullptr, &gy, nullptr, nullptr, &y, nullptr);
  EXPECT_NEAR(gy, c.view_heading(), 1e-3f);
  EXPECT_EQ(y, 0.0f) << "the current angles stay";
}

TEST_F(CameraView, TheGoalViewDoesNotMoveTheCamera) {
  Camera c;
  c.update();
  c.apply_view();
  c.set_point(0, 0, 500);
  G3dVector goal_eye, eye;
  c.apply_goal_view(&goal_eye);
  EXPECT_FLOAT_EQ(goal_eye.z, 500 - 1000);
  EXPECT_FLOAT_EQ(view.eye.z, 500 - 1000);
  EXPECT_FLOAT_EQ(c.get_eye(&eye)->z, -1000);
}

TEST_F(CameraView, FrozenCamerasKeepTheView) {
  Camera c;
  c.update();
  c.apply_view();
  c.set_mode(5);
  c.set_point(0, 0, 900);
  c.update();
  c.apply_view();
  EXPECT_FLOAT_EQ(view.eye.z, -1000);
  float z;
  c.get_point(nullptr, nullptr, nullptr, nullptr, nullptr, &z);
  EXPECT_EQ(z, 0.0f) << "nothing moves";
}

}  // namespace

// The motion and shape helpers and the digits of floating numbers.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "g3d/ani_matrix.h"
#include "g3d/ground_math.h"
#include "g3d/motion.h"
#include "ui/number_draw.h"

namespace {

TEST(Bounce, RepeatHalvesTheSpeedUntilSpent) {
  BounceMotion b;
  b.rest = {0, 100, 0, 0};
  b.bounce_speed = 8;
  b.gravity = 1;
  b.repeat = 1;
  b.direction = 1;
  b.bounces_left = 1;
  std::vector<float> landing_speeds;
  int result = 0, frames = 0;
  while (!result && frames < 200) {
    const float before = b.bounce_speed;
    result = step_bounce(&b);
    if (b.bounce_speed != before) landing_speeds.push_back(b.bounce_speed);
    ++frames;
  }
  EXPECT_EQ(result, 1);
  EXPECT_EQ(landing_speeds, (std::vector<float>{4, 2, 0}));
  EXPECT_EQ(b.current.y, 100);
}

TEST(Bounce, CountdownModeRisesForItsFrames) {
  BounceMotion b;
  b.rest = {0, 100, 0, 0};
  b.bounce_speed = 2;
  b.gravity = 3;
  b.direction = 1;
  b.countdown_mode = 1;
  EXPECT_EQ(step_bounce(&b), 0);
  EXPECT_EQ(step_bounce(&b), 0);
  EXPECT_EQ(step_bounce(&b), 1);
  EXPECT_EQ(b.current.y, 94);
}

TEST(Jump, AVerticalJumpLandsOnItsTarget) {
  JumpMotion j;
  j.start = {0, 0, 0, 0};
  j.target = {0, 0, 0, 0};
  j.speed = 5;
  j.gravity = 1;
  int frames = 0;
  while (!step_jump(&j) && frames < 100) ++frames;
  EXPECT_FLOAT_EQ(j.frames, 10);
  EXPECT_EQ(j.current.y, 0);
  EXPECT_LT(frames, 100);
}

TEST(Jump, AJumpWithoutFramesLandsAtOnce) {
  JumpMotion j;
  j.target = {10, 20, 30, 0};
  j.speed = 0;
  j.gravity = 0;
  EXPECT_EQ(step_jump(&j), 1);
  EXPECT_EQ(j.current.x, 10);
}

TEST(GroundMath, AnglesAndOffsets) {
  float dx = 0, dz = 0;
  polar_offset(0, 100, &dx, &dz);
  EXPECT_NEAR(dx, 0, 0.1);
  EXPECT_NEAR(dz, -100, 0.01);
  EXPECT_NEAR(get_dir_angle({0, 0, 0, 0}, {0, 0, -10, 0}), 0, 0.01);
  EXPECT_NEAR(get_dir_angle({0, 0, 0, 0}, {10, 0, 0, 0}), 90, 0.01);
  EXPECT_NEAR(get_dir_angle({0, 0, 0, 0}, {-10, 0, 0, 0}), 270, 0.01);
  EXPECT_EQ(get_dir_angle({5, 0, 5, 0}, {5, 0, 5, 0}), 0) << "no direction";
  EXPECT_NEAR(get_screen_angle(320, 340, 320, 240), 0, 0.01);
  EXPECT_NEAR(get_screen_angle(220, 240, 320, 240), 270, 0.01);
  EXPECT_EQ(get_screen_angle(320, 240, 320, 240), 0);
  G3dVector n{};
  const float flat[9] = {0, 0, 0, 0, 0, 1, 1, 0, 0};
  calc_tri_normal(&n, flat);
  EXPECT_NEAR(n.y, 1, 1e-6);
  const float line[9] = {0, 0, 0, 1, 1, 1, 2, 2, 2};
  calc_tri_normal(&n, line);
  EXPECT_EQ(n.x, 0);
}

TEST(GroundMath, QuadsAroundAxisNormals) {
  struct Case {
    G3dVector n;
    G3dVector first;  // c - s (u + v) for c = 0, s = 1
  } cases[] = {
      {{0, 1, 0, 0}, {1, 0, 1, 0}},  // u = (0, 0, -1), v = n x u = (-1, 0, 0)
      {{0, 0, 1, 0}, {-1, -1, 0, 0}},  // u = (1, 0, 0), v = (0, 1, 0)
  };
  for (const Case& c : cases) {
    G3dVertex q[4];
    const G3dVector centre{0, 0, 0, 0};
    make_normal_quad(&c.n, &centre, 1, q);
    EXPECT_NEAR(q[0].x, c.first.x, 1e-5);
    EXPECT_NEAR(q[0].y, c.first.y, 1e-5);
    EXPECT_NEAR(q[0].z, c.first.z, 1e-5);
    EXPECT_EQ(q[2].u, 1);
    EXPECT_EQ(q[1].v, 1);
    EXPECT_EQ(q[3].colour, 0xFFFFFFFFu);
  }
}

TEST(CellRect, SheetsWithoutWholeCellsGiveNoRectangle) {
  ActInstance a;
  a.sheet[2] = 64;
  a.sheet[4] = 32;
  a.sheet[5] = 16;
  a.cell = 3;
  G3dRect r;
  get_cell_rect(&a, &r);
  EXPECT_EQ(r.left, 32);
  EXPECT_EQ(r.top, 16);
  EXPECT_EQ(r.right, 64);
  a.state = act_state_mirrored;
  get_cell_rect(&a, &r);
  EXPECT_EQ(r.left, 64);
  EXPECT_EQ(r.right, 32);
  a.sheet[4] = 0;
  get_cell_rect(&a, &r);
  EXPECT_EQ(r.right, 0);
}

TEST(NumberDigits, LeadingZerosAreSkippedAndTheLastDigitAlwaysShown) {
  int d[10];
  EXPECT_EQ(number_digits(0, d), 1);
  EXPECT_EQ(d[0], 0);
  EXPECT_EQ(number_digits(1000000000u, d), 10);
  EXPECT_EQ(d[0], 1);
  EXPECT_EQ(d[9], 0);
  EXPECT_EQ(number_digits(4294967295u, d), 10);
  EXPECT_EQ(d[0], 4);
  EXPECT_EQ(number_digits(305, d), 3);
  EXPECT_EQ(d[1], 0);
}

}  // namespace

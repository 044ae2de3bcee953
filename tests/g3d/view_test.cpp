// View and projection numbers.
#include <gtest/gtest.h>

#include <cmath>

#include "g3d/g3d_view.h"

namespace {

class ViewTest : public ::testing::Test {
 protected:
  void SetUp() override {
    view_ = G3dView{};
    g3d_view_set_current(&view_);
  }
  G3dView view_;
};

TEST_F(ViewTest, LookAtAlongZ) {
  g3d_view_look_at(0, 100, -500, 1, 0, 100, 0, 1);
  EXPECT_EQ(view_.direction.z, 1.0f);
  EXPECT_EQ(view_.up.y, 1.0f);
  const float* m = view_.view.m;
  EXPECT_EQ(m[0], 1.0f);  // right = (1, 0, 0)
  EXPECT_EQ(m[3], 0.0f);
  EXPECT_EQ(m[7], -100.0f);
  EXPECT_EQ(m[11], 500.0f);
  EXPECT_EQ(m[15], 1.0f);
  EXPECT_EQ(view_.eye_copy.z, -500.0f);
}

TEST_F(ViewTest, VerticalViewKeepsAUsableBasis) {
  struct Case {
    float ty;
  };
  for (const Case c : {Case{-1000}, Case{1000}}) {
    g3d_view_look_at(0, 0, 0, 1, 0, c.ty, 0, 1);
    for (float e : view_.view.m) EXPECT_TRUE(std::isfinite(e));
    EXPECT_NEAR(std::sqrt(view_.up.x * view_.up.x + view_.up.y * view_.up.y + view_.up.z * view_.up.z), 1.0f,
                1e-6f);
  }
  g3d_view_look_at(5, 5, 5, 1, 5, 5, 5, 1);  // eye on the target
  for (float e : view_.view.m) EXPECT_TRUE(std::isfinite(e));
}

TEST_F(ViewTest, ProjectionNumbers) {
  ASSERT_EQ(g3d_view_set_projection(0, 0, 640, 480, 10.0f, 10.0f, 200.0f), 1);
  EXPECT_EQ(view_.centre.x, 320.0f);
  EXPECT_EQ(view_.centre.y, 240.0f);
  EXPECT_EQ(view_.screen_scale_x, 2800.0f);
  EXPECT_EQ(view_.screen_scale_y, 2800.0f);
  EXPECT_EQ(view_.perspective.m[0], 10.0f / 560.0f);
  EXPECT_EQ(view_.perspective.m[5], 10.0f / 560.0f);
  EXPECT_EQ(view_.perspective.m[10], 200.0f / 190.0f);
  EXPECT_EQ(view_.perspective.m[14], 1.0f);
  EXPECT_EQ(view_.perspective.m[15], 0.0f);
  EXPECT_EQ(view_.right, 640);
  EXPECT_EQ(view_.bottom, 480);
  EXPECT_EQ(view_.ortho.m[10], 1.0f / 200.0f);
  EXPECT_EQ(view_.ortho.m[11], 0.0f);
}

TEST_F(ViewTest, OddSizesHalveDownwards) {
  g3d_view_set_projection(0, 0, 641, 479, 1, 10, 100);
  EXPECT_EQ(view_.centre.x, 320.0f);
  EXPECT_EQ(view_.centre.y, 239.0f);
}

TEST_F(ViewTest, ZeroSizesAreRefused) {
  g3d_view_set_projection(0, 0, 640, 480, 10, 200, 10000);
  const G3dView before = view_;
  EXPECT_EQ(g3d_view_set_projection(0, 0, 0, 480, 10, 200, 10000), 0);
  EXPECT_EQ(g3d_view_set_projection(0, 0, 640, 0, 10, 200, 10000), 0);
  EXPECT_EQ(view_.screen_scale_x, before.screen_scale_x);
  EXPECT_EQ(view_.right, before.right);
}

TEST_F(ViewTest, OrthographicModeIgnoresTheViewMatrix) {
  g3d_view_look_at(0, 100, -500, 1, 0, 100, 0, 1);
  g3d_view_set_projection(0, 0, 640, 480, 10, 200, 10000);
  G3dMatrix pv;
  g3d_view_set_projection_mode(g3d_projection_ortho);
  g3d_view_get_projection_view(&pv);
  for (int i = 0; i < 16; ++i) EXPECT_EQ(pv.m[i], view_.ortho.m[i]);
  g3d_view_set_projection_mode(0);
  g3d_view_get_projection_view(&pv);
  EXPECT_EQ(pv.m[11], view_.perspective.m[10] * 500.0f + view_.perspective.m[11]);
  g3d_view_set_current(&view_);
  EXPECT_EQ(g3d_view_get_projection_mode(), 0);
}

}  // namespace

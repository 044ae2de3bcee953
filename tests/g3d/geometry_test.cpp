// Geometry tests and picking.
#include <gtest/gtest.h>

#include "g3d/geometry.h"

namespace {

// A horizontal triangle at height y with corners spanning x 10..110, z 10..110.
CollTri ground(float y) {
  CollTri t{};
  const float k[3][3] = {{10, y, 10}, {110, y, 10}, {10, y, 110}};
  for (int a = 0; a < 3; ++a) {
    t.k0[a] = k[0][a];
    t.k1[a] = k[1][a];
    t.k2[a] = k[2][a];
  }
  t.n[1] = 1;
  t.d = y;
  return t;
}

TEST(Geometry, BoxOverlapIsStrict) {
  const G3dBox unit{{0, 0, 0, 0}, {1, 1, 1, 0}};
  const G3dBox touching{{1, 0, 0, 0}, {2, 1, 1, 0}};
  const G3dBox inside{{0.5f, 0.5f, 0.5f, 0}, {2, 2, 2, 0}};
  EXPECT_EQ(g3d_box_overlap(&unit, &touching), 0);
  EXPECT_EQ(g3d_box_overlap(&unit, &inside), 1);
}

TEST(Geometry, RoleBoxes) {
  EXPECT_EQ(g3d_role_hit_boxes(nullptr, 0, 0, 0, 0), 0);  // count 0 never reads the array
  const G3dBox walls[2] = {{{500, 0, 500, 0}, {600, 100, 600, 0}}, {{20, 50, -10, 0}, {40, 60, 10, 0}}};
  EXPECT_EQ(g3d_role_hit_boxes(walls, 2, 0, 0, 0), 1);
  EXPECT_EQ(g3d_role_hit_boxes(walls, 1, 0, 0, 0), 0);
  EXPECT_EQ(g3d_role_hit_boxes(walls, 2, 0, 60, 0), 0);  // role box starts at y = 60: touches only
}

TEST(Geometry, SegmentAgainstTriangle) {
  const CollTri t = ground(0);
  struct Case {
    G3dVector p0, p1;
    int cross, hit;
    float y;
  };
  const Case cases[] = {
      {{30, 100, 30, 0}, {30, -100, 30, 0}, 1, 1, 0.0f},     // through the middle
      {{90, 100, 90, 0}, {90, -100, 90, 0}, 1, 0, 0.0f},     // plane and bounds, outside the triangle
      {{30, 100, 30, 0}, {30, 0, 30, 0}, 1, 1, 0.0f},        // ends on the plane: t = 1 crosses
      {{30, 100, 30, 0}, {30, 1, 30, 0}, 0, 0, 0.0f},        // stops short
      {{200, 100, 30, 0}, {200, -100, 30, 0}, 0, 0, 0.0f},   // beyond the bounds in x
  };
  for (const Case& c : cases) {
    G3dVector out{-1, -1, -1, 0};
    EXPECT_EQ(g3d_line_cross_plane(&c.p0, &c.p1, &t, &out), c.cross);
    EXPECT_EQ(g3d_line_hit_tri(&c.p0, &c.p1, &t, &out), c.hit);
    if (c.cross) {
      EXPECT_EQ(out.y, c.y);
    }
  }
  // Parallel to the plane: 0 and out untouched.
  G3dVector p0{0, 5, 0, 0}, p1{100, 5, 100, 0}, out{7, 7, 7, 0};
  EXPECT_EQ(g3d_line_cross_plane(&p0, &p1, &t, &out), 0);
  EXPECT_EQ(out.x, 7);
}

TEST(Geometry, PlaneBoundsAllowOneUnitBelowOnly) {
  // A sloped plane crossing at y = 9.5, below the lowest corner at y = 10.
  CollTri t = ground(10);
  t.d = 9.5f;
  G3dVector p0{30, 100, 30, 0}, p1{30, -100, 30, 0}, out;
  EXPECT_EQ(g3d_line_cross_plane(&p0, &p1, &t, &out), 1);
  EXPECT_EQ(out.y, 9.5f);
  // A crossing 0.5 left of the lowest x of 10 fails.
  CollTri wall{};
  const float k[3][3] = {{10, 0, 0}, {10, 100, 0}, {10, 0, 100}};
  for (int a = 0; a < 3; ++a) {
    wall.k0[a] = k[0][a];
    wall.k1[a] = k[1][a];
    wall.k2[a] = k[2][a];
  }
  wall.n[0] = 1;
  wall.d = 9.5f;
  G3dVector q0{-50, 10, 10, 0}, q1{50, 10, 10, 0};
  EXPECT_EQ(g3d_line_cross_plane(&q0, &q1, &wall, &out), 0);
}

TEST(Geometry, SegmentAgainstBox) {
  const G3dVector base{0, 0, 0, 0}, low{-50, 0, -50, 0};
  EXPECT_EQ(g3d_line_hit_box({-200, 50, 0, 0}, {200, 50, 0, 0}, base, low, 50, 100, 50), 1);
  EXPECT_EQ(g3d_line_hit_box({-200, 500, 0, 0}, {200, 500, 0, 0}, base, low, 50, 100, 50), 0);
  EXPECT_EQ(g3d_line_hit_box({10, 10, 10, 0}, {10, 10, 10, 0}, base, low, 50, 100, 50), 0);  // no length
}

TEST(Geometry, TransformedBoxes) {
  G3dMatrix m;
  g3d_mat_identity(&m);
  g3d_mat_rotate_y(90, &m);
  g3d_mat_set_translation(100, 0, 0, &m);
  const G3dBox b{{0, 0, 0, 0}, {10, 20, 30, 0}};
  G3dBox out;
  g3d_transform_box(&m, &b, &out);
  EXPECT_NEAR(out.min.x, 70.0f, 0.1f);  // z turned into x
  EXPECT_NEAR(out.max.x, 100.0f, 0.1f);
  EXPECT_NEAR(out.max.z, 10.0f, 0.1f);
  G3dMatrix id;
  g3d_mat_identity(&id);
  EXPECT_EQ(g3d_mat_box_overlap(m, b, id, {{80, 5, 2, 0}, {90, 6, 4, 0}}), 1);
  EXPECT_EQ(g3d_mat_box_overlap(m, b, id, {{0, 0, 0, 0}, {10, 20, 30, 0}}), 0);
}

TEST(Geometry, BoxCornersOrder) {
  const G3dBox b{{0, 1, 2, 0}, {10, 11, 12, 0}};
  G3dVertex v[8] = {};
  v[0].u = 5;
  g3d_box_corners(&b, v);
  const float expect[8][3] = {{0, 1, 2},  {10, 1, 2},  {10, 11, 2},  {0, 11, 2},
                              {0, 1, 12}, {10, 1, 12}, {10, 11, 12}, {0, 11, 12}};
  for (int k = 0; k < 8; ++k) {
    EXPECT_EQ(v[k].x, expect[k][0]);
    EXPECT_EQ(v[k].y, expect[k][1]);
    EXPECT_EQ(v[k].z, expect[k][2]);
  }
  EXPECT_EQ(v[0].u, 5);  // nothing else written
}

class ProjectionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    view_ = G3dView{};
    g3d_view_set_current(&view_);
    g3d_view_look_at(0, 0, -1000, 1, 0, 0, 0, 1);
    g3d_view_set_projection(0, 0, 640, 480, 1.0f, 200.0f, 10000.0f);
  }
  G3dView view_;
};

TEST_F(ProjectionTest, FrustumNumbers) {
  const G3dFrustum& f = view_.frustum;
  EXPECT_EQ(f.slope_left, -1.6f);
  EXPECT_EQ(f.slope_right, 1.6f);
  EXPECT_EQ(f.slope_top, 1.2f);
  EXPECT_EQ(f.slope_bottom, -1.2f);
  EXPECT_EQ(f.normal[4].x, 0.0f);
  EXPECT_EQ(f.normal[4].z, -307200.0f);
  EXPECT_EQ(f.right, 640.0f);
  EXPECT_EQ(f.bottom, 480.0f);
  for (int i = 0; i < 4; ++i) EXPECT_NEAR(f.distance[i], 0.0f, 1e-3f) << i;  // side planes pass the eye
  const G3dVector inside{0, 0, 1000, 0};
  for (int i = 0; i < 6; ++i) EXPECT_LT(vec_dot(&f.normal[i], &inside), f.distance[i]) << i;
}

TEST_F(ProjectionTest, ProjectPoint) {
  G3dVector p{0, 0, 0, 1}, out;
  g3d_project_point(&p, &out);
  EXPECT_EQ(out.x, 320.0f);
  EXPECT_EQ(out.y, 240.0f);
  EXPECT_EQ(out.w, 1000.0f);
  EXPECT_GT(out.z, 0.0f);
  G3dVector far{0, 0, 20000, 1};
  g3d_project_point(&far, &out);
  EXPECT_EQ(out.x, 700.0f);
}

TEST_F(ProjectionTest, PickBox) {
  G3dMatrix m;
  g3d_mat_identity(&m);
  const G3dBox box{{-50, -50, -50, 0}, {50, 50, 50, 0}};
  float depth = -1;
  EXPECT_EQ(g3d_pick_box(320, 240, &depth, m, box), 1);
  EXPECT_GT(depth, 0.0f);
  EXPECT_EQ(g3d_pick_box(500, 240, &depth, m, box), 0);
  // A box whose projected centre lies on the left edge is never picked.
  g3d_mat_set_translation(-1000.0f * 320.0f / 560.0f, 0, 0, &m);
  depth = -1;
  EXPECT_EQ(g3d_pick_box(1, 240, &depth, m, box), 0);
  EXPECT_EQ(depth, 0.0f);
}

}  // namespace

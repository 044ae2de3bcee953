// Vector and matrix math: the exact float results callers rely on.
#include <gtest/gtest.h>

#include <cmath>

#include "g3d/g3d_math.h"

namespace {

G3dMatrix identity() {
  G3dMatrix m;
  g3d_mat_identity(&m);
  return m;
}

TEST(VectorMath, AngleBetweenVectors) {
  struct Case {
    G3dVector a, b;
    float degrees;
  };
  const Case cases[] = {
      {{0, 0, -1, 0}, {0, 0, -1, 0}, 1.1e-9f},   // no angle: never below 1.1e-9
      {{0, 0, -1, 0}, {1, 0, 0, 0}, 90.0f},
      {{0, 0, 2, 0}, {0, 0, -3, 0}, 180.0f},
  };
  for (const Case& c : cases) EXPECT_NEAR(vec_angle_deg(c.a, c.b), c.degrees, 1e-3f);
  EXPECT_EQ(vec_angle_deg({0, 0, -1, 0}, {0, 0, -1, 0}), 1.1e-9f);
  // Rounding may push the cosine of nearly equal vectors past 1: still the smallest angle.
  EXPECT_EQ(vec_angle_deg({0.1f, 0.7f, 0.3f, 0}, {0.1f, 0.7f, 0.3f, 0}), 1.1e-9f);
}

TEST(VectorMath, NormaliseCrossAndLerp) {
  G3dVector v{3, 0, 4, 0}, out;
  vec_normalize(&out, &v);
  EXPECT_FLOAT_EQ(out.x, 0.6f);
  EXPECT_FLOAT_EQ(out.z, 0.8f);
  G3dVector zero{0, 0, 0, 0};
  vec_normalize(&out, &zero);
  EXPECT_TRUE(std::isnan(out.x));  // not guarded: callers check their differences

  G3dVector x{1, 0, 0, 0}, y{0, 1, 0, 0}, c;
  EXPECT_EQ(vec_cross(&c, &x, &y), &c);
  EXPECT_EQ(c.z, 1.0f);
  G3dVector mid;
  g3d_lerp_point(&mid, {0, 0, 0, 0}, {10, 20, 30, 0}, 4, 1);
  EXPECT_EQ(mid.x, 2.5f);
  EXPECT_EQ(mid.z, 7.5f);
}

TEST(MatrixMath, RotationsUseTheEnginesDegreeFactor) {
  G3dMatrix m = identity();
  g3d_mat_rotate_x(90, &m);
  EXPECT_NEAR(m.m[5], 0.000296f, 1e-6f);
  EXPECT_EQ(m.m[5], m.m[10]);
  EXPECT_EQ(m.m[6], -0.99999994f);
  EXPECT_EQ(m.m[9], 0.99999994f);

  G3dMatrix full = identity();
  g3d_mat_rotate_y(360, &full);
  EXPECT_NEAR(full.m[8], -0.00119f, 2e-5f);  // sin of 360 x 0.01745 is not 0
  EXPECT_NE(full.m[2], 0.0f);

  // A heading of 0 looks along +z, 270 along +x: (0, 0, 1) becomes (-sin a, 0, cos a).
  G3dMatrix yaw = identity();
  g3d_mat_rotate_y(270, &yaw);
  G3dVector forward{0, 0, 1, 0}, turned;
  g3d_mat_transform(&yaw, &forward, &turned);
  EXPECT_NEAR(turned.x, 1.0f, 1e-3f);
  EXPECT_NEAR(turned.z, 0.0f, 1e-3f);
}

TEST(MatrixMath, RotationsApplyFromTheLeftAndTurnTheTranslation) {
  G3dMatrix m = identity();
  g3d_mat_set_translation(0, 10, 0, &m);
  g3d_mat_rotate_x(90, &m);
  EXPECT_NEAR(m.m[7], 0.00296f, 1e-5f);
  EXPECT_NEAR(m.m[11], 10.0f, 1e-5f);  // the translation column turns with the rows
}

TEST(MatrixMath, TransformMultiplyAndReturnValues) {
  G3dMatrix id = identity();
  G3dVector p{1, 2, 3, 7}, out;
  g3d_mat_transform(&id, &p, &out);
  EXPECT_EQ(out.x, 1);
  EXPECT_EQ(out.z, 3);
  EXPECT_EQ(out.w, 1);

  G3dMatrix a = identity(), b = identity(), prod;
  g3d_mat_set_translation(1, 2, 3, &a);
  g3d_mat_rotate_z(30, &b);
  EXPECT_EQ(g3d_mat_multiply(&a, &b, &prod), &a);  // returns its first argument
  EXPECT_EQ(prod.m[3], 1);
  EXPECT_EQ(prod.m[0], b.m[0]);

  G3dMatrix proj = identity();
  proj.m[14] = 1;
  proj.m[15] = 0;
  G3dMatrix affine;
  g3d_mat_multiply_affine(&proj, &a, &affine);
  EXPECT_EQ(affine.m[14], 1);  // row 3 is a's
  EXPECT_EQ(affine.m[15], 0);
  EXPECT_EQ(affine.m[7], 2);
}

TEST(MatrixMath, InverseRotation) {
  G3dMatrix m = identity();
  g3d_mat_rotate_y(40, &m);
  g3d_mat_set_translation(5, 6, 7, &m);
  G3dVector inv[3];
  g3d_mat_inverse_rotation(&m, inv);
  // The inverse of a rotation is its transpose.
  EXPECT_NEAR(inv[0].z, m.m[8], 1e-6f);
  EXPECT_NEAR(inv[2].x, m.m[2], 1e-6f);
  EXPECT_EQ(inv[0].w, -5);
  EXPECT_EQ(inv[1].w, -6);
  EXPECT_EQ(inv[2].w, -7);

  // A singular 3x3 is divided by 0.0001, not by zero.
  G3dMatrix singular = identity();
  singular.m[0] = 0;
  g3d_mat_inverse_rotation(&singular, inv);
  EXPECT_EQ(inv[0].x, 1.0f / 0.0001f);
  EXPECT_EQ(inv[1].y, 0.0f);
}

TEST(MatrixMath, ThreeByThreeHelpers) {
  const float in[9] = {2, 0, 0, 0, 4, 0, 0, 0, 8};
  float out[9];
  g3d_mat3_inverse(in, out);
  EXPECT_EQ(out[0], 0.5f);
  EXPECT_EQ(out[8], 0.125f);
  G3dMatrix m;
  g3d_mat_from_3x3(in, &m);
  EXPECT_EQ(m.m[5], 4);
  EXPECT_EQ(m.m[3], 0);
  EXPECT_EQ(m.m[15], 1);
  const float t[3] = {1, 2, 3};
  g3d_mat_translation(t, &m);
  G3dMatrix tr;
  g3d_mat_transpose(&m, &tr);
  EXPECT_EQ(tr.m[12], 1);
  EXPECT_EQ(tr.m[14], 3);
}

}  // namespace

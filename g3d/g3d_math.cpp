// Vectors, matrices and boxes.
#include "g3d/g3d_math.h"

#include <cmath>

float vec_length(const G3dVector* v) { return std::sqrt(v->x * v->x + v->y * v->y + v->z * v->z); }

float vec_dot(const G3dVector* a, const G3dVector* b) { return a->x * b->x + a->y * b->y + a->z * b->z; }

G3dVector* vec_normalize(G3dVector* out, const G3dVector* v) {
  // The reciprocal is rounded to a float before it scales the components.
  const float r = 1.0f / vec_length(v);
  out->x = v->x * r;
  out->y = v->y * r;
  out->z = v->z * r;
  return out;
}

G3dVector* vec_cross(G3dVector* out, const G3dVector* a, const G3dVector* b) {
  const float x = a->y * b->z - a->z * b->y;
  const float y = a->z * b->x - a->x * b->z;
  const float z = a->x * b->y - a->y * b->x;
  out->x = x;
  out->y = y;
  out->z = z;
  return out;
}

G3dVector* vec_sub(G3dVector* out, const G3dVector* a, const G3dVector* b) {
  out->x = a->x - b->x;
  out->y = a->y - b->y;
  out->z = a->z - b->z;
  return out;
}

G3dVector* g3d_lerp_point(G3dVector* out, G3dVector p0, G3dVector p1, float den, float num) {
  const float t = num / den;
  out->x = p0.x + (p1.x - p0.x) * t;
  out->y = p0.y + (p1.y - p0.y) * t;
  out->z = p0.z + (p1.z - p0.z) * t;
  return out;
}

float vec_angle_deg(G3dVector a, G3dVector b) {
  constexpr float smallest = 1.1e-9f;
  const float cosine = vec_dot(&a, &b) / (vec_length(&a) * vec_length(&b));
  const float angle = float(std::acos(double(cosine)) * 57.2958);
  // A cosine pushed past +-1 by rounding has no arccosine; it counts as no angle at all.
  if (!(angle >= smallest)) return smallest;
  return angle;
}

G3dMatrix* g3d_mat_identity(G3dMatrix* m) {
  for (int i = 0; i < 16; ++i) m->m[i] = (i % 5 == 0) ? 1.0f : 0.0f;
  return m;
}

void g3d_mat_transform(const G3dMatrix* m, const G3dVector* p, G3dVector* out) {
  const float* a = m->m;
  const float x = p->x, y = p->y, z = p->z;
  out->x = a[0] * x + a[1] * y + a[2] * z + a[3];
  out->y = a[4] * x + a[5] * y + a[6] * z + a[7];
  out->z = a[8] * x + a[9] * y + a[10] * z + a[11];
  out->w = a[12] * x + a[13] * y + a[14] * z + a[15];
}

G3dMatrix* g3d_mat_multiply(G3dMatrix* a, const G3dMatrix* b, G3dMatrix* out) {
  for (int i = 0; i < 4; ++i)
    for (int j = 0; j < 4; ++j)
      out->m[i * 4 + j] = a->m[i * 4] * b->m[j] + a->m[i * 4 + 1] * b->m[4 + j] +
                          a->m[i * 4 + 2] * b->m[8 + j] + a->m[i * 4 + 3] * b->m[12 + j];
  return a;
}

void g3d_mat_multiply_affine(const G3dMatrix* a, const G3dMatrix* b, G3dMatrix* out) {
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 4; ++j)
      out->m[i * 4 + j] = a->m[i * 4] * b->m[j] + a->m[i * 4 + 1] * b->m[4 + j] +
                          a->m[i * 4 + 2] * b->m[8 + j] + a->m[i * 4 + 3] * b->m[12 + j];
  for (int j = 0; j < 4; ++j) out->m[12 + j] = a->m[12 + j];
}

namespace {

// Replaces rows p and q (all four columns) by c*p - s*q and s*p + c*q.
void turn_rows(float degrees, G3dMatrix* m, int p, int q) {
  const float a = degrees * g3d_deg_to_rad;
  const float c = float(std::cos(double(a)));
  const float s = float(std::sin(double(a)));
  float* rp = m->m + p * 4;
  float* rq = m->m + q * 4;
  for (int j = 0; j < 4; ++j) {
    const float vp = rp[j], vq = rq[j];
    rp[j] = c * vp - s * vq;
    rq[j] = s * vp + c * vq;
  }
}

// The adjugate of a 3x3 (rows r0, r1, r2 of three floats each) over its determinant.
void inverse_3x3(const float* r0, const float* r1, const float* r2, float out[3][3]) {
  out[0][0] = r1[1] * r2[2] - r1[2] * r2[1];
  out[0][1] = r0[2] * r2[1] - r0[1] * r2[2];
  out[0][2] = r0[1] * r1[2] - r0[2] * r1[1];
  out[1][0] = r1[2] * r2[0] - r1[0] * r2[2];
  out[1][1] = r0[0] * r2[2] - r0[2] * r2[0];
  out[1][2] = r0[2] * r1[0] - r0[0] * r1[2];
  out[2][0] = r1[0] * r2[1] - r1[1] * r2[0];
  out[2][1] = r0[1] * r2[0] - r0[0] * r2[1];
  out[2][2] = r0[0] * r1[1] - r0[1] * r1[0];
  float det = r0[0] * out[0][0] + r1[0] * out[0][1] + r2[0] * out[0][2];
  // A singular matrix is divided by a tiny number rather than by zero.
  if (det == 0.0f) det = 0.0001f;
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j) out[i][j] = out[i][j] / det;
}

}  // namespace

void g3d_mat_rotate_x(float degrees, G3dMatrix* m) { turn_rows(degrees, m, 1, 2); }
void g3d_mat_rotate_y(float degrees, G3dMatrix* m) { turn_rows(degrees, m, 0, 2); }
void g3d_mat_rotate_z(float degrees, G3dMatrix* m) { turn_rows(degrees, m, 0, 1); }

void g3d_mat_set_translation(float x, float y, float z, G3dMatrix* m) {
  m->m[3] = x;
  m->m[7] = y;
  m->m[11] = z;
}

void g3d_mat_inverse_rotation(const G3dMatrix* m, G3dVector out[3]) {
  float inv[3][3];
  inverse_3x3(m->m, m->m + 4, m->m + 8, inv);
  for (int i = 0; i < 3; ++i) {
    out[i].x = inv[i][0];
    out[i].y = inv[i][1];
    out[i].z = inv[i][2];
    out[i].w = -m->m[i * 4 + 3];
  }
}

void g3d_mat_transpose(const G3dMatrix* in, G3dMatrix* out) {
  G3dMatrix t;
  for (int i = 0; i < 4; ++i)
    for (int j = 0; j < 4; ++j) t.m[i * 4 + j] = in->m[j * 4 + i];
  *out = t;
}

void g3d_mat_from_3x3(const float in[9], G3dMatrix* out) {
  for (int i = 0; i < 3; ++i) {
    for (int j = 0; j < 3; ++j) out->m[i * 4 + j] = in[i * 3 + j];
    out->m[i * 4 + 3] = 0.0f;
  }
  out->m[12] = out->m[13] = out->m[14] = 0.0f;
  out->m[15] = 1.0f;
}

void g3d_mat_translation(const float t[3], G3dMatrix* out) {
  g3d_mat_identity(out);
  g3d_mat_set_translation(t[0], t[1], t[2], out);
}

void g3d_mat3_inverse(const float in[9], float out[9]) {
  float inv[3][3];
  inverse_3x3(in, in + 3, in + 6, inv);
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j) out[i * 3 + j] = inv[i][j];
}

// Intersection and projection tests.
#include "g3d/geometry.h"

#include <cmath>
#include <cstdint>
#include <limits>

namespace {

// A float truncated toward zero into 32 bits, as the tests compare whole numbers. Values out of
// range saturate; a non-number takes the lowest value.
std::int32_t trunc_i(float v) {
  if (v >= 2147483648.0f) return std::numeric_limits<std::int32_t>::max();
  if (!(v > -2147483648.0f)) return std::numeric_limits<std::int32_t>::min();
  return std::int32_t(v);
}

float component(const G3dVector& v, int axis) { return axis == 0 ? v.x : axis == 1 ? v.y : v.z; }

}  // namespace

G3dVector g3d_box_corner(const G3dBox* b, int k) {
  const bool max_x = k == 1 || k == 2 || k == 5 || k == 6;
  const bool max_y = k == 2 || k == 3 || k == 6 || k == 7;
  const bool max_z = k >= 4;
  return {max_x ? b->max.x : b->min.x, max_y ? b->max.y : b->min.y, max_z ? b->max.z : b->min.z, 1.0f};
}

G3dFrustum* g3d_view_build_frustum(G3dFrustum* out, const G3dViewCentre* c, int x, int y, int w, int h) {
  out->top = float(y);
  out->bottom = float(y + h);
  out->left = float(x);
  out->right = float(x + w);
  out->near_dist = c->near_dist;
  out->far_dist = c->far_dist;
  const float n = c->near_dist, f = c->far_dist;
  const float sl = -(c->x - out->left) / n;
  const float sr = -(c->x - out->right) / n;
  const float st = (c->y - out->top) / n;
  const float sb = (c->y - out->bottom) / n;
  out->slope_left = sl;
  out->slope_right = sr;
  out->slope_top = st;
  out->slope_bottom = sb;

  const float r2 = out->right / 2, b2 = out->bottom / 2;
  const G3dVector near_tl{-r2, b2, n, 0}, near_bl{-r2, -b2, n, 0}, near_tr{r2, b2, n, 0}, near_br{r2, -b2, n, 0};
  struct PlanePoints {
    G3dVector p0, p1, p2;
    bool p2_first;  // n = (P2 - P1) x (P0 - P1); otherwise (P0 - P1) x (P2 - P1)
  };
  const PlanePoints planes[6] = {
      {near_tl, near_bl, {f * sl, f * sb, f, 0}, true},
      {near_tr, near_br, {f * sr, f * sb, f, 0}, false},
      {near_tl, {f * sl, f * st, f, 0}, {-f * sl, f * st, f, 0}, true},
      {near_bl, {f * sl, f * sb, f, 0}, {-f * sl, f * sb, f, 0}, false},
      {near_tl, near_bl, near_tr, false},
      {{f * sl, f * st, f, 0}, {f * sl, -f * st, f, 0}, {-f * sl, -f * st, f, 0}, true},
  };
  for (int i = 0; i < 6; ++i) {
    const PlanePoints& p = planes[i];
    G3dVector d0, d2;
    vec_sub(&d0, &p.p0, &p.p1);
    vec_sub(&d2, &p.p2, &p.p1);
    if (p.p2_first)
      vec_cross(&out->normal[i], &d2, &d0);
    else
      vec_cross(&out->normal[i], &d0, &d2);
    out->distance[i] = vec_dot(&out->normal[i], &p.p0);
  }
  out->near_top_left = near_tl;
  out->far_top_right = {f * sr, f * st, f, 0};
  return out;
}

int g3d_line_cross_plane(const G3dVector* p0, const G3dVector* p1, const CollTri* tri, G3dVector* out) {
  const double dx = double(p1->x) - p0->x, dy = double(p1->y) - p0->y, dz = double(p1->z) - p0->z;
  const double denominator = dx * tri->n[0] + dy * tri->n[1] + dz * tri->n[2];
  if (std::fabs(denominator) < 1e-23) return 0;
  const double along = double(tri->n[0]) * p0->x + double(tri->n[1]) * p0->y + double(tri->n[2]) * p0->z;
  const double t = -(along - tri->d) / denominator;
  if (t < 0 || t > 1) return 0;
  out->x = float(p0->x + dx * t);
  out->y = float(p0->y + dy * t);
  out->z = float(p0->z + dz * t);

  const float* k[3] = {tri->k0, tri->k1, tri->k2};
  float lo[3], hi[3];
  for (int a = 0; a < 3; ++a) {
    lo[a] = std::fmin(k[0][a], std::fmin(k[1][a], k[2][a]));
    hi[a] = std::fmax(k[0][a], std::fmax(k[1][a], k[2][a]));
  }
  // One unit of slack below the lowest corner lets a foot just under the ground find it.
  if (trunc_i(out->x) > trunc_i(hi[0]) || trunc_i(out->y) > trunc_i(hi[1]) || trunc_i(out->z) > trunc_i(hi[2]))
    return 0;
  if (trunc_i(out->x) < trunc_i(lo[0]) || std::int64_t(trunc_i(out->y)) - trunc_i(lo[1]) < -1 ||
      trunc_i(out->z) < trunc_i(lo[2]))
    return 0;
  return 1;
}

int g3d_line_hit_tri(const G3dVector* p0, const G3dVector* p1, const CollTri* tri, G3dVector* out) {
  if (!g3d_line_cross_plane(p0, p1, tri, out)) return 0;
  const float nx = std::fabs(tri->n[0]), ny = std::fabs(tri->n[1]), nz = std::fabs(tri->n[2]);
  int i, j;
  if (nx > ny) {
    if (nx > nz) {
      i = 1;
      j = 2;
    } else {
      i = 0;
      j = 1;
    }
  } else if (ny > nz) {
    i = 0;
    j = 2;
  } else {
    i = 0;
    j = 1;
  }
  const float u0 = component(*out, i) - tri->k0[i], u1 = tri->k1[i] - tri->k0[i], u2 = tri->k2[i] - tri->k0[i];
  const float w0 = component(*out, j) - tri->k0[j], w1 = tri->k1[j] - tri->k0[j], w2 = tri->k2[j] - tri->k0[j];
  float alpha, beta;
  if (u1 == 0.0f) {
    beta = u0 / u2;
    if (!(beta >= 0.0f && beta <= 1.0f)) return 0;
    alpha = (w0 - beta * w2) / w1;
  } else {
    beta = (w0 * u1 - u0 * w1) / (w2 * u1 - u2 * w1);
    if (!(beta >= 0.0f && beta <= 1.0f)) return 0;
    alpha = (u0 - beta * u2) / u1;
  }
  return (alpha >= 0.0f && alpha + beta <= 1.0f) ? 1 : 0;
}

int g3d_line_hit_box(G3dVector p0, G3dVector p1, G3dVector base, G3dVector low, float hx, float hy, float hz) {
  G3dVector d;
  vec_sub(&d, &p0, &p1);
  const float half = vec_length(&d) / 2;
  vec_normalize(&d, &d);
  G3dVector mid;
  g3d_lerp_point(&mid, p0, p1, 2, 1);
  const float ex = (std::fabs(low.x) + hx) / 2, ey = (std::fabs(low.y) + hy) / 2, ez = (std::fabs(low.z) + hz) / 2;
  const G3dVector c{base.x, base.y + ey, base.z, 0};
  const G3dVector t{c.x - mid.x, c.y - mid.y, c.z - mid.z, 0};
  const float e[3] = {ex, ey, ez};
  const float dd[3] = {d.x, d.y, d.z};
  const float tt[3] = {t.x, t.y, t.z};
  for (int k = 0; k < 3; ++k)
    if (!(std::fabs(dd[k]) * half + e[k] >= float(trunc_i(std::fabs(tt[k]))))) return 0;
  if (!(std::fabs(t.y * d.z - t.z * d.y) <= ey * std::fabs(d.z) + ez * std::fabs(d.y))) return 0;
  if (!(std::fabs(t.z * d.x - t.x * d.z) <= ex * std::fabs(d.z) + ez * std::fabs(d.x))) return 0;
  if (!(std::fabs(t.x * d.y - t.y * d.x) <= ex * std::fabs(d.y) + ey * std::fabs(d.x))) return 0;
  return 1;
}

int g3d_box_overlap(const G3dBox* a, const G3dBox* b) {
  return (b->max.x > a->min.x && b->max.y > a->min.y && b->max.z > a->min.z && b->min.x < a->max.x &&
          b->min.y < a->max.y && b->min.z < a->max.z)
             ? 1
             : 0;
}

void g3d_transform_box(const G3dMatrix* m, const G3dBox* in, G3dBox* out) {
  float lo[3] = {}, hi[3] = {};
  for (int k = 0; k < 8; ++k) {
    const G3dVector corner = g3d_box_corner(in, k);
    G3dVector p;
    g3d_mat_transform(m, &corner, &p);
    const float v[3] = {p.x, p.y, p.z};
    for (int a = 0; a < 3; ++a) {
      if (k == 0 || v[a] < lo[a]) lo[a] = v[a];
      if (k == 0 || v[a] > hi[a]) hi[a] = v[a];
    }
  }
  out->min.x = lo[0];
  out->min.y = lo[1];
  out->min.z = lo[2];
  out->max.x = hi[0];
  out->max.y = hi[1];
  out->max.z = hi[2];
}

int g3d_mat_box_overlap(G3dMatrix ma, G3dBox a, G3dMatrix mb, G3dBox b) {
  G3dBox ba{}, bb{};
  g3d_transform_box(&ma, &a, &ba);
  g3d_transform_box(&mb, &b, &bb);
  return g3d_box_overlap(&ba, &bb);
}

int g3d_role_hit_boxes(const G3dBox* boxes, int count, float x, float y, float z) {
  const G3dBox role{{x - 30, y, z - 30, 0}, {x + 30, y + 100, z + 30, 0}};
  for (int i = 0; i < count; ++i)
    if (g3d_box_overlap(&role, &boxes[i])) return 1;
  return 0;
}

namespace {

// Screen x, y and depth of a point through a combined matrix; w keeps the clip w.
void project_through(const G3dMatrix* c, const G3dView& v, const G3dVector* p, G3dVector* out) {
  g3d_mat_transform(c, p, out);
  const float r = 1.0f / out->w;
  out->x = v.centre.x + out->x * r * v.screen_scale_x;
  out->y = v.centre.y - out->y * r * v.screen_scale_y;
  out->z = out->z * r;
}

}  // namespace

void g3d_project_point(const G3dVector* p, G3dVector* out) {
  G3dView* v = g3d_view_get_current();
  if (!v) {
    *out = {700.0f, 0, 2.0f, 1.0f};
    return;
  }
  G3dMatrix c;
  g3d_view_get_projection_view(&c);
  project_through(&c, *v, p, out);
  if (out->z > 1.0f) out->x = 700.0f;
}

int g3d_pick_box(float x, float y, float* depth, G3dMatrix m, G3dBox box) {
  *depth = 0;
  G3dView* v = g3d_view_get_current();
  if (!v) return 0;
  G3dMatrix c, p;
  g3d_view_get_projection_view(&c);
  g3d_mat_multiply(&c, &m, &p);
  float lo[3] = {}, hi[3] = {};
  for (int k = 0; k < 8; ++k) {
    const G3dVector corner = g3d_box_corner(&box, k);
    G3dVector s;
    project_through(&p, *v, &corner, &s);
    const float val[3] = {s.x, s.y, s.z};
    for (int a = 0; a < 3; ++a) {
      if (k == 0 || val[a] < lo[a]) lo[a] = val[a];
      if (k == 0 || val[a] > hi[a]) hi[a] = val[a];
    }
  }
  const std::int32_t cx = trunc_i((hi[0] - lo[0]) / 2 + lo[0]);
  const std::int32_t cy = trunc_i((hi[1] - lo[1]) / 2 + lo[1]);
  if (!(v->left < cx && cx < v->right && v->top < cy && cy < v->bottom)) return 0;
  if (trunc_i(x) > trunc_i(hi[0]) || trunc_i(y) > trunc_i(hi[1]) || trunc_i(x) < trunc_i(lo[0]) ||
      trunc_i(y) < trunc_i(lo[1]))
    return 0;
  *depth = (lo[2] + hi[2]) / 2;
  return 1;
}

G3dVertex* g3d_box_corners(const G3dBox* box, G3dVertex out[8]) {
  for (int k = 0; k < 8; ++k) {
    const G3dVector c = g3d_box_corner(box, k);
    out[k].x = c.x;
    out[k].y = c.y;
    out[k].z = c.z;
  }
  return out;
}

// Directions and shapes on the ground plane and the screen.
#include "g3d/ground_math.h"

#include <cmath>

namespace {

// The angle between two vectors, 0 when either has no length (the library's angle would
// divide by it).
float safe_angle(G3dVector a, G3dVector b) {
  if (vec_length(&a) == 0.0f || vec_length(&b) == 0.0f) return 0.0f;
  G3dVector na{}, nb{};
  vec_normalize(&na, &a);
  vec_normalize(&nb, &b);
  return vec_angle_deg(na, nb);
}

G3dVector normalised(G3dVector v) {
  if (vec_length(&v) == 0.0f) return v;
  G3dVector out{};
  vec_normalize(&out, &v);
  return out;
}

}  // namespace

void polar_offset(float angle, float r, float* dx, float* dz) {
  // The engine's own degree factor, not the exact constant.
  const float t = std::fmod(angle + 270.0f, 360.0f) * g3d_deg_to_rad;
  *dx = r * std::cos(t);
  *dz = r * std::sin(t);
}

float get_dir_angle(G3dVector from, G3dVector to) {
  const G3dVector d{std::trunc(to.x) - from.x, 0, std::trunc(to.z) - from.z, 0};
  const float angle = safe_angle(G3dVector{0, 0, -500, 0}, d);
  return d.x < 0 ? 360.0f - angle : angle;
}

float get_screen_angle(int x, int y, int cx, int cy) {
  const G3dVector d{float(x - cx), float(y - cy), 0, 0};
  const float angle = safe_angle(G3dVector{0, 1, 0, 0}, d);
  return x - cx < 0 ? 360.0f - angle : angle;
}

void calc_tri_normal(G3dVector* out, const float t[9]) {
  const G3dVector p0{t[0], t[1], t[2], 0}, p1{t[3], t[4], t[5], 0}, p2{t[6], t[7], t[8], 0};
  G3dVector a{}, b{}, c{};
  vec_sub(&a, &p1, &p0);
  vec_sub(&b, &p2, &p0);
  vec_cross(&c, &a, &b);
  *out = normalised(c);
}

void make_normal_quad(const G3dVector* n, const G3dVector* c, float s, G3dVertex out[4]) {
  const float a[3] = {std::fabs(n->x), std::fabs(n->y), std::fabs(n->z)};
  int k = 0;
  for (int i = 1; i < 3; ++i)
    if (a[i] > a[k]) k = i;
  bool on_axis = false;
  for (float component : a)
    if (1.0f - component <= 0.00001f) on_axis = true;
  G3dVector u{};
  if (!on_axis) {
    const G3dVector axis{k == 0 ? 1.0f : 0.0f, k == 1 ? 1.0f : 0.0f, k == 2 ? 1.0f : 0.0f, 0};
    vec_cross(&u, &axis, n);
  } else if (k == 1 || (k == 0 && n->x > 0)) {
    u = {0, 0, -1, 0};
  } else if (k == 0) {
    u = {0, 0, 1, 0};
  } else {
    u = {n->z, 0, 0, 0};
  }
  G3dVector v{};
  vec_cross(&v, n, &u);
  v = normalised(v);
  u = normalised(u);
  const float corners[4][4] = {{-1, -1, 0, 0}, {1, -1, 0, 1}, {1, 1, 1, 1}, {-1, 1, 1, 0}};
  for (int i = 0; i < 4; ++i) {
    const float cu = corners[i][0] * s, cv = corners[i][1] * s;
    out[i] = {};
    out[i].x = c->x + cu * u.x + cv * v.x;
    out[i].y = c->y + cu * u.y + cv * v.y;
    out[i].z = c->z + cu * u.z + cv * v.z;
    out[i].u = corners[i][2];
    out[i].v = corners[i][3];
    out[i].colour = 0xFFFFFFFF;
  }
}

// The current view: look-at, projection and the matrices drawers project with.
#include "g3d/g3d_view.h"

#include <cmath>

#include "g3d/geometry.h"

namespace {

G3dView* current_view = nullptr;
int projection_mode = 0;

// Any view will do before the renderer makes its own current; it keeps the calls safe.
G3dView fallback_view;

G3dView& view() { return current_view ? *current_view : fallback_view; }

// Normalises a vector whose length is known to be usable; false when it is not.
bool normalise_checked(G3dVector* v) {
  const float length = vec_length(v);
  if (!(length > 1e-6f) || !std::isfinite(length)) return false;
  vec_normalize(v, v);
  return true;
}

// The world up (0, 1, 0) made perpendicular to the direction; a vertical direction takes the
// world z axis instead, so that the basis never degenerates.
G3dVector up_for(const G3dVector& direction) {
  G3dVector up{0.0f - direction.y * direction.x, 1.0f - direction.y * direction.y,
               0.0f - direction.y * direction.z, 0};
  if (normalise_checked(&up)) return up;
  up = {0.0f - direction.z * direction.x, 0.0f - direction.z * direction.y, 1.0f - direction.z * direction.z, 0};
  normalise_checked(&up);
  return up;
}

}  // namespace

void g3d_view_set_current(G3dView* v) {
  current_view = v;
  projection_mode = 0;
}

G3dView* g3d_view_get_current() { return current_view; }

void g3d_view_look_at(float ex, float ey, float ez, float ew, float tx, float ty, float tz, float tw) {
  G3dView& v = view();
  v.eye = {ex, ey, ez, ew};
  v.target = {tx, ty, tz, tw};
  v.eye_copy = v.eye;

  G3dVector direction;
  vec_sub(&direction, &v.target, &v.eye);
  direction.w = 0;
  // An eye on its target has no direction; it looks along +z.
  if (!normalise_checked(&direction)) direction = {0, 0, 1, 0};
  G3dVector up = up_for(direction);
  up.w = 0;
  G3dVector right;
  vec_cross(&right, &up, &direction);
  v.up = up;
  v.direction = direction;

  float* m = v.view.m;
  const G3dVector* axes[3] = {&right, &up, &direction};
  for (int row = 0; row < 3; ++row) {
    m[row * 4] = axes[row]->x;
    m[row * 4 + 1] = axes[row]->y;
    m[row * 4 + 2] = axes[row]->z;
    m[row * 4 + 3] = -vec_dot(&v.eye, axes[row]);
  }
  m[12] = m[13] = m[14] = 0.0f;
  m[15] = 1.0f;
}

int g3d_view_set_projection(int x, int y, int w, int h, float scale, float near_dist, float far_dist) {
  // A zero or negative size has no centre and no scale.
  if (w <= 0 || h <= 0) return 0;
  G3dView& v = view();
  v.centre.x = float(w / 2);
  v.centre.y = float(h / 2);
  v.centre.near_dist = near_dist;
  v.centre.far_dist = far_dist;
  v.scale = scale;

  const float m = float((w + h) / 2);
  v.screen_scale_x = m / float(w) * v.centre.x * scale;
  v.screen_scale_y = scale * (m / float(h) * v.centre.y);

  g3d_mat_identity(&v.perspective);
  v.perspective.m[0] = near_dist / m;
  v.perspective.m[5] = near_dist / m;
  v.perspective.m[10] = far_dist / (far_dist - near_dist);
  v.perspective.m[11] = -near_dist * far_dist / (far_dist - near_dist);
  v.perspective.m[14] = 1.0f;
  v.perspective.m[15] = 0.0f;

  g3d_view_build_frustum(&v.frustum, &v.centre, x, y, w, h);

  v.left = x;
  v.top = y;
  v.right = x + w;
  v.bottom = y + h;
  v.width = float(w);
  v.height = float(h);
  g3d_view_set_ortho(float(x), float(x + w), float(y), float(y + h), -far_dist, far_dist);
  return 1;
}

void g3d_view_set_ortho(float l, float r, float t, float b, float n, float f) {
  G3dMatrix& o = view().ortho;
  g3d_mat_identity(&o);
  o.m[0] = 2.0f / (r - l);
  o.m[5] = 2.0f / (b - t);
  o.m[10] = 2.0f / (f - n);
  o.m[15] = 1.0f;
  o.m[3] = -(r + l) / (r - l);
  o.m[7] = -(b + t) / (b - t);
  o.m[11] = (f + n) / (f - n);
}

void g3d_view_set_projection_mode(int mode) { projection_mode = mode; }
int g3d_view_get_projection_mode() { return projection_mode; }

void g3d_view_get_view_matrix(G3dMatrix* out) { *out = view().view; }
void g3d_view_get_perspective(G3dMatrix* out) { *out = view().perspective; }

void g3d_view_get_projection_view(G3dMatrix* out) {
  G3dView& v = view();
  if (projection_mode == g3d_projection_ortho) {
    *out = v.ortho;
    return;
  }
  g3d_mat_multiply(&v.perspective, &v.view, out);
}

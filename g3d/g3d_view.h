#pragma once
// The view: viewport, eye and target with the camera basis and view matrix, the perspective and
// orthographic matrices, the screen centre and scales, and the view-volume block. One view is
// current at a time; every drawer projects through it.
#include <cstdint>

#include "g3d/g3d_math.h"

// The view-volume block kept with the projection: the viewport edges, near and far, the edge
// slopes, six camera-space planes (inside when n . p < d for all six) and two corner points.
struct G3dFrustum {
  float top, bottom, left, right;
  float near_dist, far_dist;
  float slope_left, slope_right, slope_top, slope_bottom;
  G3dVector normal[6];  // left, right, top, bottom, near, far
  float distance[6];
  G3dVector near_top_left;
  G3dVector far_top_right;
};
static_assert(sizeof(G3dFrustum) == 48 * 4);

// The screen centre with the near and far distances, as the frustum builder reads them.
struct G3dViewCentre {
  float x, y;
  float near_dist, far_dist;
};

struct G3dView {
  std::int32_t left, top, right, bottom;
  float width, height;
  G3dVector eye;
  G3dVector target;
  G3dVector eye_copy;
  G3dVector up;
  G3dVector direction;
  G3dMatrix view;
  G3dViewCentre centre;
  float scale;
  float screen_scale_x, screen_scale_y;
  G3dMatrix perspective;
  G3dMatrix ortho;
  G3dFrustum frustum;
};

constexpr int g3d_projection_ortho = 1;

void g3d_view_set_current(G3dView* view);
G3dView* g3d_view_get_current();
void g3d_view_look_at(float eye_x, float eye_y, float eye_z, float eye_w, float target_x, float target_y,
                      float target_z, float target_w);
// 0, and the view unchanged, for a width or height that is not positive.
int g3d_view_set_projection(int x, int y, int width, int height, float scale, float near_dist,
                            float far_dist);
void g3d_view_set_ortho(float left, float right, float top, float bottom, float near_dist, float far_dist);
void g3d_view_set_projection_mode(int mode);
int g3d_view_get_projection_mode();
void g3d_view_get_view_matrix(G3dMatrix* out);
void g3d_view_get_perspective(G3dMatrix* out);
// Orthographic mode: the orthographic matrix; otherwise perspective * view.
void g3d_view_get_projection_view(G3dMatrix* out);

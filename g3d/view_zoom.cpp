// The view zoom.
#include "g3d/view_zoom.h"

#include "g3d/renderer.h"

float view_scale = 10.0f;
float view_near = 200.0f;
float view_far = 10000.0f;
ViewZoomRequest view_zoom;

namespace {
constexpr int screen_width = 640, screen_height = 480;
constexpr float zoom_near = 200.0f;  // the near distance while a request runs

void set_view(float scale, float near_plane) {
  renderer.set_viewport(0, 0, screen_width, screen_height, scale, near_plane, view_far);
}
}  // namespace

void set_view_zoom(std::int16_t mode, std::int16_t frames, float target) {
  view_zoom.mode = mode;
  view_zoom.frames = frames;
  view_zoom.target = target;
}

void update_view_zoom() {
  ViewZoomRequest& z = view_zoom;
  // A stepped request of no frames has nothing to step over: it applies at once.
  const std::int16_t mode = z.mode == zoom_over_frames && z.frames <= 0 ? zoom_at_once : z.mode;
  if (mode == zoom_none) {
    set_view(view_scale, view_near);
  } else if (mode == zoom_at_once) {
    view_scale = z.target;
    z = ViewZoomRequest{};
    set_view(view_scale, zoom_near);
  } else if (mode == zoom_over_frames) {
    z.frames_run = std::int16_t(z.frames_run + 1);
    float s = view_scale + (z.target - view_scale) * (float(z.frames_run) / float(z.frames));
    // A request that has run its frames (or more, after a shorter request replaced a longer
    // one) ends at its target.
    if (z.frames_run >= z.frames) {
      s = view_scale = z.target;
      z = ViewZoomRequest{};
    }
    set_view(s, zoom_near);
  }
}

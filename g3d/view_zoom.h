#pragma once
// The field's view settings and their zoom requests, applied to the renderer's viewport every
// field frame: at once, or step by step over a number of frames.
#include <cstdint>

extern float view_scale;  // the viewport's scale; 10.0 at load
extern float view_near;   // 200.0 at load
extern float view_far;    // 10000.0 at load

constexpr std::int16_t zoom_none = 0, zoom_at_once = 1, zoom_over_frames = 2;

struct ViewZoomRequest {
  std::int16_t mode = 0;
  std::int16_t frames = 0;
  std::int16_t frames_run = 0;
  float target = 0;
};
extern ViewZoomRequest view_zoom;

// Stores a request; the frames already run are kept.
void set_view_zoom(std::int16_t mode, std::int16_t frames, float target);
// Applies the view settings and the request to the viewport.
void update_view_zoom();

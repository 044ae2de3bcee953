// Line rasterization.
#include "platform/raster/line_raster.h"

#include <cmath>

#include "platform/raster/pixel_ops.h"

namespace platform::raster {
namespace {

// The attributes of one end as the span loop interpolates them (multiplied by rhw).
void attributes(const RVertex& v, float out[attr_count]) {
  const float w = v.rhw;
  out[AZ] = v.z;
  out[ARhw] = w;
  out[AU] = v.u * w;
  out[AV] = v.v * w;
  out[AR] = v.r * w;
  out[AG] = v.g * w;
  out[AB] = v.b * w;
  out[AA] = v.a * w;
  out[AF] = v.f * w;
}

int ceil_to_int(float f) { return -floor_to_int(-f); }

}  // namespace

void raster_line(const PipelineState& p, const RVertex& a, const RVertex& b, const int* flat_rgba) {
  const float dx = b.x - a.x, dy = b.y - a.y;
  if (dx == 0.0f && dy == 0.0f) return;
  const bool x_major = std::fabs(dx) >= std::fabs(dy);
  const float start = x_major ? a.x : a.y, end = x_major ? b.x : b.y, span = x_major ? dx : dy;
  // Major-axis pixel centres c with start <= c < end (or start >= c > end going backwards).
  int first, last, step;
  if (span > 0) {
    first = ceil_to_int(start);
    last = ceil_to_int(end) - 1;
    step = 1;
  } else {
    first = floor_to_int(start);
    last = floor_to_int(end) + 1;
    step = -1;
  }
  float fa[attr_count], fb[attr_count];
  attributes(a, fa);
  attributes(b, fb);

  Plane pl{};
  pl.affine = true;
  pl.flat = flat_rgba != nullptr;
  if (flat_rgba)
    for (int i = 0; i < 4; ++i) pl.flat_rgba[i] = flat_rgba[i];
  for (int c = first; (step > 0) ? c <= last : c >= last; c += step) {
    const float t = (float(c) - start) / span;
    const float minor = x_major ? a.y + t * dy : a.x + t * dx;
    const int m = floor_to_int(minor + 0.5f);
    const int px = x_major ? c : m, py = x_major ? m : c;
    if (px < p.clip_x0 || px > p.clip_x1 || py < p.clip_y0 || py > p.clip_y1) continue;
    pl.ox = float(px);
    pl.oy = float(py);
    for (int k = 0; k < attr_count; ++k) pl.a0[k] = fa[k] + (fb[k] - fa[k]) * t;
    p.span(p, pl, py, px, px);
  }
}

}  // namespace platform::raster

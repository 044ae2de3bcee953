// Triangle setup and exact row traversal.
#include "platform/raster/triangle_raster.h"

#include <algorithm>
#include <cstdint>

#include "platform/raster/pixel_ops.h"

namespace platform::raster {
namespace {

constexpr int sub = 16;  // sub-pixel steps per pixel

std::int64_t floor_div(std::int64_t a, std::int64_t b) {
  std::int64_t q = a / b;
  if ((a % b != 0) && ((a < 0) != (b < 0))) --q;
  return q;
}

// One edge a -> b of a triangle wound so that its inside is where every edge function is >= 0.
// A pixel centre exactly on an edge belongs to the triangle only on a top or left edge.
struct Edge {
  std::int64_t xa, ya, dx, dy, bias;
  double slope;  // dx / dy, for the first guess of a row's bound

  void init(int x0, int y0, int x1, int y1) {
    xa = x0;
    ya = y0;
    dx = x1 - x0;
    dy = y1 - y0;
    const bool top_left = dy < 0 || (dy == 0 && dx > 0);
    bias = top_left ? 0 : 1;
    slope = dy != 0 ? double(dx) / double(dy) : 0.0;
  }
  std::int64_t eval(std::int64_t px, std::int64_t py) const {
    return dx * (py * sub - ya) - dy * (px * sub - xa) - bias;
  }
  // The pixel column where the edge crosses the row's centre line, as a first guess.
  std::int64_t guess(std::int64_t py) const {
    const double x = double(xa) + slope * double(py * sub - ya);
    return std::int64_t(x / sub);
  }
};

int snap(float v) { return floor_to_int(v * float(sub) + 0.5f); }

}  // namespace

void setup_planes(Plane& pl, const RVertex* v[3], const float xs[3], const float ys[3], float inv_area) {
  const float x10 = xs[1] - xs[0], y10 = ys[1] - ys[0], x20 = xs[2] - xs[0], y20 = ys[2] - ys[0];
  float a[3][attr_count];
  for (int i = 0; i < 3; ++i) {
    const RVertex& r = *v[i];
    const float w = r.rhw;
    a[i][AZ] = r.z;
    a[i][ARhw] = w;
    a[i][AU] = r.u * w;
    a[i][AV] = r.v * w;
    a[i][AR] = r.r * w;
    a[i][AG] = r.g * w;
    a[i][AB] = r.b * w;
    a[i][AA] = r.a * w;
    a[i][AF] = r.f * w;
  }
  pl.ox = xs[0];
  pl.oy = ys[0];
  for (int k = 0; k < attr_count; ++k) {
    const float d1 = a[1][k] - a[0][k], d2 = a[2][k] - a[0][k];
    pl.a0[k] = a[0][k];
    pl.dx[k] = (d1 * y20 - d2 * y10) * inv_area;
    pl.dy[k] = (d2 * x10 - d1 * x20) * inv_area;
  }
}

void raster_triangle(const PipelineState& p, const RVertex& v0, const RVertex& v1, const RVertex& v2, int winding,
                     const int* flat_rgba) {
  const RVertex* v[3] = {&v0, &v1, &v2};
  if (winding < 0) std::swap(v[1], v[2]);
  int X[3], Y[3];
  for (int i = 0; i < 3; ++i) {
    X[i] = snap(v[i]->x);
    Y[i] = snap(v[i]->y);
  }
  const std::int64_t area2 =
      std::int64_t(X[1] - X[0]) * (Y[2] - Y[0]) - std::int64_t(X[2] - X[0]) * (Y[1] - Y[0]);
  if (area2 <= 0) return;

  const int y_min = std::min({Y[0], Y[1], Y[2]}), y_max = std::max({Y[0], Y[1], Y[2]});
  const int row0 = std::max<std::int64_t>(p.clip_y0, -floor_div(-y_min, sub));
  const int row1 = std::min<std::int64_t>(p.clip_y1, floor_div(y_max, sub));
  if (row0 > row1) return;

  Edge e[3];
  e[0].init(X[0], Y[0], X[1], Y[1]);
  e[1].init(X[1], Y[1], X[2], Y[2]);
  e[2].init(X[2], Y[2], X[0], Y[0]);

  Plane pl;
  float xs[3], ys[3];
  for (int i = 0; i < 3; ++i) {
    xs[i] = float(X[i]) / float(sub);
    ys[i] = float(Y[i]) / float(sub);
  }
  setup_planes(pl, v, xs, ys, float(sub * sub) / float(area2));
  pl.flat = flat_rgba != nullptr;
  if (flat_rgba)
    for (int i = 0; i < 4; ++i) pl.flat_rgba[i] = flat_rgba[i];

  for (int y = row0; y <= row1; ++y) {
    std::int64_t xl = p.clip_x0, xr = p.clip_x1;
    bool empty = false;
    for (const Edge& ed : e) {
      if (ed.dy < 0) {  // bounds the span on the left
        if (ed.eval(xl, y) >= 0) continue;
        std::int64_t x = std::clamp<std::int64_t>(ed.guess(y), xl, xr + 1);
        while (x <= xr && ed.eval(x, y) < 0) ++x;
        while (x > xl && ed.eval(x - 1, y) >= 0) --x;
        xl = x;
      } else if (ed.dy > 0) {  // bounds it on the right
        if (ed.eval(xr, y) >= 0) continue;
        std::int64_t x = std::clamp<std::int64_t>(ed.guess(y), xl - 1, xr);
        while (x >= xl && ed.eval(x, y) < 0) --x;
        while (x < xr && ed.eval(x + 1, y) >= 0) ++x;
        xr = x;
      } else if (ed.eval(0, y) < 0) {
        empty = true;
      }
      if (xl > xr) empty = true;
      if (empty) break;
    }
    if (!empty) p.span(p, pl, y, int(xl), int(xr));
  }
}

}  // namespace platform::raster

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

// One edge a -> b of a triangle wound so that its inside is where every edge function
// E(px, py) = dx (16 py - ya) - dy (16 px - xa) - bias is >= 0 (pixel centres at whole numbers).
// A pixel centre exactly on an edge belongs to the triangle only on a top or left edge (bias 0).
// E = K(py) + D px with D = -16 dy, so each row's bound is floor(K / |D|), and K grows by 16 dx
// from row to row: the bound is stepped exactly with a quotient and a remainder.
struct Edge {
  int kind = 0;      // -1 bounds on the left, +1 on the right, 0 horizontal
  std::int64_t k = 0;  // K of the current row (horizontal edges)
  std::int64_t d = 1;  // |16 dy|
  std::int64_t q = 0, r = 0;  // floor(K / d) and its remainder
  std::int64_t qs = 0, rs = 0;  // the same for the step 16 dx

  void init(int x0, int y0, int x1, int y1, int row) {
    const std::int64_t dx = x1 - x0, dy = y1 - y0;
    const bool top_left = dy < 0 || (dy == 0 && dx > 0);
    k = dx * (std::int64_t(row) * sub - y0) + dy * x0 - (top_left ? 0 : 1);
    const std::int64_t step = dx * sub;
    kind = dy < 0 ? -1 : (dy > 0 ? 1 : 0);
    if (kind == 0) {
      qs = step;
      return;
    }
    d = (dy < 0 ? -dy : dy) * sub;
    q = floor_div(k, d);
    r = k - q * d;
    qs = floor_div(step, d);
    rs = step - qs * d;
  }
  void next_row() {
    if (kind == 0) {
      k += qs;
      return;
    }
    q += qs;
    r += rs;
    if (r >= d) {
      r -= d;
      ++q;
    }
  }
  // The row's bound: left edges give the first pixel (-q), right edges the last (q).
  std::int64_t bound() const { return kind < 0 ? -q : q; }
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

bool setup_triangle(const PipelineState& p, const RVertex& v0, const RVertex& v1, const RVertex& v2, int winding,
                    const int* flat_rgba, TriangleSetup& t) {
  const RVertex* v[3] = {&v0, &v1, &v2};
  if (winding < 0) std::swap(v[1], v[2]);
  int* X = t.x;
  int* Y = t.y;
  for (int i = 0; i < 3; ++i) {
    X[i] = snap(v[i]->x);
    Y[i] = snap(v[i]->y);
  }
  const std::int64_t area2 =
      std::int64_t(X[1] - X[0]) * (Y[2] - Y[0]) - std::int64_t(X[2] - X[0]) * (Y[1] - Y[0]);
  if (area2 <= 0) return false;

  const int y_min = std::min({Y[0], Y[1], Y[2]}), y_max = std::max({Y[0], Y[1], Y[2]});
  t.row0 = int(std::max<std::int64_t>(p.clip_y0, -floor_div(-y_min, sub)));
  t.row1 = int(std::min<std::int64_t>(p.clip_y1, floor_div(y_max, sub)));
  if (t.row0 > t.row1) return false;

  Plane& pl = t.plane;
  float xs[3], ys[3];
  for (int i = 0; i < 3; ++i) {
    xs[i] = float(X[i]) / float(sub);
    ys[i] = float(Y[i]) / float(sub);
  }
  setup_planes(pl, v, xs, ys, float(sub * sub) / float(area2));
  pl.affine = pl.dx[ARhw] == 0.0f && pl.dy[ARhw] == 0.0f;
  pl.flat = flat_rgba != nullptr;
  if (flat_rgba)
    for (int i = 0; i < 4; ++i) pl.flat_rgba[i] = flat_rgba[i];
  return true;
}

void traverse_triangle(const PipelineState& p, const TriangleSetup& t, int first, int last) {
  const int row0 = std::max(first, t.row0), row1 = std::min(last, t.row1);
  if (row0 > row1) return;
  // Each edge starts exactly at the first row asked for: its integer state is the same as if it
  // had been stepped there from the triangle's top.
  Edge e[3];
  e[0].init(t.x[0], t.y[0], t.x[1], t.y[1], row0);
  e[1].init(t.x[1], t.y[1], t.x[2], t.y[2], row0);
  e[2].init(t.x[2], t.y[2], t.x[0], t.y[0], row0);
  for (int y = row0; y <= row1; ++y) {
    std::int64_t xl = p.clip_x0, xr = p.clip_x1;
    bool empty = false;
    for (const Edge& ed : e) {
      if (ed.kind < 0)
        xl = std::max(xl, ed.bound());
      else if (ed.kind > 0)
        xr = std::min(xr, ed.bound());
      else if (ed.k < 0)
        empty = true;
    }
    if (!empty && xl <= xr) p.span(p, t.plane, y, int(xl), int(xr));
    for (Edge& ed : e) ed.next_row();
  }
}

void raster_triangle(const PipelineState& p, const RVertex& v0, const RVertex& v1, const RVertex& v2, int winding,
                     const int* flat_rgba) {
  TriangleSetup t;
  if (setup_triangle(p, v0, v1, v2, winding, flat_rgba, t)) traverse_triangle(p, t, t.row0, t.row1);
}

}  // namespace platform::raster

// Homogeneous clipping of triangles and lines.
#include "platform/raster/clip.h"

#include <cmath>

namespace platform::raster {
namespace {

// Guard band: far enough out that few triangles ever need clipping, near enough that snapped
// coordinates and edge products stay well inside 64-bit integers.
constexpr float guard = 4096.0f;

// Clip-space vertex: X, Y, Z, W, the attributes, and the original screen vertex when this is one.
struct HVertex {
  float h[4];
  float attr[7];
  bool original;
  RVertex screen;
};

HVertex to_h(const RVertex& v) {
  const float w = 1.0f / v.rhw;
  return {{v.x * w, v.y * w, v.z * w, w}, {v.u, v.v, v.r, v.g, v.b, v.a, v.f}, true, v};
}

// Signed distance to plane k of the six (near, far, left, right, top, bottom); inside when >= 0.
float distance(const HVertex& v, int k, const GuardBand& g) {
  const float x = v.h[0], y = v.h[1], z = v.h[2], w = v.h[3];
  switch (k) {
    case 0: return z;
    case 1: return w - z;
    case 2: return x - g.left * w;
    case 3: return g.right * w - x;
    case 4: return y - g.top * w;
    default: return g.bottom * w - y;
  }
}

// The point where the edge from `in` (inside) to `out` (outside) meets the plane.
HVertex intersect(const HVertex& in, float d_in, const HVertex& out, float d_out) {
  const float t = d_in / (d_in - d_out);
  HVertex r;
  for (int i = 0; i < 4; ++i) r.h[i] = in.h[i] + (out.h[i] - in.h[i]) * t;
  for (int i = 0; i < 7; ++i) r.attr[i] = in.attr[i] + (out.attr[i] - in.attr[i]) * t;
  r.original = false;
  r.screen = {};
  return r;
}

RVertex to_screen(const HVertex& v) {
  if (v.original) return v.screen;
  const float rhw = 1.0f / v.h[3];
  return {v.h[0] * rhw, v.h[1] * rhw, v.h[2] * rhw, rhw,
          v.attr[0], v.attr[1], v.attr[2], v.attr[3], v.attr[4], v.attr[5], v.attr[6]};
}

}  // namespace

RVertex to_rvertex(const ScreenVertex& v) {
  return {v.x,
          v.y,
          v.z,
          v.rhw,
          v.u,
          v.v,
          float((v.diffuse >> 16) & 255),
          float((v.diffuse >> 8) & 255),
          float(v.diffuse & 255),
          float(v.diffuse >> 24),
          float(v.specular >> 24)};
}

bool finite(const ScreenVertex& v) {
  return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z) && std::isfinite(v.rhw) && v.rhw != 0.0f;
}

GuardBand guard_band_for(const Viewport& vp) {
  return {float(vp.x) - guard, float(vp.y) - guard, float(vp.x + vp.width) + guard,
          float(vp.y + vp.height) + guard};
}

bool inside(const RVertex& v, const GuardBand& g) {
  return v.rhw > 0.0f && v.z >= 0.0f && v.z <= 1.0f && v.x >= g.left && v.x <= g.right && v.y >= g.top &&
         v.y <= g.bottom;
}

int clip_triangle(const RVertex in[3], const GuardBand& g, RVertex out[max_clipped_vertices]) {
  HVertex a[max_clipped_vertices], b[max_clipped_vertices];
  int n = 3;
  for (int i = 0; i < 3; ++i) a[i] = to_h(in[i]);
  HVertex* src = a;
  HVertex* dst = b;
  for (int k = 0; k < 6 && n > 0; ++k) {
    int m = 0;
    for (int i = 0; i < n; ++i) {
      const HVertex& p = src[i];
      const HVertex& q = src[(i + 1) % n];
      const float dp = distance(p, k, g), dq = distance(q, k, g);
      const bool pin = dp >= 0.0f, qin = dq >= 0.0f;
      if (pin) dst[m++] = p;
      if (pin != qin && m < max_clipped_vertices) dst[m++] = pin ? intersect(p, dp, q, dq) : intersect(q, dq, p, dp);
    }
    n = m;
    HVertex* t = src;
    src = dst;
    dst = t;
  }
  for (int i = 0; i < n; ++i) {
    // A polygon that reaches w = 0 has no screen image.
    if (!(src[i].h[3] > 0.0f)) return 0;
    out[i] = to_screen(src[i]);
  }
  return n;
}

bool clip_line(RVertex& a, RVertex& b, const GuardBand& g) {
  HVertex p = to_h(a), q = to_h(b);
  for (int k = 0; k < 6; ++k) {
    const float dp = distance(p, k, g), dq = distance(q, k, g);
    const bool pin = dp >= 0.0f, qin = dq >= 0.0f;
    if (!pin && !qin) return false;
    if (pin && !qin) q = intersect(p, dp, q, dq);
    if (!pin && qin) p = intersect(q, dq, p, dp);
  }
  if (!(p.h[3] > 0.0f) || !(q.h[3] > 0.0f)) return false;
  a = to_screen(p);
  b = to_screen(q);
  return true;
}

}  // namespace platform::raster

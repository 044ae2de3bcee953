#pragma once
// Clipping of triangles and lines in homogeneous coordinates rebuilt from the screen vertices
// (w = 1 / rhw, X = x w, ...), against 0 <= z <= 1 and a guard band around the viewport. The
// scissor of the span loops does the exact viewport edge, so triangles that only cross the
// screen edge need no clipping at all. A new vertex is always interpolated from the inside
// end of an edge towards the outside end, so two triangles sharing an edge get bit-identical
// new vertices on it.
#include "platform/raster/raster.h"

namespace platform::raster {

// A vertex between assembly and setup: screen position, depth, rhw and the attributes as the
// caller gave them (colours 0..255, fog factor 0..255).
struct RVertex {
  float x, y, z, rhw;
  float u, v, r, g, b, a, f;
};

RVertex to_rvertex(const ScreenVertex& v);
// False when x, y, z or rhw is not a finite number.
bool finite(const ScreenVertex& v);

struct GuardBand {
  float left, top, right, bottom;
};
GuardBand guard_band_for(const Viewport& viewport);

// True when the vertex needs no clipping: rhw > 0, 0 <= z <= 1 and inside the guard band.
bool inside(const RVertex& v, const GuardBand& g);

constexpr int max_clipped_vertices = 12;
// Clips the triangle; returns the vertex count of the convex polygon left (0 when nothing is).
// Original vertices come out unchanged.
int clip_triangle(const RVertex in[3], const GuardBand& g, RVertex out[max_clipped_vertices]);
// Clips the segment in place; false when nothing is left.
bool clip_line(RVertex& a, RVertex& b, const GuardBand& g);

}  // namespace platform::raster

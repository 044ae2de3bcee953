#pragma once
// Triangle setup and traversal: snaps the corners to 1/16 pixel, builds three exact integer edge
// functions with the top-left rule, finds each row's span exactly and hands it to the span loop
// with the attribute planes. Setup and traversal are apart so that a triangle set up once can be
// walked band by band (any range of its rows) with the very spans a whole walk gives.
#include "platform/raster/clip.h"
#include "platform/raster/pipeline.h"

namespace platform::raster {

// A triangle ready for traversal: its planes, snapped corners (1/16 pixel, wound clockwise) and
// the rows it covers inside the scissor.
struct TriangleSetup {
  Plane plane;
  int x[3], y[3];
  int row0, row1;
};

// winding: +1 when the triangle is expected clockwise on the screen (y down), -1 when
// counter-clockwise. False when the snapped corners disagree, have no area, or no row of the
// scissor is covered.
bool setup_triangle(const PipelineState& p, const RVertex& v0, const RVertex& v1, const RVertex& v2, int winding,
                    const int* flat_rgba, TriangleSetup& out);
// Draws the triangle's spans on rows first..last (clamped to its own rows).
void traverse_triangle(const PipelineState& p, const TriangleSetup& t, int first, int last);

// Setup and traversal of all rows at once.
void raster_triangle(const PipelineState& p, const RVertex& v0, const RVertex& v1, const RVertex& v2,
                     int winding, const int* flat_rgba);

// The plane equations of the attributes over a triangle with the given snapped corners.
void setup_planes(Plane& plane, const RVertex* v[3], const float xs[3], const float ys[3], float inv_area);

}  // namespace platform::raster

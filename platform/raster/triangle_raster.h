#pragma once
// Triangle setup and traversal: snaps the corners to 1/16 pixel, builds three exact integer edge
// functions with the top-left rule, finds each row's span exactly and hands it to the span loop
// with the attribute planes.
#include "platform/raster/clip.h"
#include "platform/raster/pipeline.h"

namespace platform::raster {

// winding: +1 when the triangle is expected clockwise on the screen (y down), -1 when
// counter-clockwise; a triangle whose snapped corners disagree, or have no area, is not drawn.
void raster_triangle(const PipelineState& p, const RVertex& v0, const RVertex& v1, const RVertex& v2,
                     int winding, const int* flat_rgba);

// The plane equations of the attributes over a triangle with the given snapped corners.
void setup_planes(Plane& plane, const RVertex* v[3], const float xs[3], const float ys[3], float inv_area);

}  // namespace platform::raster

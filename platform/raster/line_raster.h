#pragma once
// Lines: one pixel per step along the major axis, pixel centres from the start point up to but
// not including the end point, each pixel shaded by the span loop of the current states.
#include "platform/raster/clip.h"
#include "platform/raster/pipeline.h"

namespace platform::raster {

void raster_line(const PipelineState& p, const RVertex& a, const RVertex& b, const int* flat_rgba);

}  // namespace platform::raster

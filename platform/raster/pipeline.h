#pragma once
// What one draw call hands to the span loops: the target and depth rows, the scissor, the bound
// texture and the pixel states, and the span routine picked for them. Internal to the rasterizer.
#include <cstdint>

#include "platform/raster/raster.h"

namespace platform::raster {

// Interpolated attributes. U..F are multiplied by rhw so that they are linear on the screen.
enum Attr { AZ, ARhw, AU, AV, AR, AG, AB, AA, AF, attr_count };

// One plane equation per attribute: value(px, py) = a0 + dx (px - ox) + dy (py - oy).
struct Plane {
  float ox, oy;
  float a0[attr_count];
  float dx[attr_count];
  float dy[attr_count];
  // Flat shading: the colour of the provoking vertex, not interpolated.
  bool flat;
  // rhw is the same all over (screen-space quads, particles): no perspective to follow, so a
  // whole span is one segment.
  bool affine;
  int flat_rgba[4];
};

struct PipelineState;
using SpanFn = void (*)(const PipelineState& p, const Plane& plane, int y, int x_left, int x_right);

// Blend kinds with dedicated span loops; Generic evaluates the two factors at run time.
enum class BlendKind { Opaque, Add, Alpha, InvColourMul, SrcColour, Generic };
enum class TexMode { None, Nearest, NearestKey, Linear, LinearKey };

struct PipelineState {
  std::uint16_t* target;
  int pitch;
  float* depth;
  int depth_pitch;
  int clip_x0, clip_y0, clip_x1, clip_y1;  // inclusive scissor: the viewport inside the target

  const std::uint16_t* texels;
  int tex_width, tex_height, tex_pitch;
  bool tex_pow2;
  std::uint16_t key;

  int fog_rgb[3];
  Blend src_blend, dest_blend;
  bool flat;
  SpanFn span;
};

// vector: the loops that shade several pixels at once where the states have them; wide: the
// four-pixel loops built for AVX2 where the processor has it; widest: the sixteen-pixel loops
// (AVX-512) where the processor has them, before any other.
SpanFn select_span(TexMode tex, bool fog, BlendKind blend, bool z_write, bool vector, bool wide, bool widest);

}  // namespace platform::raster

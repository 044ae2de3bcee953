// A table of random triangles and lines over random states, drawn on one thread with the
// one-pixel span loops (the reference) and again with other thread counts and the vector span
// loops: four pixels at once built for the baseline instruction set and for AVX2, and sixteen at
// once with AVX-512 (where the processor has them). The frames and depth buffers must be
// identical.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "tests/platform/raster/raster_fixture.h"

namespace {

using platform::raster::Blend;
using platform::raster::Primitive;
using platform::raster::State;
using test_support::RasterTarget;
using test_support::ScreenVertex;

constexpr int width = 200, height = 150;

struct Rng {
  std::uint32_t s;
  std::uint32_t next() {
    s = s * 1664525u + 1013904223u;
    return s >> 8;
  }
  int range(int n) { return int(next() % std::uint32_t(n)); }
  float unit() { return float(next() & 0xFFFF) / 65535.0f; }
};

struct Frame {
  std::vector<std::uint16_t> pixels;
  std::vector<float> depth;
};

// Draws the same calls for a given seed whatever the device's threads and span loops.
Frame draw_random(std::uint32_t seed, int threads, bool vector, bool wide, bool widest) {
  RasterTarget t(width, height, 0, threads);
  auto& d = t.device();
  d.set_vector_spans(vector);
  d.set_wide_spans(wide);
  d.set_widest_spans(widest);
  Rng rng{seed};
  for (int i = 0; i < width * height; ++i) t.pixels()[i] = std::uint16_t(rng.next());
  auto tex_pow2 = test_support::checker_texture(16, 8, 3);
  auto tex_odd = test_support::checker_texture(13, 7, 2);
  tex_pow2->set_colour_key(tex_pow2->texels()[0]);
  tex_odd->set_colour_key(tex_odd->texels()[1]);
  const Blend pairs[][2] = {{Blend::One, Blend::Zero},          {Blend::SrcAlpha, Blend::One},
                            {Blend::SrcAlpha, Blend::InvSrcAlpha}, {Blend::InvDestAlpha, Blend::InvSrcColour},
                            {Blend::SrcColour, Blend::InvSrcColour}, {Blend::DestColour, Blend::SrcAlpha}};
  for (int call = 0; call < 60; ++call) {
    const int tex = rng.range(3);
    d.set_texture(tex == 0 ? nullptr : (tex == 1 ? tex_pow2.get() : tex_odd.get()));
    d.set_state(State::ColourKeyEnable, std::uint32_t(rng.range(2)));
    d.set_state(State::TextureFilter, rng.range(2) ? platform::raster::filter_linear : platform::raster::filter_nearest);
    d.set_state(State::FogEnable, std::uint32_t(rng.range(2)));
    d.set_state(State::FogColour, rng.next());
    d.set_state(State::ZWriteEnable, std::uint32_t(rng.range(2)));
    d.set_state(State::ShadeMode, rng.range(4) ? platform::raster::shade_gouraud : platform::raster::shade_flat);
    d.set_state(State::FillMode, rng.range(8) ? platform::raster::fill_solid : platform::raster::fill_wireframe);
    const auto& pair = pairs[rng.range(6)];
    d.set_state(State::AlphaBlendEnable, std::uint32_t(rng.range(4) != 0));
    d.set_state(State::SrcBlend, std::uint32_t(pair[0]));
    d.set_state(State::DestBlend, std::uint32_t(pair[1]));
    if (rng.range(10) == 0) d.clear_depth(rng.range(width), rng.range(height), rng.range(width), rng.range(height));
    // Large and small triangles, some across the edges, with perspective (rhw varies) or not.
    std::vector<ScreenVertex> v;
    const int count = 3 * (1 + rng.range(8));
    const bool affine = rng.range(3) == 0;
    const float size = rng.range(2) ? 260.0f : 40.0f;
    const float cx = rng.unit() * width, cy = rng.unit() * height;
    for (int k = 0; k < count; ++k) {
      const float rhw = affine ? 1.0f : 0.2f + rng.unit();
      v.push_back({cx + (rng.unit() - 0.5f) * size, cy + (rng.unit() - 0.5f) * size, rng.unit(), rhw,
                   rng.next() | (std::uint32_t(rng.range(256)) << 24), std::uint32_t(rng.range(256)) << 24,
                   rng.unit() * 4 - 1, rng.unit() * 4 - 1});
    }
    const Primitive type = rng.range(6) == 0 ? Primitive::LineStrip : Primitive::TriangleList;
    d.draw(type, v.data(), int(v.size()));
  }
  Frame f;
  f.pixels.assign(t.pixels(), t.pixels() + width * height);
  const float* z = d.depth_buffer();
  f.depth.assign(z, z + width * height);
  return f;
}

struct Variant {
  int threads;
  bool vector, wide, widest;
};

TEST(RasterRandom, EveryThreadCountAndSpanLoopDrawsTheReferencePixels) {
  const Variant variants[] = {{1, true, true, true},    {1, true, true, false},   {1, true, false, false},
                              {2, false, false, false}, {3, true, true, true},    {8, false, false, false},
                              {8, true, false, false},  {8, true, true, false},   {8, true, true, true}};
  for (std::uint32_t seed : {1u, 2u, 3u, 4u, 5u, 6u}) {
    const Frame reference = draw_random(seed, 1, false, false, false);
    for (const Variant& v : variants) {
      const Frame f = draw_random(seed, v.threads, v.vector, v.wide, v.widest);
      int first_bad = -1;
      for (int i = 0; i < width * height && first_bad < 0; ++i)
        if (f.pixels[std::size_t(i)] != reference.pixels[std::size_t(i)]) first_bad = i;
      EXPECT_EQ(first_bad, -1) << "seed " << seed << ", threads " << v.threads << ", vector " << v.vector << ", wide " << v.wide
                               << ", widest " << v.widest
                               << ": first differing pixel at " << first_bad % width << "," << first_bad / width;
      EXPECT_TRUE(f.depth == reference.depth) << "seed " << seed << ", threads " << v.threads;
    }
  }
}

}  // namespace

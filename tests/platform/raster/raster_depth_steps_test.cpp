// Depth stepped along a span must be the same bits in every span loop: the one-pixel loops add
// the step pixel after pixel, and the wider loops must give each pixel the very same sum, also
// where the sums cross into another binade, where the step rounds differently from pixel to
// pixel (ties broken to even) and where the depth starts at zero.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "tests/platform/raster/raster_fixture.h"

namespace {

using platform::raster::Primitive;
using test_support::RasterTarget;
using test_support::sv;

constexpr int width = 64, height = 8;

struct Ramp {
  const char* name;
  float z_left, z_right;
  float rhw_right;  // 1: no perspective, so a whole span is one segment
};

struct Drawn {
  std::vector<std::uint16_t> pixels;
  std::vector<float> depth;
};

Drawn draw_ramp(const Ramp& r, bool vector, bool wide, bool widest) {
  RasterTarget t(width, height);
  auto& d = t.device();
  d.set_vector_spans(vector);
  d.set_wide_spans(wide);
  d.set_widest_spans(widest);
  const float w = width, h = height;
  const std::vector quad{sv(0, 0, 0xFF204060, r.z_left),      sv(w, 0, 0xFFC0A080, r.z_right, r.rhw_right),
                         sv(w, h, 0xFFC0A080, r.z_right, r.rhw_right), sv(0, 0, 0xFF204060, r.z_left),
                         sv(w, h, 0xFFC0A080, r.z_right, r.rhw_right), sv(0, h, 0xFF204060, r.z_left)};
  d.draw(Primitive::TriangleList, quad.data(), int(quad.size()));
  Drawn out;
  out.pixels.assign(t.pixels(), t.pixels() + width * height);
  const float* z = d.depth_buffer();
  out.depth.assign(z, z + width * height);
  return out;
}

TEST(RasterDepthSteps, EverySpanLoopStepsDepthToTheSameBits) {
  // Half an ulp of 0.5 is 2^-25: a step of 1.5 ulps from an odd start rounds to one ulp and two
  // ulps by turns.
  const float ulp = 1.0f / (1 << 24);
  const Ramp ramps[] = {
      {"ties", 0.5f + ulp, 0.5f + 97 * ulp, 1.0f},
      {"up across a binade", 0.49f, 0.51f, 1.0f},
      {"down across a binade", 0.2501f, 0.2499f, 1.0f},
      {"from zero", 0.0f, 1.0e-6f, 1.0f},
      {"flat", 0.3f, 0.3f, 1.0f},
      {"perspective across a binade", 0.49f, 0.51f, 0.5f},
  };
  for (const Ramp& r : ramps) {
    const Drawn reference = draw_ramp(r, false, false, false);
    const bool loops[][3] = {{true, false, false}, {true, true, false}, {true, true, true}};
    for (const auto& l : loops) {
      const Drawn f = draw_ramp(r, l[0], l[1], l[2]);
      EXPECT_EQ(std::memcmp(f.depth.data(), reference.depth.data(), f.depth.size() * sizeof(float)), 0)
          << r.name << ", wide " << l[1] << ", widest " << l[2];
      EXPECT_TRUE(f.pixels == reference.pixels) << r.name << ", wide " << l[1] << ", widest " << l[2];
    }
  }
}

}  // namespace

// Rasterization rules: the fill rule at exact pixel centres, shared edges drawn once, culling by
// winding, depth, colour key, clipping and bad input.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "tests/platform/raster/raster_fixture.h"

namespace {

using platform::raster::Blend;
using platform::raster::Primitive;
using platform::raster::State;
using test_support::RasterTarget;
using test_support::sv;
using test_support::ScreenVertex;

struct FillCase {
  const char* name;
  std::vector<ScreenVertex> fan;
  std::vector<std::string> expected;
};

TEST(RasterRules, TopLeftRuleAtPixelCentres) {
  const FillCase cases[] = {
      {"square on centres: left and top edges in, right and bottom out",
       {sv(1, 1), sv(4, 1), sv(4, 4), sv(1, 4)},
       {"......", ".###..", ".###..", ".###..", "......", "......"}},
      {"diagonal edge through centres is a bottom-right edge",
       {sv(0, 0), sv(4, 0), sv(0, 4)},
       {"####..", "###...", "##....", "#.....", "......", "......"}},
      {"the same triangle wound the other way draws the same pixels",
       {sv(0, 0), sv(0, 4), sv(4, 0)},
       {"####..", "###...", "##....", "#.....", "......", "......"}},
      {"half-pixel square covers the centres inside only",
       {sv(0.5f, 0.5f), sv(2.5f, 0.5f), sv(2.5f, 2.5f), sv(0.5f, 2.5f)},
       {"......", ".##...", ".##...", "......", "......", "......"}},
      {"flat top edge: the top row is in, the apex row below",
       {sv(1, 1), sv(5, 1), sv(3, 3)},
       {"......", ".####.", "..##..", "......", "......", "......"}},
      {"a sliver thinner than a pixel between centres draws nothing",
       {sv(1.2f, 0), sv(1.8f, 0), sv(1.8f, 6), sv(1.2f, 6)},
       {"......", "......", "......", "......", "......", "......"}},
  };
  for (const FillCase& c : cases) {
    RasterTarget t(6, 6);
    t.device().draw(Primitive::TriangleFan, c.fan.data(), int(c.fan.size()));
    EXPECT_EQ(t.mask(), c.expected) << c.name;
  }
}

// Counts how often additive blending hit each pixel (each hit adds one red step).
std::vector<int> hits(const RasterTarget& t) {
  std::vector<int> out;
  for (int y = 0; y < t.height(); ++y)
    for (int x = 0; x < t.width(); ++x) out.push_back(t.at(x, y) >> 11);
  return out;
}

void additive_one_step(RasterTarget& t) {
  t.device().set_state(State::AlphaBlendEnable, 1);
  t.device().set_state(State::SrcBlend, std::uint32_t(Blend::SrcAlpha));
  t.device().set_state(State::DestBlend, std::uint32_t(Blend::One));
  t.device().set_state(State::ZWriteEnable, 0);
}

TEST(RasterRules, JitteredMeshCoversEveryPixelExactlyOnce) {
  RasterTarget t(64, 48);
  additive_one_step(t);
  // A 6 x 5 grid over the rectangle (4, 3)-(60, 45) with jittered inner points, two triangles
  // per cell with alternating diagonals.
  const int nx = 6, ny = 5;
  std::vector<ScreenVertex> grid;
  unsigned seed = 12345;
  auto jitter = [&seed]() {
    seed = seed * 1103515245u + 12345u;
    return float(int((seed >> 16) % 1000) - 500) / 170.0f;
  };
  for (int j = 0; j <= ny; ++j)
    for (int i = 0; i <= nx; ++i) {
      float x = 4 + 56.0f * float(i) / nx, y = 3 + 42.0f * float(j) / ny;
      if (i > 0 && i < nx) x += jitter();
      if (j > 0 && j < ny) y += jitter();
      grid.push_back(sv(x, y, 0xFF080000));
    }
  std::vector<std::uint16_t> idx;
  for (int j = 0; j < ny; ++j)
    for (int i = 0; i < nx; ++i) {
      const std::uint16_t a = std::uint16_t(j * (nx + 1) + i), b = std::uint16_t(a + 1),
                          c = std::uint16_t(a + nx + 1), d = std::uint16_t(c + 1);
      if ((i + j) & 1)
        idx.insert(idx.end(), {a, b, d, a, d, c});
      else
        idx.insert(idx.end(), {a, b, c, b, d, c});
    }
  ASSERT_TRUE(t.device().draw_indexed(Primitive::TriangleList, grid.data(), int(grid.size()), idx.data(),
                                      int(idx.size())));
  const std::vector<int> h = hits(t);
  for (int y = 0; y < 48; ++y)
    for (int x = 0; x < 64; ++x) {
      const int expected = (x >= 4 && x < 60 && y >= 3 && y < 45) ? 1 : 0;
      ASSERT_EQ(h[std::size_t(y) * 64 + x], expected) << "pixel " << x << "," << y;
    }
}

TEST(RasterRules, FanSharedEdgesAreDrawnOnce) {
  RasterTarget t(64, 64);
  additive_one_step(t);
  std::vector<ScreenVertex> fan{sv(31.3f, 30.7f, 0xFF080000)};
  for (int k = 0; k <= 24; ++k) {
    const float a = float(k) * 6.2831853f / 24.0f;
    fan.push_back(sv(31.3f + 27.0f * std::cos(a), 30.7f + 25.0f * std::sin(a), 0xFF080000));
  }
  t.device().draw(Primitive::TriangleFan, fan.data(), int(fan.size()));
  int covered = 0;
  for (int h : hits(t)) {
    ASSERT_LE(h, 1);
    covered += h;
  }
  EXPECT_GT(covered, 1900);  // about pi x 27 x 25 pixels, no holes
}

TEST(RasterRules, CullingByWinding) {
  struct Case {
    std::uint32_t cull;
    bool clockwise;
    bool drawn;
  };
  const Case cases[] = {
      {platform::raster::cull_ccw, true, true},  {platform::raster::cull_ccw, false, false},
      {platform::raster::cull_cw, true, false},  {platform::raster::cull_cw, false, true},
      {platform::raster::cull_none, true, true}, {platform::raster::cull_none, false, true},
  };
  for (const Case& c : cases) {
    for (bool wire : {false, true}) {
      RasterTarget t(16, 16);
      t.device().set_state(State::CullMode, c.cull);
      t.device().set_state(State::FillMode, wire ? platform::raster::fill_wireframe : platform::raster::fill_solid);
      // Clockwise on the screen (y down): left to right along the top, then down.
      std::vector<ScreenVertex> tri{sv(2, 2), sv(13, 2), sv(2, 13)};
      if (!c.clockwise) std::swap(tri[1], tri[2]);
      t.device().draw(Primitive::TriangleList, tri.data(), 3);
      int lit = 0;
      for (int h : hits(t)) lit += h != 0;
      EXPECT_EQ(lit > 0, c.drawn) << "cull " << c.cull << " clockwise " << c.clockwise << " wire " << wire;
    }
  }
}

TEST(RasterRules, DepthLessOrEqualAndWriteSwitch) {
  RasterTarget t(8, 8);
  const std::vector<ScreenVertex> near{sv(0, 0, 0xFFFF0000, 0.25f), sv(8, 0, 0xFFFF0000, 0.25f),
                                       sv(8, 8, 0xFFFF0000, 0.25f), sv(0, 8, 0xFFFF0000, 0.25f)};
  auto quad = [](std::uint32_t colour, float z) {
    return std::vector<ScreenVertex>{sv(0, 0, colour, z), sv(8, 0, colour, z), sv(8, 8, colour, z),
                                     sv(0, 8, colour, z)};
  };
  t.device().draw(Primitive::TriangleFan, near.data(), 4);
  EXPECT_EQ(t.at(3, 3), 0xF800);
  t.device().draw(Primitive::TriangleFan, quad(0xFF00FF00, 0.5f).data(), 4);  // behind: hidden
  EXPECT_EQ(t.at(3, 3), 0xF800);
  t.device().draw(Primitive::TriangleFan, quad(0xFF0000FF, 0.25f).data(), 4);  // equal depth passes
  EXPECT_EQ(t.at(3, 3), 0x001F);
  t.device().set_state(State::ZWriteEnable, 0);
  t.device().draw(Primitive::TriangleFan, quad(0xFFFFFFFF, 0.1f).data(), 4);
  EXPECT_EQ(t.at(3, 3), 0xFFFF);
  EXPECT_EQ(t.device().depth_buffer()[3 * 8 + 3], 0.25f);  // not written
  t.device().clear_depth(0, 0, 8, 8);
  EXPECT_EQ(t.device().depth_buffer()[3 * 8 + 3], 1.0f);
}

TEST(RasterRules, KeyedTexelsWriteNeitherColourNorDepth) {
  for (std::uint32_t filter : {platform::raster::filter_nearest, platform::raster::filter_linear}) {
    RasterTarget t(8, 8, 0x1234);
    auto tex = platform::raster::Texture::create(2, 1);
    tex->texels()[0] = 0x0000;  // the key
    tex->texels()[1] = 0xFFFF;
    tex->set_colour_key(0x0000);
    t.device().set_texture(tex.get());
    t.device().set_state(State::ColourKeyEnable, 1);
    t.device().set_state(State::TextureFilter, filter);
    const std::vector<ScreenVertex> quad{sv(0, 0, 0xFFFFFFFF, 0.5f, 1, 0, 0), sv(8, 0, 0xFFFFFFFF, 0.5f, 1, 1, 0),
                                         sv(8, 8, 0xFFFFFFFF, 0.5f, 1, 1, 1), sv(0, 8, 0xFFFFFFFF, 0.5f, 1, 0, 1)};
    t.device().draw(Primitive::TriangleFan, quad.data(), 4);
    EXPECT_EQ(t.at(1, 4), 0x1234) << filter;  // keyed half untouched
    EXPECT_EQ(t.device().depth_buffer()[4 * 8 + 1], 1.0f);
    EXPECT_EQ(t.at(6, 4), 0xFFFF) << filter;
    EXPECT_EQ(t.device().depth_buffer()[4 * 8 + 6], 0.5f);
    // With keying off the key colour is an ordinary texel (filtered with its wrapped neighbour).
    t.device().set_state(State::ColourKeyEnable, 0);
    t.device().clear_depth(0, 0, 8, 8);
    t.device().draw(Primitive::TriangleFan, quad.data(), 4);
    if (filter == platform::raster::filter_nearest) {
      EXPECT_EQ(t.at(1, 4), 0x0000);
    } else {
      EXPECT_NE(t.at(1, 4), 0x1234);
    }
  }
}

TEST(RasterRules, ClippingAgainstDepthRangeAndViewport) {
  // Left half at z 0.5, right half beyond the far plane: only the part with z <= 1 is drawn.
  RasterTarget t(16, 4);
  const std::vector<ScreenVertex> quad{sv(0, 0, 0xFFFFFFFF, 0.5f), sv(16, 0, 0xFFFFFFFF, 1.5f),
                                       sv(16, 4, 0xFFFFFFFF, 1.5f), sv(0, 4, 0xFFFFFFFF, 0.5f)};
  t.device().draw(Primitive::TriangleFan, quad.data(), 4);
  EXPECT_EQ(t.mask()[1], "########........");

  // The viewport bounds the drawing exactly.
  RasterTarget v(16, 4);
  v.device().set_viewport({4, 1, 8, 2});
  const std::vector<ScreenVertex> big{sv(-1000, -1000), sv(1000, -1000), sv(1000, 1000), sv(-1000, 1000)};
  v.device().draw(Primitive::TriangleFan, big.data(), 4);
  EXPECT_EQ(v.mask(), (std::vector<std::string>{"................", "....########....", "....########....",
                                                "................"}));
  // Far outside the guard band, a huge triangle still fills the viewport.
  RasterTarget g(16, 4);
  const std::vector<ScreenVertex> huge{sv(-1e7f, -1e7f), sv(1e7f, -1e7f), sv(0, 1e7f)};
  g.device().draw(Primitive::TriangleList, huge.data(), 3);
  for (const std::string& row : g.mask()) EXPECT_EQ(row, "################");
}

TEST(RasterRules, NearPlaneClipRebuildsFromRhw) {
  // A floor going from in front of the near plane (z < 0) to the far distance: the part with
  // z < 0 is cut and the rest keeps perspective-correct texture coordinates.
  RasterTarget t(32, 32);
  const std::vector<ScreenVertex> tri{sv(0, 31, 0xFFFFFFFF, -0.5f, 2.0f), sv(31, 31, 0xFFFFFFFF, -0.5f, 2.0f),
                                      sv(16, 0, 0xFFFFFFFF, 0.9f, 0.1f)};
  t.device().draw(Primitive::TriangleList, tri.data(), 3);
  const auto m = t.mask();
  EXPECT_EQ(m[31].find('#'), std::string::npos);  // the cut-off front
  EXPECT_NE(m[5].find('#'), std::string::npos);
}

TEST(RasterRules, BadInputIsSkipped) {
  RasterTarget t(8, 8);
  const std::vector<ScreenVertex> nan{sv(0, 0), sv(8, 0), sv(std::nanf(""), 8)};
  EXPECT_TRUE(t.device().draw(Primitive::TriangleList, nan.data(), 3));
  const std::vector<ScreenVertex> inf{sv(0, 0), sv(8, 0, 0xFFFFFFFF, 0.5f, INFINITY), sv(0, 8)};
  EXPECT_TRUE(t.device().draw(Primitive::TriangleList, inf.data(), 3));
  for (const std::string& row : t.mask()) EXPECT_EQ(row, "........");

  const std::vector<ScreenVertex> quad{sv(0, 0), sv(8, 0), sv(8, 8), sv(0, 8)};
  const std::uint16_t idx[] = {0, 1, 9, 0, 2, 3};  // the first triangle reaches past the vertices
  EXPECT_TRUE(t.device().draw_indexed(Primitive::TriangleList, quad.data(), 4, idx, 6));
  EXPECT_EQ(t.at(6, 1), 0);      // first triangle skipped
  EXPECT_EQ(t.at(1, 6), 0xFFFF);  // second drawn
  EXPECT_FALSE(t.device().draw(Primitive::TriangleList, quad.data(), 2));
  EXPECT_FALSE(t.device().draw(Primitive::LineList, quad.data(), 1));

  // No target: nothing happens.
  t.device().set_target({});
  EXPECT_TRUE(t.device().draw(Primitive::TriangleFan, quad.data(), 4));
}

TEST(RasterRules, LinesAreHalfOpen) {
  RasterTarget t(8, 4);
  const std::vector<ScreenVertex> strip{sv(1, 1), sv(6, 1), sv(6, 3)};
  t.device().draw(Primitive::LineStrip, strip.data(), 3);
  // Each segment draws its start and stops before its end, so the corner is drawn once.
  EXPECT_EQ(t.mask(), (std::vector<std::string>{"........", ".######.", "......#.", "........"}));
}

TEST(RasterRules, BeginVertexEndDrawsLikeDraw) {
  RasterTarget a(8, 8), b(8, 8);
  const std::vector<ScreenVertex> tri{sv(0, 0, 0xFF123456), sv(8, 0, 0xFF654321), sv(0, 8, 0xFF00FF00)};
  a.device().draw(Primitive::TriangleList, tri.data(), 3);
  b.device().begin(Primitive::TriangleList);
  for (const ScreenVertex& v : tri) b.device().vertex(v);
  EXPECT_TRUE(b.device().end());
  EXPECT_EQ(a.frame().pixels, b.frame().pixels);
}

}  // namespace

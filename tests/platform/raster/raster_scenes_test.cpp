// Small scenes rendered headless and compared with committed reference images.
#include <gtest/gtest.h>

#include <cmath>
#include <iterator>
#include <string>
#include <tuple>
#include <vector>

#include "tests/platform/raster/raster_fixture.h"

namespace {

using platform::raster::Blend;
using platform::raster::Primitive;
using platform::raster::State;
using test_support::RasterTarget;
using test_support::sv;
using test_support::ScreenVertex;

// Every scene is drawn with each number of threads and with every kind of span loop (one pixel
// at a time, four built for the baseline instruction set, four built for AVX2 and sixteen built
// for AVX-512 where the processor has them): the frames must all be the committed reference,
// byte for byte.
enum class Loops { Scalar, Vector, WideVector, WidestVector };
struct Run {
  int threads;
  Loops loops;
};

void use_loops(platform::raster::Device& d, const Run& run) {
  d.set_vector_spans(run.loops != Loops::Scalar);
  d.set_wide_spans(run.loops == Loops::WideVector);
  d.set_widest_spans(run.loops == Loops::WidestVector);
}

void expect_reference(const char* name, const RasterTarget& t) {
  const std::string failure = test_support::compare_with_reference(name, t.frame());
  EXPECT_TRUE(failure.empty()) << failure;
}

// A fixed perspective camera at the origin looking along +z: focal length f, near 10, far 1000.
struct Camera {
  float cx, cy, f;
  float near_z = 10.0f, far_z = 1000.0f;
  ScreenVertex project(float x, float y, float z, std::uint32_t diffuse = 0xFFFFFFFF, float u = 0, float v = 0,
                       std::uint32_t specular = 0xFF000000) const {
    const float rhw = 1.0f / z;
    const float depth = far_z / (far_z - near_z) * (1.0f - near_z / z);
    return {cx + f * x * rhw, cy - f * y * rhw, depth, rhw, diffuse, specular, u, v};
  }
};

void set_blend(platform::raster::Device& d, Blend src, Blend dst) {
  d.set_state(State::AlphaBlendEnable, 1);
  d.set_state(State::SrcBlend, std::uint32_t(src));
  d.set_state(State::DestBlend, std::uint32_t(dst));
}

// A background of soft colour bands so that blending shows.
void fill_background(RasterTarget& t) {
  for (int y = 0; y < t.height(); ++y)
    for (int x = 0; x < t.width(); ++x)
      t.pixels()[y * t.width() + x] = std::uint16_t((((x * 3) & 31) << 11) | (((y * 2) & 63) << 5) | 12);
}

void OneTriangleOfEachStateCombination(const Run& run) {
  // Rows: opaque, additive, alpha, inverse-colour multiply, source-colour blend.
  // Columns: untextured, nearest, nearest keyed, bilinear, bilinear keyed; each without then
  // with fog.
  const Blend blends[5][2] = {{Blend::One, Blend::Zero},
                              {Blend::SrcAlpha, Blend::One},
                              {Blend::SrcAlpha, Blend::InvSrcAlpha},
                              {Blend::InvDestAlpha, Blend::InvSrcColour},
                              {Blend::SrcColour, Blend::InvSrcColour}};
  RasterTarget t(320, 160, 0, run.threads);
  use_loops(t.device(), run);
  fill_background(t);
  auto& d = t.device();
  auto tex = test_support::checker_texture(8, 8, 2);
  tex->set_colour_key(tex->texels()[0]);
  d.set_state(State::FogColour, 0xFF4080C0);
  for (int row = 0; row < 5; ++row)
    for (int col = 0; col < 10; ++col) {
      const int mode = col / 2;
      const bool fog = col & 1;
      set_blend(d, blends[row][0], blends[row][1]);
      d.set_texture(mode == 0 ? nullptr : tex.get());
      d.set_state(State::ColourKeyEnable, (mode == 2 || mode == 4) ? 1 : 0);
      d.set_state(State::TextureFilter, mode >= 3 ? platform::raster::filter_linear : platform::raster::filter_nearest);
      d.set_state(State::FogEnable, fog ? 1 : 0);
      const float x = float(col * 32), y = float(row * 32);
      const std::vector<ScreenVertex> tri{
          sv(x + 2, y + 2, 0xFFFF4020, 0.5f, 1.0f, 0, 0, 0xFF000000),
          sv(x + 30, y + 6, 0x8020FF40, 0.5f, 0.5f, 2, 0, 0x80000000),
          sv(x + 8, y + 30, 0x204020FF, 0.5f, 0.25f, 0, 2, 0x00000000)};
      d.draw(Primitive::TriangleList, tri.data(), 3);
    }
  expect_reference("raster_state_matrix", t);
}

void TexturedBilinearQuadInPerspective(const Run& run) {
  RasterTarget t(128, 128, 0, run.threads);
  use_loops(t.device(), run);
  auto& d = t.device();
  auto tex = test_support::checker_texture(16, 16, 4);
  d.set_texture(tex.get());
  d.set_state(State::TextureFilter, platform::raster::filter_linear);
  const Camera cam{64, 64, 60};
  const std::vector<ScreenVertex> quad{cam.project(-60, -30, 40, 0xFFFFFFFF, 0, 3),
                                       cam.project(-60, -30, 400, 0xFFFFFFFF, 0, 0),
                                       cam.project(60, -30, 400, 0xFFFFFFFF, 3, 0),
                                       cam.project(60, -30, 40, 0xFFFFFFFF, 3, 3)};
  d.draw(Primitive::TriangleFan, quad.data(), 4);
  expect_reference("raster_bilinear_quad", t);
}

void FogRamp(const Run& run) {
  RasterTarget t(160, 120, 0, run.threads);
  use_loops(t.device(), run);
  auto& d = t.device();
  d.set_state(State::FogEnable, 1);
  d.set_state(State::FogColour, 0xFFB0C0D0);
  auto tex = test_support::checker_texture(32, 32, 4);
  d.set_texture(tex.get());
  const Camera cam{80, 60, 80};
  // Strips of the floor from near to far, the fog factor falling from 255 to 0 with distance.
  for (int k = 0; k < 8; ++k) {
    const float z0 = 20.0f + float(k) * 60.0f, z1 = z0 + 60.0f;
    const auto fog = [](float z) { return std::uint32_t(std::fmax(0.0f, 255.0f - z * 0.5f)) << 24; };
    const std::vector<ScreenVertex> quad{
        cam.project(-100, -20, z0, 0xFFFFFFFF, 0, z0 / 60, fog(z0)), cam.project(-100, -20, z1, 0xFFFFFFFF, 0, z1 / 60, fog(z1)),
        cam.project(100, -20, z1, 0xFFFFFFFF, 4, z1 / 60, fog(z1)), cam.project(100, -20, z0, 0xFFFFFFFF, 4, z0 / 60, fog(z0))};
    d.draw(Primitive::TriangleFan, quad.data(), 4);
  }
  expect_reference("raster_fog_ramp", t);
}

void ColourKeyedBillboard(const Run& run) {
  RasterTarget t(96, 96, 0, run.threads);
  use_loops(t.device(), run);
  fill_background(t);
  auto& d = t.device();
  // A ring on a key-coloured square.
  auto tex = platform::raster::Texture::create(32, 32);
  const std::uint16_t key = 0x001F;
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) {
      const float r = std::hypot(float(x) - 15.5f, float(y) - 15.5f);
      tex->texels()[y * 32 + x] = (r > 9 && r < 15) ? std::uint16_t(0xFFE0 - (y << 6)) : key;
    }
  tex->set_colour_key(key);
  d.set_texture(tex.get());
  d.set_state(State::ColourKeyEnable, 1);
  d.set_state(State::TextureFilter, platform::raster::filter_linear);
  const std::vector<ScreenVertex> quad{sv(10, 86, 0xFFFFFFFF, 0.3f, 1, 0, 1), sv(10, 10, 0xFFFFFFFF, 0.3f, 1, 0, 0),
                                       sv(86, 10, 0xFFFFFFFF, 0.3f, 1, 1, 0), sv(86, 86, 0xFFFFFFFF, 0.3f, 1, 1, 1)};
  d.draw(Primitive::TriangleFan, quad.data(), 4);
  // A second quad behind it shows through the keyed hole: the key wrote no depth.
  d.set_texture(nullptr);
  const std::vector<ScreenVertex> back{sv(30, 66, 0xFF00FF00, 0.6f), sv(30, 30, 0xFF00FF00, 0.6f),
                                       sv(66, 30, 0xFF00FF00, 0.6f), sv(66, 66, 0xFF00FF00, 0.6f)};
  d.draw(Primitive::TriangleFan, back.data(), 4);
  expect_reference("raster_keyed_billboard", t);
}

void AdditiveParticles(const Run& run) {
  RasterTarget t(128, 96, 0, run.threads);
  use_loops(t.device(), run);
  auto& d = t.device();
  set_blend(d, Blend::SrcAlpha, Blend::One);
  d.set_state(State::ZWriteEnable, 0);
  auto tex = platform::raster::Texture::create(8, 8);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) {
      const int v = std::max(0, 31 - int(8 * std::hypot(float(x) - 3.5f, float(y) - 3.5f)));
      tex->texels()[y * 8 + x] = std::uint16_t((v << 11) | ((v * 2) << 5) | v);
    }
  d.set_texture(tex.get());
  d.set_state(State::TextureFilter, platform::raster::filter_linear);
  unsigned seed = 7;
  auto next = [&seed](int range) {
    seed = seed * 1103515245u + 12345u;
    return int((seed >> 16) % unsigned(range));
  };
  for (int i = 0; i < 200; ++i) {
    const float x = float(next(140) - 6), y = float(next(108) - 6), s = float(4 + next(10));
    const std::uint32_t colour = (std::uint32_t(60 + next(190)) << 24) | 0xFF8040u;
    const std::vector<ScreenVertex> q{sv(x, y, colour, 0.5f, 1, 0, 0), sv(x + s, y, colour, 0.5f, 1, 1, 0),
                                      sv(x + s, y + s, colour, 0.5f, 1, 1, 1), sv(x, y + s, colour, 0.5f, 1, 0, 1)};
    d.draw(Primitive::TriangleFan, q.data(), 4);
  }
  expect_reference("raster_additive_particles", t);
}

void ClippingThroughTheNearPlaneAndScreenEdges(const Run& run) {
  RasterTarget t(160, 120, 0, run.threads);
  use_loops(t.device(), run);
  auto& d = t.device();
  d.set_state(State::CullMode, platform::raster::cull_ccw);
  auto tex = test_support::checker_texture(16, 16, 2);
  d.set_texture(tex.get());
  const Camera cam{80, 60, 70};
  // A floor that starts behind the eye and runs past the far plane, wider than the screen.
  const std::vector<ScreenVertex> floor{cam.project(-300, -15, -50, 0xFFFFFFFF, 0, 0),
                                        cam.project(-300, -15, 1500, 0xFFFFFFFF, 0, 20),
                                        cam.project(300, -15, 1500, 0xFFFFFFFF, 8, 20),
                                        cam.project(300, -15, -50, 0xFFFFFFFF, 8, 0)};
  d.draw(Primitive::TriangleFan, floor.data(), 4);
  // A wall crossing the left screen edge and the near plane, Gouraud-shaded.
  const std::vector<ScreenVertex> wall{cam.project(-40, -15, 5, 0xFFFF0000), cam.project(-40, 40, 5, 0xFF00FF00),
                                       cam.project(-40, 40, 200, 0xFF0000FF), cam.project(-40, -15, 200, 0xFFFFFF00)};
  d.set_texture(nullptr);
  d.set_state(State::CullMode, platform::raster::cull_none);
  d.draw(Primitive::TriangleFan, wall.data(), 4);
  expect_reference("raster_clip_near_edges", t);
}

void WireframeBoxes(const Run& run) {
  RasterTarget t(160, 120, 0, run.threads);
  use_loops(t.device(), run);
  auto& d = t.device();
  d.set_state(State::CullMode, platform::raster::cull_ccw);
  d.set_state(State::FillMode, platform::raster::fill_wireframe);
  const Camera cam{80, 60, 90};
  const std::uint16_t tris[36] = {2, 1, 0, 0, 3, 2, 3, 0, 4, 4, 7, 3, 7, 4, 5, 5, 6, 7,
                                  6, 5, 1, 1, 2, 6, 6, 2, 3, 3, 7, 6, 1, 5, 4, 4, 0, 1};
  for (int b = 0; b < 3; ++b) {
    const float cx = float(b - 1) * 60.0f, cz = 150.0f + float(b) * 40.0f, h = 20.0f;
    std::vector<ScreenVertex> corners;
    for (int k = 0; k < 8; ++k) {
      const float x = cx + ((k == 1 || k == 2 || k == 5 || k == 6) ? h : -h);
      const float y = (k == 2 || k == 3 || k == 6 || k == 7) ? h : -h;
      const float z = cz + (k >= 4 ? h : -h) + float(k % 2) * 6.0f;
      corners.push_back(cam.project(x, y, z, 0xFF000000u | (0x40u << (8 * b)) | 0x808080u));
    }
    d.draw_indexed(Primitive::TriangleList, corners.data(), 8, tris, 36);
  }
  expect_reference("raster_wireframe_boxes", t);
}

struct Scene {
  const char* name;
  void (*draw)(const Run& run);
};
const Scene scenes[] = {
    {"OneTriangleOfEachStateCombination", OneTriangleOfEachStateCombination},
    {"TexturedBilinearQuadInPerspective", TexturedBilinearQuadInPerspective},
    {"FogRamp", FogRamp},
    {"ColourKeyedBillboard", ColourKeyedBillboard},
    {"AdditiveParticles", AdditiveParticles},
    {"ClippingThroughTheNearPlaneAndScreenEdges", ClippingThroughTheNearPlaneAndScreenEdges},
    {"WireframeBoxes", WireframeBoxes},
};

class RasterScenes : public ::testing::TestWithParam<std::tuple<int, int, Loops>> {};

TEST_P(RasterScenes, MatchTheReference) {
  const auto [scene, threads, loops] = GetParam();
  scenes[scene].draw({threads, loops});
}

const char* loops_name(Loops loops) {
  switch (loops) {
    case Loops::Scalar: return "_scalar";
    case Loops::Vector: return "_vector";
    case Loops::WideVector: return "_wide";
    case Loops::WidestVector: break;
  }
  return "_widest";
}

INSTANTIATE_TEST_SUITE_P(
    ScenesThreadsAndKernels, RasterScenes,
    ::testing::Combine(::testing::Range(0, int(std::size(scenes))), ::testing::Values(1, 2, 3, 8),
                       ::testing::Values(Loops::Scalar, Loops::Vector, Loops::WideVector, Loops::WidestVector)),
    [](const ::testing::TestParamInfo<RasterScenes::ParamType>& info) {
      return std::string(scenes[std::get<0>(info.param)].name) + "_threads" +
             std::to_string(std::get<1>(info.param)) + loops_name(std::get<2>(info.param));
    });

}  // namespace

#pragma once
// The field-like frame the rasterizer benchmarks draw: about 5,000 textured, bilinear, fogged,
// depth-tested triangles covering the 640 x 480 screen about twice, plus 200 additive particles;
// drawn by our device and, where OSMesa is installed, by Mesa's software OpenGL.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <vector>

#include "platform/raster/raster.h"

#if QORV_HAVE_OSMESA
#define GL_GLEXT_PROTOTYPES 1
#include <GL/gl.h>
#include <GL/glext.h>
#include <GL/osmesa.h>
#endif

namespace bench {

using platform::raster::Blend;
using platform::raster::Primitive;
using platform::raster::ScreenVertex;
using platform::raster::State;

constexpr int screen_w = 640, screen_h = 480;

struct Scene {
  std::vector<ScreenVertex> ground;     // triangle list, opaque, textured, fogged
  std::vector<ScreenVertex> particles;  // triangle list, additive, no depth writes
  std::vector<std::uint16_t> ground_texels, particle_texels;
  int ground_size = 128, particle_size = 16;
};

// Two overlapping layers of a 50 x 25 grid of quads in perspective (depth and rhw vary over the
// screen), 5,000 triangles, then 200 particle quads.
inline Scene make_scene() {
  Scene s;
  const int nx = 50, ny = 25;
  for (int layer = 0; layer < 2; ++layer) {
    auto vertex = [&](int i, int j) {
      const float fx = float(i) / nx, fy = float(j) / ny;
      const float depth = 0.3f + 0.4f * fy + 0.1f * float(layer) + 0.02f * std::sin(float(i + 3 * j));
      const float rhw = 1.0f / (1.0f + 6.0f * fy);
      const std::uint32_t fog = std::uint32_t(255.0f * (1.0f - 0.8f * fy)) << 24;
      const std::uint32_t shade = 0xFF000000u | (std::uint32_t(160 + 90 * fx) << 16) | 0xC0C0u;
      return ScreenVertex{fx * screen_w, fy * screen_h, depth, rhw, shade, fog, fx * 8.0f, fy * 10.0f};
    };
    for (int j = 0; j < ny; ++j)
      for (int i = 0; i < nx; ++i) {
        const ScreenVertex a = vertex(i, j), b = vertex(i + 1, j), c = vertex(i + 1, j + 1), d = vertex(i, j + 1);
        s.ground.insert(s.ground.end(), {a, b, c, a, c, d});
      }
  }
  unsigned seed = 99;
  auto next = [&seed](int range) {
    seed = seed * 1103515245u + 12345u;
    return int((seed >> 16) % unsigned(range));
  };
  for (int k = 0; k < 200; ++k) {
    const float x = float(next(620)), y = float(next(460)), size = float(12 + next(28));
    const std::uint32_t colour = (std::uint32_t(80 + next(170)) << 24) | 0xFFA060u;
    auto v = [&](float dx, float dy) {
      return ScreenVertex{x + dx * size, y + dy * size, 0.2f, 1.0f, colour, 0xFF000000u, dx, dy};
    };
    s.particles.insert(s.particles.end(), {v(0, 0), v(1, 0), v(1, 1), v(0, 0), v(1, 1), v(0, 1)});
  }
  s.ground_texels.resize(std::size_t(s.ground_size) * s.ground_size);
  for (int y = 0; y < s.ground_size; ++y)
    for (int x = 0; x < s.ground_size; ++x)
      s.ground_texels[std::size_t(y) * s.ground_size + x] =
          std::uint16_t(((x * 31 / s.ground_size) << 11) | (((x ^ y) & 63) << 5) | ((y * 31 / s.ground_size)));
  s.particle_texels.resize(std::size_t(s.particle_size) * s.particle_size);
  for (int y = 0; y < s.particle_size; ++y)
    for (int x = 0; x < s.particle_size; ++x) {
      const int v = std::max(0, 31 - int(4 * std::hypot(float(x) - 7.5f, float(y) - 7.5f)));
      s.particle_texels[std::size_t(y) * s.particle_size + x] = std::uint16_t((v << 11) | ((v * 2) << 5) | v);
    }
  return s;
}

inline const Scene& scene() {
  static const Scene s = make_scene();
  return s;
}

// Draws the scene with a device of the given threads; each frame ends when every pixel is drawn,
// as it must before it is shown.
inline void raster_scene(benchmark::State& state, int threads) {
  static bool said = false;
  if (!said) {
    std::printf("raster threads %d\n", threads);
    said = true;
  }
  const Scene& s = scene();
  std::vector<std::uint16_t> target(std::size_t(screen_w) * screen_h);
  platform::raster::Device d(threads);
  d.create_depth_buffer(screen_w, screen_h);
  d.set_target({target.data(), screen_w, screen_h, screen_w});
  d.set_viewport({0, 0, screen_w, screen_h});
  auto ground = platform::raster::Texture::create(s.ground_size, s.ground_size);
  std::copy(s.ground_texels.begin(), s.ground_texels.end(), ground->texels());
  auto particle = platform::raster::Texture::create(s.particle_size, s.particle_size);
  std::copy(s.particle_texels.begin(), s.particle_texels.end(), particle->texels());
  d.set_state(State::TextureFilter, platform::raster::filter_linear);
  d.set_state(State::FogColour, 0xFF8090A0);
  d.set_state(State::CullMode, platform::raster::cull_none);
  auto frame = [&] {
    d.clear_depth(0, 0, screen_w, screen_h);
    d.set_texture(ground.get());
    d.set_state(State::FogEnable, 1);
    d.set_state(State::AlphaBlendEnable, 0);
    d.set_state(State::ZWriteEnable, 1);
    d.draw(Primitive::TriangleList, s.ground.data(), int(s.ground.size()));
    d.set_texture(particle.get());
    d.set_state(State::FogEnable, 0);
    d.set_state(State::AlphaBlendEnable, 1);
    d.set_state(State::SrcBlend, std::uint32_t(Blend::SrcAlpha));
    d.set_state(State::DestBlend, std::uint32_t(Blend::One));
    d.set_state(State::ZWriteEnable, 0);
    d.draw(Primitive::TriangleList, s.particles.data(), int(s.particles.size()));
    d.finish();
  };
  frame();  // the pool's threads start outside the measured frames
  for (auto _ : state) {
    frame();
    benchmark::DoNotOptimize(target.data());
  }
}

#if QORV_HAVE_OSMESA

// Pre-transformed vertices in OpenGL: (x w, y w, z w, w) through a projection that maps screen
// pixels and depth 0..1 to clip space, so interpolation is perspective-correct as in ours.
inline void submit(const std::vector<ScreenVertex>& v, bool fog) {
  std::vector<float> pos, tex, fogc;
  std::vector<std::uint8_t> col;
  for (const ScreenVertex& s : v) {
    const float w = 1.0f / s.rhw;
    pos.insert(pos.end(), {s.x * w, s.y * w, s.z * w, w});
    tex.insert(tex.end(), {s.u, s.v});
    col.insert(col.end(), {std::uint8_t(s.diffuse >> 16), std::uint8_t(s.diffuse >> 8), std::uint8_t(s.diffuse),
                           std::uint8_t(s.diffuse >> 24)});
    fogc.push_back(1.0f - float(s.specular >> 24) / 255.0f);
  }
  glEnableClientState(GL_VERTEX_ARRAY);
  glEnableClientState(GL_TEXTURE_COORD_ARRAY);
  glEnableClientState(GL_COLOR_ARRAY);
  glVertexPointer(4, GL_FLOAT, 0, pos.data());
  glTexCoordPointer(2, GL_FLOAT, 0, tex.data());
  glColorPointer(4, GL_UNSIGNED_BYTE, 0, col.data());
  if (fog) {
    glEnableClientState(GL_FOG_COORD_ARRAY);
    glFogCoordPointer(GL_FLOAT, 0, fogc.data());
  } else {
    glDisableClientState(GL_FOG_COORD_ARRAY);
  }
  glDrawArrays(GL_TRIANGLES, 0, GLsizei(v.size()));
}

inline GLuint upload(const std::vector<std::uint16_t>& texels, int size) {
  GLuint id = 0;
  glGenTextures(1, &id);
  glBindTexture(GL_TEXTURE_2D, id);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, size, size, 0, GL_RGB, GL_UNSIGNED_SHORT_5_6_5, texels.data());
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
  glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
  return id;
}

inline void mesa_scene(benchmark::State& state) {
  const Scene& s = scene();
  OSMesaContext ctx = OSMesaCreateContextExt(OSMESA_RGB_565, 24, 0, 0, nullptr);
  std::vector<std::uint16_t> target(std::size_t(screen_w) * screen_h);
  if (!ctx || !OSMesaMakeCurrent(ctx, target.data(), GL_UNSIGNED_SHORT_5_6_5, screen_w, screen_h)) {
    state.SkipWithError("OSMesa cannot make a 565 context here");
    if (ctx) OSMesaDestroyContext(ctx);
    return;
  }
  glViewport(0, 0, screen_w, screen_h);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(0, screen_w, screen_h, 0, 0, -1);  // depth 0..1 into -1..1, y down
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glEnable(GL_TEXTURE_2D);
  glEnable(GL_DEPTH_TEST);
  glDepthFunc(GL_LEQUAL);
  glDisable(GL_CULL_FACE);
  glDisable(GL_DITHER);
  glFogi(GL_FOG_MODE, GL_LINEAR);
  glFogf(GL_FOG_START, 0.0f);
  glFogf(GL_FOG_END, 1.0f);
  const GLfloat fog_colour[4] = {0x80 / 255.0f, 0x90 / 255.0f, 0xA0 / 255.0f, 1};
  glFogfv(GL_FOG_COLOR, fog_colour);
  glFogi(GL_FOG_COORD_SRC, GL_FOG_COORD);
  const GLuint ground = upload(s.ground_texels, s.ground_size);
  const GLuint particle = upload(s.particle_texels, s.particle_size);
  auto frame = [&] {
    glClear(GL_DEPTH_BUFFER_BIT);
    glBindTexture(GL_TEXTURE_2D, ground);
    glEnable(GL_FOG);
    glDisable(GL_BLEND);
    glDepthMask(GL_TRUE);
    submit(s.ground, true);
    glBindTexture(GL_TEXTURE_2D, particle);
    glDisable(GL_FOG);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    glDepthMask(GL_FALSE);
    submit(s.particles, false);
    glFinish();
  };
  frame();  // Mesa compiles its shaders on the first frame
  for (auto _ : state) frame();
  OSMesaDestroyContext(ctx);
}

#endif

}  // namespace bench

// Renderer state tables: render modes, the blend cache, the depth-write flag, fog and matrices.
#include <gtest/gtest.h>

#include <vector>

#include "tests/g3d/renderer_fixture.h"

namespace {

struct StateValue {
  G3dRenderState state;
  std::uint32_t value;
};

void expect_states(const std::vector<StateValue>& expected, const char* what) {
  for (const StateValue& s : expected)
    EXPECT_EQ(d3d_device.render_state(s.state), s.value) << what << " state " << s.state;
}

TEST_F(RendererTest, RenderModes) {
  struct Case {
    int mode;
    std::vector<StateValue> states;
  };
  const Case cases[] = {
      {1, {{RS_FILLMODE, 2}}},
      {2, {{RS_FILLMODE, 3}, {RS_TEXTUREMAG, 1}, {RS_TEXTUREMIN, 1}, {RS_SHADEMODE, 1}, {RS_ALPHABLENDENABLE, 0},
           {RS_SRCBLEND, 2}, {RS_DESTBLEND, 1}}},
      {4, {{RS_FILLMODE, 3}, {RS_TEXTUREMAG, 2}, {RS_TEXTUREMIN, 2}, {RS_SHADEMODE, 2}, {RS_ALPHABLENDENABLE, 0},
           {RS_SRCBLEND, 2}, {RS_DESTBLEND, 1}}},
      {7, {{RS_FILLMODE, 2}}},
      {9, {{RS_FILLMODE, 3}, {RS_TEXTUREMAG, 1}, {RS_SHADEMODE, 1}}},
      {6, {{RS_FILLMODE, 3}, {RS_TEXTUREMAG, 2}, {RS_TEXTUREMIN, 2}, {RS_COLORKEYENABLE, 0}, {RS_SHADEMODE, 2},
           {RS_TEXTUREADDRESS, 1}, {RS_ALPHABLENDENABLE, 0}, {RS_ALPHATESTENABLE, 1}, {RS_ALPHAFUNC, 7}}},
  };
  for (const Case& c : cases) {
    renderer.set_render_mode(c.mode);
    EXPECT_EQ(renderer.render_mode(), c.mode);
    expect_states(c.states, "mode");
  }
  // The same mode again changes nothing.
  renderer.set_render_mode(9);
  d3d_device.set_render_state(RS_FILLMODE, 2);
  renderer.set_render_mode(9);
  EXPECT_EQ(d3d_device.render_state(RS_FILLMODE), 2u);
}

TEST_F(RendererTest, BlendModes) {
  struct Case {
    std::uint32_t flags;
    int stored;
    std::vector<StateValue> states;
    int depth_write;
  };
  const Case cases[] = {
      {1, 1, {{RS_ALPHABLENDENABLE, 1}, {RS_SRCBLEND, 5}, {RS_DESTBLEND, 2}, {RS_ZWRITEENABLE, 0}}, 0},
      {0, 0, {{RS_ALPHABLENDENABLE, 1}, {RS_SRCBLEND, 2}, {RS_DESTBLEND, 1}, {RS_ZWRITEENABLE, 1}}, 1},
      {2, 2, {{RS_SRCBLEND, 5}, {RS_DESTBLEND, 6}, {RS_ZWRITEENABLE, 0}}, 0},
      {4, 4, {{RS_SRCBLEND, 8}, {RS_DESTBLEND, 4}}, 0},
      {0x18, 8, {{RS_SRCBLEND, 3}, {RS_DESTBLEND, 4}}, 0},  // only the low four bits count
      {3, 3, {{RS_SRCBLEND, 3}, {RS_DESTBLEND, 4}}, 0},     // no states of its own
      {0, 0, {{RS_SRCBLEND, 2}, {RS_DESTBLEND, 1}, {RS_ZWRITEENABLE, 1}}, 1},
  };
  for (const Case& c : cases) {
    renderer.set_blend_mode(c.flags);
    EXPECT_EQ(renderer.blend_mode(), c.stored) << c.flags;
    expect_states(c.states, "blend");
    EXPECT_EQ(renderer.depth_write_flag(), c.depth_write) << c.flags;
  }
}

TEST_F(RendererTest, FirstTranslucentDrawTurnsDepthWritesOff) {
  // The depth-write flag starts in step with the device, whose depth writes are on.
  EXPECT_EQ(d3d_device.render_state(RS_ZWRITEENABLE), 1u);
  renderer.set_blend_mode(1);
  EXPECT_EQ(d3d_device.render_state(RS_ZWRITEENABLE), 0u);
}

TEST_F(RendererTest, RenderModeInvalidatesTheBlendCache) {
  renderer.set_blend_mode(1);
  renderer.set_render_mode(2);  // sets ALPHABLENDENABLE 0 behind the blend cache's back
  EXPECT_EQ(d3d_device.render_state(RS_ALPHABLENDENABLE), 0u);
  renderer.set_blend_mode(1);  // must send its states again
  EXPECT_EQ(d3d_device.render_state(RS_ALPHABLENDENABLE), 1u);
  EXPECT_EQ(d3d_device.render_state(RS_SRCBLEND), 5u);
  // Paths that set the states themselves say so.
  d3d_device.set_render_state(RS_ALPHABLENDENABLE, 0);
  renderer.invalidate_blend_cache();
  renderer.set_blend_mode(1);
  EXPECT_EQ(d3d_device.render_state(RS_ALPHABLENDENABLE), 1u);
}

TEST_F(RendererTest, FogWord) {
  EXPECT_EQ(renderer.fog_of(0.5f), 0xFF000000u);  // vertex fog off
  const ChartRecord chart{0.5f, 0.25f, 1.0f, 100, 400, 0.01f};
  EXPECT_EQ(set_chart_map(&chart), 0);
  EXPECT_EQ(d3d_device.render_state(RS_FOGENABLE), 1u);
  EXPECT_EQ(d3d_device.render_state(RS_FOGCOLOR), 0xFF7F3FFFu);
  struct Case {
    float depth;  // c = depth - (1.01 - 0.01) = depth - 1: the bias 0.01 makes c = depth - 1
    std::uint32_t top_byte;
  };
  const Case cases[] = {
      {1.25f, 255},   // at the start: no fog
      {1.1f, 255},    // before the start
      {1.625f, 127},  // halfway
      {2.0f, 0},      // at the end: full fog
      {3.0f, 0},      // beyond the end: full fog, not clear
  };
  for (const Case& c : cases) EXPECT_EQ(renderer.fog_of(c.depth) >> 24, c.top_byte) << c.depth;

  // End 0: device fog off, the vertex fog of the last chart stays until switched off.
  const ChartRecord none{0, 0, 0, 0, 0, 0};
  set_chart_map(&none);
  EXPECT_EQ(d3d_device.render_state(RS_FOGENABLE), 0u);
  EXPECT_EQ(renderer.fog_of(1.625f) >> 24, 127u);
  g3d_enable_fog(0);
  EXPECT_EQ(renderer.fog_of(1.625f), 0xFF000000u);
  set_chart_map(nullptr);
  EXPECT_EQ(d3d_device.render_state(RS_FOGENABLE), 0u);
}

TEST_F(RendererTest, MatrixHelpers) {
  G3dMatrix a, b;
  renderer.identity_matrix(&a);
  renderer.rotate_matrix(&a, 0, 90, 0);
  renderer.identity_matrix(&b);
  g3d_mat_rotate_y(90, &b);
  for (int i = 0; i < 16; ++i) EXPECT_EQ(a.m[i], b.m[i]);

  G3dMatrix m, expected;
  renderer.make_matrix(&m, 1, 2, 3, 10, 20, 30);
  g3d_mat_identity(&expected);
  g3d_mat_rotate_x(10, &expected);
  g3d_mat_rotate_y(20, &expected);
  g3d_mat_rotate_z(30, &expected);
  g3d_mat_set_translation(1, 2, 3, &expected);
  for (int i = 0; i < 16; ++i) EXPECT_EQ(m.m[i], expected.m[i]);

  renderer.make_scale_matrix(&m, 0, 0, 0, 2, 3, 4, 0, 0, 0);
  EXPECT_EQ(m.m[0], 2);
  EXPECT_EQ(m.m[10], 4);
  renderer.translate_matrix(&m, 5, 6, 7);
  EXPECT_EQ(m.m[3], 5);
  EXPECT_EQ(m.m[11], 7);
  renderer.scale_matrix(&m, 2, 2, 2);
  EXPECT_EQ(m.m[5], 6);
  EXPECT_EQ(m.m[3], 5);
}

TEST_F(RendererTest, InitViewAndPresentCounters) {
  EXPECT_EQ(g3d_view_get_current(), &renderer.view());
  EXPECT_EQ(renderer.view().eye.z, -500.0f);
  renderer.count_model(9);
  EXPECT_EQ(renderer.get_model_count(), 1);
  renderer.present();
  EXPECT_EQ(renderer.get_model_count(), 0);
  EXPECT_EQ(renderer.corners_drawn(), 0);
  EXPECT_EQ(renderer.override_color(), 0xFFFFFFFFu);
  EXPECT_EQ(renderer.texture_budget(), 0xA00000u);
}

}  // namespace

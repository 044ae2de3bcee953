// The 3D device: start-up states, viewport, texture binding and the face counter.
#include <gtest/gtest.h>

#include "g3d/grp3d_device.h"
#include "platform/message_box.h"
#include "tests/g3d/renderer_fixture.h"

namespace {

using platform::raster::Primitive;
using platform::raster::ScreenVertex;

TEST_F(RendererTest, DefaultStatesAfterInit) {
  struct Case {
    G3dRenderState state;
    std::uint32_t value;
  };
  // The device defaults; the renderer's mode 6 then turns filtering and Gouraud shading on.
  const Case cases[] = {{RS_TEXTUREPERSPECTIVE, 1}, {RS_ZENABLE, 1},    {RS_ZWRITEENABLE, 1},
                        {RS_ZFUNC, 4},              {RS_CULLMODE, 3},   {RS_FILLMODE, 3},
                        {RS_SHADEMODE, 2},          {RS_TEXTUREMAG, 2}, {RS_ALPHATESTENABLE, 1}};
  for (const Case& c : cases) EXPECT_EQ(d3d_device.render_state(c.state), c.value) << c.state;
  G3dViewport2 vp;
  d3d_device.get_view_port(&vp);
  EXPECT_EQ(vp.size, 44u);
  EXPECT_EQ(vp.width, std::uint32_t(width));
  EXPECT_EQ(vp.clip_height, float(height));
  EXPECT_EQ(vp.max_z, 1.0f);
  EXPECT_EQ(d3d_device.texture_mask(1), 0x07E0u);
  EXPECT_EQ(d3d_device.default_texture().width, 32u);
  EXPECT_EQ(d3d_device.default_texture().surface[0], 0xFFFF);
}

TEST_F(RendererTest, ViewportRefusesEmptySizes) {
  EXPECT_EQ(d3d_device.set_view_port(0, 0, 0, 10), 0);
  EXPECT_EQ(d3d_device.set_view_port(0, 0, 10, -1), 0);
  G3dViewport2 vp;
  d3d_device.get_view_port(&vp);
  EXPECT_EQ(vp.width, std::uint32_t(width));
  EXPECT_EQ(d3d_device.set_view_port(10, 20, 30, 40), 1);
  d3d_device.get_view_port(&vp);
  EXPECT_EQ(vp.x, 10u);
  EXPECT_EQ(vp.height, 40u);
}

TEST_F(RendererTest, FacesAreCountedByPrimitiveType) {
  struct Case {
    Primitive type;
    int count;
    std::uint32_t faces;
  };
  const Case cases[] = {{Primitive::LineList, 2, 0},     {Primitive::LineStrip, 4, 0},
                        {Primitive::TriangleFan, 4, 2},  {Primitive::TriangleList, 6, 2},
                        {Primitive::TriangleList, 7, 2}, {Primitive::TriangleFan, 1, 0}};
  std::vector<ScreenVertex> v(8, ScreenVertex{10, 10, 0.5f, 1, 0xFFFFFFFF, 0xFF000000, 0, 0});
  for (const Case& c : cases) {
    g3d_faces_drawn = 0;
    d3d_device.draw_primitive(c.type, g3d_vertex_format, v.data(), c.count, draw_wait);
    EXPECT_EQ(g3d_faces_drawn, c.faces) << int(c.type) << " " << c.count;
  }
  const std::uint16_t idx[9] = {0, 1, 2, 3, 4, 5, 6, 7, 0};
  g3d_faces_drawn = 0;
  d3d_device.draw_indexed_primitive(Primitive::TriangleList, g3d_vertex_format, v.data(), 8, idx, 9, draw_wait);
  EXPECT_EQ(g3d_faces_drawn, 3u);
}

TEST_F(RendererTest, NullTextureDrawsVertexColoursAndKeyFollowsTheTexture) {
  G3dTexture keyed{};
  ASSERT_EQ(d3d_device.create_texture_buffer(&keyed, 4, 4, 16, 0x1111, 1), 1);
  EXPECT_EQ(keyed.surface[5], 0x1111);  // filled with the key
  d3d_device.set_texture(&keyed, 0);
  EXPECT_EQ(d3d_device.render_state(RS_COLORKEYENABLE), 1u);
  d3d_device.set_texture(nullptr, 0);
  EXPECT_EQ(d3d_device.render_state(RS_COLORKEYENABLE), 0u);
  const ScreenVertex quad[4] = {{0, 0, 0.5f, 1, 0xFFF80000, 0xFF000000, 0, 0},
                                {8, 0, 0.5f, 1, 0xFFF80000, 0xFF000000, 0, 0},
                                {8, 8, 0.5f, 1, 0xFFF80000, 0xFF000000, 0, 0},
                                {0, 8, 0.5f, 1, 0xFFF80000, 0xFF000000, 0, 0}};
  d3d_device.draw_primitive(Primitive::TriangleFan, g3d_vertex_format, quad, 4, draw_wait);
  EXPECT_EQ(at(3, 3), 0xF800);
  d3d_device.release_texture(&keyed);
  EXPECT_EQ(keyed.texture, nullptr);
  d3d_device.release_texture(&keyed);  // twice is harmless
}

TEST_F(RendererTest, TextureOfUnsupportedDepthFailsWithItsMessage) {
  platform::clear_recorded_boxes();
  G3dTexture t{};
  EXPECT_EQ(d3d_device.create_texture_buffer(&t, 4, 4, 8, 0, 0), 0);
  EXPECT_EQ(d3d_device.create_texture_buffer(&t, 0, 4, 16, 0, 0), 0);
  ASSERT_EQ(platform::recorded_boxes().size(), 2u);
  EXPECT_EQ(platform::recorded_boxes()[0].caption, "\xbf\xf9\xbb\x7e");
}

TEST(DeviceInit, FailsWhenTheDisplayCannotBeSetUp) {
  platform::reset_display_config();
  platform::clear_recorded_boxes();
  GRP3Ddraw device;
  // No display mode of this size: the display fails and so does the device, with its message.
  EXPECT_EQ(device.init(nullptr, &display_device, 0, DDRAW_WINDOWED, 2, 123, 45, 16), 0);
  ASSERT_FALSE(platform::recorded_boxes().empty());
  EXPECT_EQ(platform::recorded_boxes().back().text, "GRP3Ddraw::chose_Ddraw_driver\xa5\xa2\xb1\xd1");
  device.release();
  display_device.release();
}

TEST_F(RendererTest, DepthBufferFailureIsReported) {
  platform::clear_recorded_boxes();
  EXPECT_EQ(d3d_device.create_z_buffer(0, 0), 0);
  ASSERT_EQ(platform::recorded_boxes().size(), 1u);
  EXPECT_NE(platform::recorded_boxes()[0].text.find("GRP3Ddraw::create_z_buffer"), std::string::npos);
}

TEST(DeviceInit, DrawsNothingWithoutAnInit) {
  GRP3Ddraw device;
  const ScreenVertex v[3] = {};
  EXPECT_EQ(device.draw_primitive(Primitive::TriangleList, g3d_vertex_format, v, 3, 0), 0);
}

}  // namespace

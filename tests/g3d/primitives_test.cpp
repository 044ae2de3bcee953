// Primitives and image drawing through the renderer into the back buffer.
#include <gtest/gtest.h>

#include "gfx2d/sprite_blitter.h"
#include "platform/display.h"
#include "tests/fixtures/rle_writer.h"
#include "tests/g3d/renderer_fixture.h"

namespace {

std::vector<std::uint8_t> gradient_picture(int w, int h) {
  return rle_picture(w, h, [w, h](int x, int y) { return ((x * 31 / w) << 11) | ((y * 63 / h) << 5) | 8; });
}

G3dMatrix identity() {
  G3dMatrix m;
  g3d_mat_identity(&m);
  return m;
}

TEST_F(RendererTest, RectFillOutlineAndFarDepth) {
  renderer.draw_rect(10, 10, 20, 10, 0xFFFF0000, 0);
  EXPECT_EQ(at(15, 15), 0xF800);
  EXPECT_EQ(at(30, 15), 0x1234);  // right edge excluded
  renderer.draw_rect(50, 10, 20, 10, 0xFF00FF00, G3D_OUTLINE);
  EXPECT_EQ(at(50, 10), 0x07E0);
  EXPECT_EQ(at(60, 15), 0x1234);  // no fill
  // At the far depth a rectangle stays unfogged: its specular word is not the fog of its depth.
  const ChartRecord chart{1, 1, 1, 0, 100, 0};
  set_chart_map(&chart);
  renderer.draw_rect(0, 40, 20, 10, 0xFF0000FF, G3D_FAR_DEPTH);
  EXPECT_EQ(at(5, 45), 0x001F);
  // A near rectangle passes the depth test in front of it.
  renderer.draw_rect(0, 40, 10, 10, 0xFFFFFF00, 0);
  EXPECT_EQ(at(5, 45), 0xFFE0);
}

TEST_F(RendererTest, ImageCoversTwoMorePixelsRightAndDown) {
  const auto pic = gradient_picture(64, 32);
  const G3dMatrix m = identity();
  renderer.draw_image(&m, 1, pic.data(), nullptr, 0xFFFFFFFF, 0);
  EXPECT_NE(at(65, 33), 0x1234);
  EXPECT_EQ(at(66, 10), 0x1234);
  EXPECT_EQ(at(10, 34), 0x1234);
  EXPECT_EQ(renderer.get_texture_count(), 1);
  EXPECT_EQ(renderer.texture_at(0)->key, 100001u);
}

TEST_F(RendererTest, MirroredSourceRectangle) {
  const auto pic = rle_picture(8, 8, [](int x, int) { return x < 4 ? 0xF800 : 0x001F; });
  G3dMatrix m = identity();
  renderer.set_render_mode(2);  // nearest, as the title screen draws pictures
  const G3dRect mirrored{8, 0, 0, 8};
  renderer.draw_image(&m, 2, pic.data(), &mirrored, 0xFFFFFFFF, 0);
  EXPECT_EQ(at(1, 4), 0x001F);  // the right half of the picture on the left
  EXPECT_EQ(at(6, 4), 0xF800);
}

TEST_F(RendererTest, OverrideColourTintsImagesOnly) {
  const auto pic = rle_picture(8, 8, [](int, int) { return 0xFFFF; });
  G3dMatrix m = identity();
  renderer.set_override_color(0xFF0000FF);
  renderer.draw_image(&m, 3, pic.data(), nullptr, 0xFFFFFFFF, 0);
  EXPECT_EQ(at(3, 3), 0x001F);
  renderer.draw_rect(20, 0, 8, 8, 0xFFFFFFFF, 0);
  EXPECT_EQ(at(23, 3), 0xFFFF);
}

TEST_F(RendererTest, OnlySixteenBitRunLengthPicturesAreDrawn) {
  const auto raw = raw_picture(8, 8, 0xFFFF);
  G3dMatrix m = identity();
  renderer.draw_image(&m, 4, raw.data(), nullptr, 0xFFFFFFFF, 0);
  EXPECT_EQ(at(3, 3), 0x1234);
  EXPECT_EQ(renderer.get_texture_count(), 0);
}

TEST_F(RendererTest, BillboardBehindTheCameraIsNotDrawn) {
  renderer.look_at(0, 0, -200, 1, 0, 0, 0, 1);
  const auto pic = gradient_picture(16, 16);
  G3dMatrix m = identity();
  g3d_mat_set_translation(0, 0, -400, &m);  // behind the eye
  renderer.draw_image(&m, 5, pic.data(), nullptr, 0xFFFFFFFF, G3D_IMAGE_IN_SCENE);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) ASSERT_EQ(at(x, y), 0x1234);
  g3d_mat_set_translation(0, 0, 200, &m);  // in front: drawn
  renderer.draw_billboard(&m, 5, pic.data(), nullptr, 0xFFFFFFFF, 0);
  int drawn = 0;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) drawn += at(x, y) != 0x1234;
  EXPECT_GT(drawn, 0);
}

TEST_F(RendererTest, SceneReference) {
  renderer.look_at(900, 1200, -2400, 1, 0, 0, 0, 1);
  renderer.draw_rect(0, 0, width, height, 0, G3D_FAR_DEPTH);
  const ChartRecord chart{0.6f, 0.7f, 0.8f, 0, 900, 0.5f};
  set_chart_map(&chart);

  // A textured floor of two triangles.
  const auto floor_pic = rle_picture(16, 16, [](int x, int y) { return ((x ^ y) & 4) ? 0x8410 : 0x4A69; });
  G3dVertex floor[6] = {};
  const float corners[4][4] = {{-300, -300, 0, 0}, {300, -300, 4, 0}, {300, 300, 4, 4}, {-300, 300, 0, 4}};
  const int order[6] = {0, 3, 2, 0, 2, 1};
  for (int i = 0; i < 6; ++i) {
    const float* c = corners[order[i]];
    floor[i].x = c[0];
    floor[i].z = c[1];
    floor[i].u = c[2];
    floor[i].v = c[3];
    floor[i].colour = 0xFFFFFFFF;
  }
  G3dMatrix m = identity();
  renderer.draw_triangles(&m, floor, 6, floor_pic.data(), 10, 0);

  // A solid and a wire box, a line, a translucent triangle, a billboard and a screen picture.
  const G3dBox box{{-40, 0, -40, 0}, {40, 80, 40, 0}};
  renderer.draw_solid_box(&m, &box, 0xFFC06030, 0);
  G3dMatrix moved = identity();
  g3d_mat_set_translation(150, 0, 100, &moved);
  renderer.draw_wire_box(&moved, &box, 0xFF30FF30, 0);
  renderer.draw_line({-200, 5, -200, 1}, {200, 5, 200, 1}, 0xFFFFFF00);
  renderer.draw_triangle({-200, 0, 150, 1}, {-100, 150, 150, 1}, {0, 0, 150, 1}, 0x80FF00FF, 2);
  const auto sprite = rle_picture(16, 24, [](int x, int y) {
    const int dx = x - 8, dy = y - 12;
    return dx * dx + dy * dy > 60 ? -1 : 0xFFE0 - (y << 6);
  });
  G3dMatrix at_point = identity();
  g3d_mat_set_translation(-150, 0, -100, &at_point);
  renderer.draw_image(&at_point, 11, sprite.data(), nullptr, 0xFFFFFFFF, G3D_IMAGE_IN_SCENE);
  G3dMatrix screen = identity();
  g3d_mat_set_translation(120, 90, 0, &screen);
  g3d_enable_fog(0);
  renderer.draw_image(&screen, 11, sprite.data(), nullptr, 0xC0FFFFFF, 2);
  renderer.draw_screen_triangle(5, 100, 30, 100, 5, 115, 0xFF2080FF, 0);

  const std::string failure = test_support::compare_with_reference("renderer_scene", frame());
  EXPECT_TRUE(failure.empty()) << failure;
}

}  // namespace

namespace {

TEST_F(RendererTest, TwoDDrawingInterleavesWithThreeDDraws) {
  renderer.draw_rect(0, 0, width, height, 0, G3D_FAR_DEPTH);
  renderer.draw_rect(10, 10, 40, 20, 0xFFFF0000, 0);
  std::uint16_t* pixels = renderer.lock_back_buffer();
  ASSERT_NE(pixels, nullptr);
  auto picture = fixtures::RleWriter(4, 1).literal({0x07E0, 0x07E0, 0x07E0, 0x07E0}).end_row().finish();
  sprite_blitter.blit_source = picture.data();
  put_pic(20, 15, 4, 1, 0, 0);
  renderer.unlock_back_buffer(pixels);
  renderer.draw_rect(30, 10, 40, 20, 0xFF0000FF, 0);  // over the sprite's right half
  renderer.present();
  auto shown = platform::last_presented_frame();
  ASSERT_TRUE(shown);
  EXPECT_EQ(shown->pixels[15 * shown->width + 12], 0xF800);
  EXPECT_EQ(shown->pixels[15 * shown->width + 21], 0x07E0);
  EXPECT_EQ(shown->pixels[15 * shown->width + 35], 0x001F);
  EXPECT_EQ(shown->pixels[5 * shown->width + 5], 0x0000);
}

}  // namespace

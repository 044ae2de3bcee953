// Queued 3D draws and everything else that touches the display's surfaces: a 2D blit between two
// draw calls, a lock in the middle of the frame and the present each see every triangle
// submitted before them and none submitted after.
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <vector>

#include "platform/display.h"
#include "platform/raster/raster.h"
#include "tests/platform/raster/raster_fixture.h"

namespace {

using platform::raster::Primitive;
using test_support::ScreenVertex;
using test_support::sv;

constexpr std::uint16_t red = 0xF800, green = 0x07E0, blue = 0x001F, white = 0xFFFF;

// A screen-wide band of rows y0..y1 in one colour, in front of everything drawn before (z falls
// with each band).
std::vector<ScreenVertex> band(float y0, float y1, std::uint32_t colour, float z) {
  return {sv(-1, y0, colour, z), sv(641, y0, colour, z), sv(641, y1, colour, z),
          sv(-1, y0, colour, z), sv(641, y1, colour, z), sv(-1, y1, colour, z)};
}

class QueuedDrawOrder : public ::testing::TestWithParam<int> {
 protected:
  void SetUp() override {
    setenv("QORV_BACKEND", "headless", 1);
    platform::reset_display_config();
    display_ = platform::DisplayDevice::create(nullptr);
    ASSERT_TRUE(display_->set_cooperative_level(nullptr, platform::coop_normal));
    primary_ = display_->create_primary(0, platform::SurfaceMemory::System);
    back_ = display_->create_offscreen(640, 480, platform::SurfaceMemory::System);
    sprite_ = display_->create_offscreen(640, 40, platform::SurfaceMemory::System);
    ASSERT_TRUE(primary_ && back_ && sprite_);
    ASSERT_EQ(sprite_->colour_fill(nullptr, green), platform::DisplayResult::Ok);
    ASSERT_EQ(back_->colour_fill(nullptr, 0), platform::DisplayResult::Ok);
    device_ = std::make_unique<platform::raster::Device>(GetParam());
    device_->create_depth_buffer(640, 480);
    device_->set_viewport({0, 0, 640, 480});
    device_->set_state(platform::raster::State::CullMode, platform::raster::cull_none);
  }

  // One draw call into the back surface, locked the way the 3D device locks it.
  void draw(const std::vector<ScreenVertex>& v) {
    platform::LockedPixels px;
    ASSERT_EQ(back_->lock_for_queued_drawing(px), platform::DisplayResult::Ok);
    device_->set_target({px.pixels, px.width, px.height, px.pitch / 2});
    device_->draw(Primitive::TriangleList, v.data(), int(v.size()));
    device_->set_target({});
    back_->unlock();
  }

  static std::uint16_t at(const platform::LockedPixels& px, int x, int y) {
    return px.pixels[std::size_t(y) * std::size_t(px.pitch / 2) + std::size_t(x)];
  }

  std::unique_ptr<platform::DisplayDevice> display_;
  std::unique_ptr<platform::Surface> primary_, back_, sprite_;
  std::unique_ptr<platform::raster::Device> device_;
};

TEST_P(QueuedDrawOrder, BlitLockAndPresentSeeExactlyTheDrawsBeforeThem) {
  // Red over rows 100..300, then a 2D blit of green over rows 180..220, then blue over 200..400.
  draw(band(100, 300, 0xFFFF0000, 0.9f));
  const platform::Rect strip{0, 180, 640, 220};
  ASSERT_EQ(back_->blt(&strip, sprite_.get(), nullptr), platform::DisplayResult::Ok);
  draw(band(200, 400, 0xFF0000FF, 0.5f));

  // A lock in the middle of the frame: red, the green blit over it, blue over both.
  platform::LockedPixels px;
  ASSERT_EQ(back_->lock(px), platform::DisplayResult::Ok);
  for (int x : {0, 63, 64, 320, 639}) {
    EXPECT_EQ(at(px, x, 50), 0) << x;
    EXPECT_EQ(at(px, x, 150), red) << x;
    EXPECT_EQ(at(px, x, 190), green) << x;
    EXPECT_EQ(at(px, x, 210), blue) << x;
    EXPECT_EQ(at(px, x, 350), blue) << x;
    EXPECT_EQ(at(px, x, 450), 0) << x;
  }
  back_->unlock();

  // White after the lock over rows 0..40: not in the lock, in the present.
  draw(band(0, 40, 0xFFFFFFFF, 0.1f));
  ASSERT_EQ(primary_->blt(nullptr, back_.get(), nullptr), platform::DisplayResult::Ok);
  const auto shown = platform::last_presented_frame();
  ASSERT_TRUE(shown);
  const auto pixel = [&](int x, int y) { return shown->pixels[std::size_t(y) * 640 + std::size_t(x)]; };
  for (int x : {0, 320, 639}) {
    EXPECT_EQ(pixel(x, 20), white) << x;
    EXPECT_EQ(pixel(x, 150), red) << x;
    EXPECT_EQ(pixel(x, 190), green) << x;
    EXPECT_EQ(pixel(x, 250), blue) << x;
  }
}

TEST_P(QueuedDrawOrder, DepthClearsAndTextureWritesKeepCallOrder) {
  // A near band writes depth; a cleared depth buffer lets a far band draw over it.
  draw(band(0, 480, 0xFFFF0000, 0.2f));
  device_->clear_depth(0, 0, 640, 480);
  // The texture is rewritten after a draw that reads it: the draw keeps the old texels.
  auto tex = platform::raster::Texture::create(4, 4);
  std::fill_n(tex->texels(), 16, blue);
  device_->set_texture(tex.get());
  draw(band(0, 240, 0xFFFFFFFF, 0.8f));
  std::fill_n(tex->texels(), 16, green);
  draw(band(240, 480, 0xFFFFFFFF, 0.8f));
  device_->set_texture(nullptr);
  EXPECT_EQ(device_->depth_buffer()[100 * 640 + 5], 0.8f);
  platform::LockedPixels px;
  ASSERT_EQ(back_->lock(px), platform::DisplayResult::Ok);
  EXPECT_EQ(at(px, 5, 100), blue);
  EXPECT_EQ(at(px, 5, 300), green);
  back_->unlock();
}

INSTANTIATE_TEST_SUITE_P(Threads, QueuedDrawOrder, ::testing::Values(1, 2, 8),
                         [](const ::testing::TestParamInfo<int>& info) {
                           return "threads" + std::to_string(info.param);
                         });

}  // namespace

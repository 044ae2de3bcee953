#pragma once
// The 3D device and the renderer brought up on the headless display device, and the texture
// pictures of the data kit.
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <vector>

#include "gfx2d/cddraw.h"
#include "g3d/grp3d_device.h"
#include "g3d/renderer.h"
#include "platform/display.h"
#include "platform/window.h"
#include "tests/fixtures/texture_picture_kit.h"
#include "tests/platform/raster/reference_image.h"

class RendererTest : public ::testing::Test {
 protected:
  static constexpr int width = 160, height = 120;

  void SetUp() override {
    platform::reset_display_config();
    platform::display_config().modes.push_back({width, height, 16});  // a small screen
    window_ = platform::create_window({"QORV", platform::default_window_proc}, "QORV", width, height);
    ASSERT_EQ(d3d_device.init(window_, &display_device, 0, DDRAW_WINDOWED, 2, width, height, 16), 1);
    ASSERT_EQ(renderer.init(&d3d_device), 1);
    renderer.set_viewport(0, 0, width, height, 10.0f, 200.0f, 10000.0f);
    back()->colour_fill(nullptr, 0x1234);
  }
  void TearDown() override {
    renderer.release();
    d3d_device.release();
    display_device.release();
    platform::free_window(window_);
  }
  platform::Surface* back() const { return display_device.get_surface(DDRAW_BACK_SURFACE); }
  std::vector<std::uint16_t> pixels() const {
    std::vector<std::uint16_t> out(std::size_t(width) * height);
    platform::LockedPixels locked;
    if (back()->lock(locked) != platform::DisplayResult::Ok) return out;
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x) out[std::size_t(y) * width + x] = locked.pixels[y * (locked.pitch / 2) + x];
    back()->unlock();
    return out;
  }
  std::uint16_t at(int x, int y) const { return pixels()[std::size_t(y) * width + x]; }
  test_support::Frame565 frame() const { return {width, height, pixels()}; }

  platform::Window* window_ = nullptr;
};

inline std::vector<std::uint8_t> rle_picture(int w, int h, const std::function<int(int, int)>& pixel) {
  return fixtures::rle_texture_picture(w, h, pixel);
}
inline std::vector<std::uint8_t> raw_picture(int w, int h, std::uint16_t colour) {
  return fixtures::raw_texture_picture(w, h, colour);
}

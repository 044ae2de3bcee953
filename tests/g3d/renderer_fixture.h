#pragma once
// The 3D device and the renderer brought up on the display device with a back buffer in memory,
// and a small run-length picture writer.
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <vector>

#include "app/pending.h"
#include "g3d/display_seam.h"
#include "g3d/grp3d_device.h"
#include "g3d/renderer.h"
#include "tests/fixtures/texture_picture_kit.h"
#include "tests/platform/raster/reference_image.h"

class RendererTest : public ::testing::Test {
 protected:
  static constexpr int width = 160, height = 120;

  void SetUp() override {
    back_.assign(std::size_t(width) * height, 0x1234);
    const BackPixels back{back_.data(), width, height, width};
    display_set_memory_back(&back);
    ASSERT_EQ(d3d_device.init(nullptr, &display_device, 0, 20001, 2, width, height, 16), 1);
    ASSERT_EQ(renderer.init(&d3d_device), 1);
    renderer.set_viewport(0, 0, width, height, 10.0f, 200.0f, 10000.0f);
  }
  void TearDown() override {
    renderer.release();
    d3d_device.release();
    display_set_memory_back(nullptr);
  }
  std::uint16_t at(int x, int y) const { return back_[std::size_t(y) * width + x]; }
  test_support::Frame565 frame() const { return {width, height, back_}; }

  std::vector<std::uint16_t> back_;
};

inline std::vector<std::uint8_t> rle_picture(int w, int h, const std::function<int(int, int)>& pixel) {
  return fixtures::rle_texture_picture(w, h, pixel);
}
inline std::vector<std::uint8_t> raw_picture(int w, int h, std::uint16_t colour) {
  return fixtures::raw_texture_picture(w, h, colour);
}

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

// A 16-bit run-length picture; pixel(x, y) < 0 is transparent.
inline std::vector<std::uint8_t> rle_picture(int w, int h, const std::function<int(int, int)>& pixel) {
  std::vector<std::uint16_t> words{0xFFFF, std::uint16_t(w), std::uint16_t(h), 16};
  bool transparent = false;
  for (int y = 0; y < h; ++y) {
    const std::size_t header = words.size();
    words.push_back(0);
    int x = 0;
    while (x < w) {
      const bool clear = pixel(x, y) < 0;
      int n = 0;
      while (x + n < w && (pixel(x + n, y) < 0) == clear) ++n;
      if (clear) {
        transparent = true;
        words.push_back(std::uint16_t(0xC000 | n));
      } else {
        words.push_back(std::uint16_t(n));
        for (int i = 0; i < n; ++i) words.push_back(std::uint16_t(pixel(x + i, y)));
      }
      x += n;
    }
    words.push_back(0);
    words[header] = std::uint16_t(((words.size() - header) * 2) | (pixel(0, y) >= 0 ? 0x8000 : 0));
  }
  words.push_back(0);
  if (transparent) words[3] |= 0x8000;
  std::vector<std::uint8_t> bytes;
  for (std::uint16_t v : words) {
    bytes.push_back(std::uint8_t(v));
    bytes.push_back(std::uint8_t(v >> 8));
  }
  return bytes;
}

// A raw picture: width, height, depth 16, then the pixels.
inline std::vector<std::uint8_t> raw_picture(int w, int h, std::uint16_t colour) {
  std::vector<std::uint8_t> bytes;
  auto put = [&bytes](std::uint16_t v) {
    bytes.push_back(std::uint8_t(v));
    bytes.push_back(std::uint8_t(v >> 8));
  };
  put(std::uint16_t(w));
  put(std::uint16_t(h));
  put(16);
  for (int i = 0; i < w * h; ++i) put(colour);
  return bytes;
}

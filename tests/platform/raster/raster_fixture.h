#pragma once
// A small target, depth buffer and device for rasterizer tests, with vertex and texture helpers.
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/raster/raster.h"
#include "tests/platform/raster/reference_image.h"

namespace test_support {

using platform::raster::ScreenVertex;

inline ScreenVertex sv(float x, float y, std::uint32_t diffuse = 0xFFFFFFFF, float z = 0.5f, float rhw = 1.0f,
                       float u = 0, float v = 0, std::uint32_t specular = 0xFF000000) {
  return {x, y, z, rhw, diffuse, specular, u, v};
}

class RasterTarget {
 public:
  RasterTarget(int width, int height, std::uint16_t fill = 0,
               int threads = platform::raster::default_raster_threads())
      : width_(width), height_(height), device_(threads) {
    pixels_.assign(std::size_t(width) * height, fill);
    device_.create_depth_buffer(width, height);
    device_.set_target({pixels_.data(), width, height, width});
    device_.set_viewport({0, 0, width, height});
    device_.set_state(platform::raster::State::CullMode, platform::raster::cull_none);
  }
  platform::raster::Device& device() { return device_; }
  // Reading the pixels waits for the device's queued draws, as the display's surfaces do.
  std::uint16_t at(int x, int y) const {
    device_.finish();
    return pixels_[std::size_t(y) * width_ + x];
  }
  std::uint16_t* pixels() {
    device_.finish();
    return pixels_.data();
  }
  int width() const { return width_; }
  int height() const { return height_; }
  Frame565 frame() const {
    device_.finish();
    return {width_, height_, pixels_};
  }
  // The rows as '#' (pixel differs from the background) and '.', top row first.
  std::vector<std::string> mask(std::uint16_t background = 0) const {
    std::vector<std::string> rows;
    for (int y = 0; y < height_; ++y) {
      std::string row;
      for (int x = 0; x < width_; ++x) row += at(x, y) == background ? '.' : '#';
      rows.push_back(row);
    }
    return rows;
  }

 private:
  int width_, height_;
  std::vector<std::uint16_t> pixels_;
  mutable platform::raster::Device device_;
};

// A size x size RGB565 texture: a checkerboard of two colours with a gradient, so filtering and
// addressing show.
inline std::unique_ptr<platform::raster::Texture> checker_texture(int width, int height, int cell = 4) {
  auto t = platform::raster::Texture::create(width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      const bool odd = ((x / cell) + (y / cell)) & 1;
      const int r = odd ? 31 : (x * 31) / (width > 1 ? width - 1 : 1);
      const int g = odd ? (y * 63) / (height > 1 ? height - 1 : 1) : 10;
      const int b = odd ? 4 : 28;
      t->texels()[y * t->pitch() + x] = std::uint16_t((r << 11) | (g << 5) | b);
    }
  return t;
}

}  // namespace test_support

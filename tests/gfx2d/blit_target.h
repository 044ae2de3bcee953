#pragma once
// A blit target for tests: W x H pixels inside a guard band that no draw may touch, with its
// own row table, set up as the blitter's current target.
#include "gfx2d/sprite_blitter.h"

#include <cstdint>
#include <vector>

namespace blit_test {

inline std::uint32_t next_random(std::uint32_t& s) {
  s ^= s << 13;
  s ^= s >> 17;
  s ^= s << 5;
  return s;
}

class GuardedTarget {
 public:
  static constexpr int guard = 8;

  GuardedTarget(int width, int height, std::uint32_t seed = 7) : width_(width), height_(height) {
    stride_ = width + 2 * guard;
    pixels_.resize(std::size_t(stride_) * (height + 2 * guard));
    std::uint32_t s = seed;
    for (auto& p : pixels_) p = std::uint16_t(next_random(s));
    rows_.resize(std::size_t(height));
    for (int r = 0; r < height; ++r) rows_[std::size_t(r)] = r * stride_ * 2;
  }

  // Makes this the blitter's current target, clip the whole of it.
  void make_current() {
    set_blit_target(rows_.data(), width_, height_, stride_ * 2);
    sprite_blitter.blit_dest = origin();
  }

  std::uint16_t* origin() { return pixels_.data() + std::size_t(guard) * stride_ + guard; }
  // Any pixel, guard band included: x and y from -guard.
  std::uint16_t& at(int x, int y) { return pixels_[std::size_t(y + guard) * stride_ + std::size_t(x + guard)]; }
  const std::vector<std::uint16_t>& all() const { return pixels_; }
  std::vector<std::uint16_t>& all() { return pixels_; }
  int width() const { return width_; }
  int height() const { return height_; }
  int stride() const { return stride_; }

 private:
  int width_, height_, stride_;
  std::vector<std::uint16_t> pixels_;
  std::vector<int> rows_;
};

}  // namespace blit_test

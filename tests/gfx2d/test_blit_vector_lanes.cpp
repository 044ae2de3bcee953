// The vector loops of the blend modes (8, 16 and 32 lanes, as far as this processor runs them)
// against their one-pixel reference: random pictures with literal runs of every length from 1
// to 70 over random targets, every mode that blends, every mirror, clipped on every side, in
// both pixel layouts. They must leave the same bits everywhere.
#include "gfx2d/blend_lanes.h"
#include "tests/gfx2d/blend_test_fixture.h"

namespace {

using namespace blend_test;

// Literal runs of 1 to 40 pixels (random values: every bit pattern, not only clean colours)
// between short transparent and second-key runs.
Bytes long_run_picture(int w, int h, std::uint32_t seed) {
  fixtures::RleWriter writer(w, h);
  std::uint32_t s = seed * 2654435761u + 7;
  for (int y = 0; y < h; ++y) {
    for (int x = 0, kind = 0; x < w; kind = (kind + 1) % 3) {
      const int longest = kind == 0 ? 40 : 4;
      const int n = std::min(w - x, 1 + int(blit_test::next_random(s) % std::uint32_t(longest)));
      if (kind == 0) {
        std::vector<std::uint16_t> px;
        for (int i = 0; i < n; ++i) px.push_back(std::uint16_t(blit_test::next_random(s)));
        writer.literal(px);
      } else if (kind == 1) {
        writer.transparent(n);
      } else {
        writer.key2(n);
      }
      x += n;
    }
    writer.end_row();
  }
  return writer.finish();
}

// Row y holds a literal run of y + 1 pixels, then one of 76 or more, between transparent and
// second-key runs: every run length a block of lanes can meet, short of it, at it and past it.
Bytes every_length_picture(int w, int h, std::uint32_t seed) {
  fixtures::RleWriter writer(w, h);
  std::uint32_t s = seed * 2246822519u + 3;
  auto literal = [&](int n) {
    std::vector<std::uint16_t> px;
    for (int i = 0; i < n; ++i) px.push_back(std::uint16_t(blit_test::next_random(s)));
    writer.literal(px);
  };
  for (int y = 0; y < h; ++y) {
    const int lead = 1 + y % 3;
    writer.transparent(lead);
    literal(y + 1);
    writer.key2(1);
    literal(w - lead - (y + 1) - 1);
    writer.end_row();
  }
  return writer.finish();
}

void random_fill(GuardedTarget& t, std::uint32_t seed) {
  for (int y = 0; y < t.height(); ++y)
    for (int x = 0; x < t.width(); ++x) t.at(x, y) = std::uint16_t(blit_test::next_random(seed));
}

struct ModeCase {
  int mode;
  int level;                 // blit_level for the level modes
  int add_r, add_g, add_b;   // the channel offsets
};

// The copy; offsets past the +-32 cut, negative and mixed; levels across the whole range.
const ModeCase mode_cases[] = {
    {0, 0, 0, 0, 0},     {1, 0, -3, 2, 5},    {1, 0, 40, -40, 0},  {3, 0, -9, 3, -32}, {4, 0, 7, -5, 31},  {4, 0, -33, 33, 1},
    {5, 1, 0, 0, 0},     {5, 6, 0, 0, 0},     {5, 9, 0, 0, 0},    {5, 14, 0, 0, 0},   {5, 15, 0, 0, 0},
    {8, 0, -3, 7, 0},    {10, 0, 0, 0, 0},    {11, 0, 4, -2, 9},  {11, 0, -40, 0, 40},
};

class VectorLaneTest : public BlendModeTest {
 protected:
  void TearDown() override {
    blend::lane_limit = 32;
    BlendModeTest::TearDown();
  }

  std::vector<std::uint16_t> draw(const ModeCase& c, const Bytes& pic, int pw, int ph, int x, int y, BlitFlags mirror,
                                  int lanes, std::uint32_t seed) {
    blend::lane_limit = lanes;
    GuardedTarget target(pw + 16, ph + 16);
    random_fill(target, seed);
    target.make_current();
    Heap heap(pic);
    set_blit_source(heap.data(), PicKind::Auto, heap.size);
    sprite_blitter.blit_level = c.level;
    sprite_blitter.blit_add_r = c.add_r;
    sprite_blitter.blit_add_g = c.add_g;
    sprite_blitter.blit_add_b = c.add_b;
    put_pic(x, y, pw, ph, blit_mode(c.mode) | mirror, 0);
    return target.all();
  }

  // Every lane width this processor runs against the one-pixel reference, picture pic of pw x ph
  // at each placement.
  void compare_widths(const Bytes& pic, int pw, int ph, std::span<const Placement> at, std::uint32_t seed) {
    for (const ModeCase& c : mode_cases)
      for (BlitFlags mirror : all_mirrors)
        for (const Placement& p : at) {
          const auto scalar = draw(c, pic, pw, ph, p.x, p.y, mirror, 1, seed);
          for (int lanes : {8, 16, 32}) {
            if (lanes > blend::widest_lanes_supported()) continue;
            const auto vector = draw(c, pic, pw, ph, p.x, p.y, mirror, lanes, seed);
            ASSERT_EQ(vector, scalar) << lanes << " lanes, mode " << c.mode << " level " << c.level << " mirror "
                                      << mirror << " at " << p.x << "," << p.y << " seed " << seed;
          }
        }
  }
};

TEST_P(VectorLaneTest, VectorLoopsMatchTheOnePixelReference) {
  const Placement at[] = {{8, 8}, {-13, 3}, {29, -7}, {40, 30}, {-70, 0}};
  for (std::uint32_t seed : {1u, 2u, 3u}) compare_widths(long_run_picture(80, 24, seed), 80, 24, at, seed);
}

TEST_P(VectorLaneTest, RunsOfEveryLengthMatchTheOnePixelReference) {
  const Placement at[] = {{8, 8}, {-37, 8}, {61, 8}, {8, -30}};
  for (std::uint32_t seed : {4u, 5u}) compare_widths(every_length_picture(150, 70, seed), 150, 70, at, seed);
}

// Raw copies, plain and mirrored, of every row width from 1 to 70 pixels (one block of lanes
// and two, short of each, at each and past them), inside the target and cut by its left and
// right edges.
TEST_P(VectorLaneTest, RawCopiesOfEveryWidthMatchTheOnePixelReference) {
  const int h = 3;
  for (int w = 1; w <= 70; ++w) {
    std::vector<std::uint16_t> px(std::size_t(w) * h);
    std::uint32_t s = std::uint32_t(w) * 7919u;
    for (auto& p : px) p = std::uint16_t(blit_test::next_random(s));
    const Bytes pic(reinterpret_cast<const std::uint8_t*>(px.data()),
                    reinterpret_cast<const std::uint8_t*>(px.data() + px.size()));
    for (BlitFlags mirror : x_mirrors)
      for (int x : {5, -(w / 2), w / 2 + 3}) {
        auto draw_raw = [&](int lanes) {
          blend::lane_limit = lanes;
          GuardedTarget target(w + 8, h + 4);
          random_fill(target, 21);
          target.make_current();
          Heap heap(pic);
          set_blit_source(heap.data(), PicKind::Raw, heap.size);
          put_pic(x, 1, w, h, mirror, 0);
          return target.all();
        };
        const auto scalar = draw_raw(1);
        for (int lanes : {8, 16, 32}) {
          if (lanes > blend::widest_lanes_supported()) continue;
          ASSERT_EQ(draw_raw(lanes), scalar) << lanes << " lanes, width " << w << " mirror " << mirror << " at " << x;
        }
      }
  }
}

INSTANTIATE_TEST_SUITE_P(Layouts, VectorLaneTest, ::testing::ValuesIn(layouts), layout_name);

}  // namespace

// The eight-pixel loops of the blend modes against their one-pixel reference: random pictures
// with long literal runs over random targets, every mode that blends, every mirror, clipped on
// every side, in both pixel layouts. The two must leave the same bits everywhere.
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

void random_fill(GuardedTarget& t, std::uint32_t seed) {
  for (int y = 0; y < t.height(); ++y)
    for (int x = 0; x < t.width(); ++x) t.at(x, y) = std::uint16_t(blit_test::next_random(seed));
}

struct ModeCase {
  int mode;
  int level;                 // blit_level for the level modes
  int add_r, add_g, add_b;   // the channel offsets
};

// Offsets past the +-32 cut, negative and mixed; levels across the whole range.
const ModeCase mode_cases[] = {
    {1, 0, -3, 2, 5},    {1, 0, 40, -40, 0},  {3, 0, -9, 3, -32}, {4, 0, 7, -5, 31},  {4, 0, -33, 33, 1},
    {5, 1, 0, 0, 0},     {5, 6, 0, 0, 0},     {5, 9, 0, 0, 0},    {5, 14, 0, 0, 0},   {5, 15, 0, 0, 0},
    {8, 0, -3, 7, 0},    {10, 0, 0, 0, 0},    {11, 0, 4, -2, 9},  {11, 0, -40, 0, 40},
};

class VectorLaneTest : public BlendModeTest {
 protected:
  void TearDown() override {
    blend::vector_blends = true;
    BlendModeTest::TearDown();
  }

  std::vector<std::uint16_t> draw(const ModeCase& c, const Bytes& pic, int x, int y, BlitFlags mirror, bool vector,
                                  std::uint32_t seed) {
    blend::vector_blends = vector;
    GuardedTarget target(96, 40);
    random_fill(target, seed);
    target.make_current();
    Heap heap(pic);
    set_blit_source(heap.data(), PicKind::Auto, heap.size);
    sprite_blitter.blit_level = c.level;
    sprite_blitter.blit_add_r = c.add_r;
    sprite_blitter.blit_add_g = c.add_g;
    sprite_blitter.blit_add_b = c.add_b;
    put_pic(x, y, 80, 24, blit_mode(c.mode) | mirror, 0);
    return target.all();
  }
};

TEST_P(VectorLaneTest, EightPixelLoopsMatchTheOnePixelReference) {
  const Placement at[] = {{8, 8}, {-13, 3}, {29, -7}, {40, 30}, {-70, 0}};
  for (std::uint32_t seed : {1u, 2u, 3u}) {
    const Bytes pic = long_run_picture(80, 24, seed);
    for (const ModeCase& c : mode_cases)
      for (BlitFlags mirror : all_mirrors)
        for (const Placement& p : at) {
          const auto scalar = draw(c, pic, p.x, p.y, mirror, false, seed);
          const auto vector = draw(c, pic, p.x, p.y, mirror, true, seed);
          ASSERT_EQ(vector, scalar) << "mode " << c.mode << " level " << c.level << " mirror " << mirror << " at "
                                    << p.x << "," << p.y << " seed " << seed;
        }
  }
}

INSTANTIATE_TEST_SUITE_P(Layouts, VectorLaneTest, ::testing::ValuesIn(layouts), layout_name);

}  // namespace

// RLE mode 5 (the picture blended at one level in sixteenths) and mode 7 (a fade from opaque
// at the top towards the bottom, one level every few rows).
#include "tests/gfx2d/blend_test_fixture.h"

namespace {

using namespace blend_test;
using blend_reference::level_blend;

class LevelBlendTest : public BlendModeTest {};

TEST_P(LevelBlendTest, EveryLevelOverTheColourTable) {
  for (int level = 1; level <= 15; ++level) {
    expect_colour_table(
        blit_mode(5), 0, [level] { sprite_blitter.blit_level = level; },
        [level](std::uint16_t s, std::uint16_t d) { return level_blend(s, d, level); });
  }
}

TEST_P(LevelBlendTest, ExamplesOfTheLevels) {
  using blend_reference::compose;
  struct Case {
    int level;
    std::uint16_t source, dest, expected;
  } cases[] = {
      {8, compose({31, 1, 31}), compose({31, 1, 31}), compose({26, 0, 26})},  // 15 + 7 + 3 + 1 and 0
      {1, compose({31, 31, 31}), 0, compose({1, 1, 1})},                      // a sixteenth of white
      {15, 0xFFFF, 0, 0xFFFF},                                                // copied, every bit
  };
  for (const Case& c : cases) {
    Bytes pic = fixtures::RleWriter(2, 1).literal({c.source}).key2(1).end_row().finish();
    GuardedTarget target(2, 1);
    target.make_current();
    target.at(0, 0) = c.dest;
    const std::uint16_t under_key2 = target.at(1, 0);
    sprite_blitter.blit_source = pic.data();
    sprite_blitter.blit_level = c.level;
    put_pic(0, 0, 2, 1, blit_mode(5), 0);
    EXPECT_EQ(target.at(0, 0), c.expected) << c.level;
    EXPECT_EQ(target.at(1, 0), under_key2) << "second-key runs stay untouched";
  }
}

TEST_P(LevelBlendTest, ClippedAndMirroredEveryWay) {
  for (int level : {3, 8, 14}) {
    expect_placements(blit_mode(5), all_mirrors, 0, [level] { sprite_blitter.blit_level = level; },
                      literal_only([level](std::uint16_t s, std::uint16_t d) { return level_blend(s, d, level); }));
  }
}

// The level of picture row r in mode 7: opaque at the top, one level less every S rows.
int fade_level(int r, int h) {
  int s = (h + 16) >> 4;
  return 15 - (r + 1) / s;
}

TEST_P(LevelBlendTest, FadeDownLevelsByRow) {
  EXPECT_EQ(fade_level(0, 100), 15);
  EXPECT_EQ(fade_level(5, 100), 15);
  EXPECT_EQ(fade_level(6, 100), 14);
  EXPECT_EQ(fade_level(13, 100), 13);
  EXPECT_EQ(fade_level(99, 100), 1);
  EXPECT_EQ(fade_level(0, 15), 14);
  EXPECT_EQ(fade_level(14, 15), 0);
  EXPECT_EQ(fade_level(1, 16), 14);
  EXPECT_EQ(fade_level(15, 16), 7);
  // The same levels from the blitter: a white column over black, one row per level step.
  for (int h : {15, 16, 40, 100}) {
    std::vector<std::uint16_t> white(1, blend_reference::compose({31, 31, 31}));
    fixtures::RleWriter writer(1, h);
    for (int r = 0; r < h; ++r) writer.literal(white).end_row();
    Bytes pic = writer.finish();
    GuardedTarget target(1, h);
    for (int r = 0; r < h; ++r) target.at(0, r) = 0;
    target.make_current();
    sprite_blitter.blit_source = pic.data();
    put_pic(0, 0, 1, h, blit_mode(7), 0);
    for (int r = 0; r < h; ++r)
      ASSERT_EQ(target.at(0, r), level_blend(white[0], 0, fade_level(r, h))) << "h " << h << " row " << r;
  }
}

TEST_P(LevelBlendTest, FadeDownClippedKeepsEachRowsLevel) {
  expect_placements(blit_mode(7), std::span<const BlitFlags>(all_mirrors, 1), 0, [] {},
                    [](const Pixel& p, std::uint16_t d, int, int py) {
                      return p.kind == Kind::Literal ? level_blend(p.value, d, fade_level(py, 14)) : d;
                    });
  // A tall picture cut at the top and the bottom: the first row drawn has its own level.
  Bytes pic = picture(12, 100, 21);
  auto decoded = rle_reference::decode(pic.data());
  for (int y : {-30, -61, 5}) {
    GuardedTarget target(20, 40), expected(20, 40);
    fill_destinations(target);
    fill_destinations(expected);
    target.make_current();
    sprite_blitter.blit_source = pic.data();
    put_pic(4, y, 12, 100, blit_mode(7), 0);
    const int clip[4] = {0, 0, 20, 40};
    place_by_hand(expected, decoded, 4, y, 0, clip, [](const Pixel& p, std::uint16_t d, int, int py) {
      return p.kind == Kind::Literal ? level_blend(p.value, d, fade_level(py, 100)) : d;
    });
    ASSERT_EQ(target.all(), expected.all()) << y;
  }
}

TEST_P(LevelBlendTest, FadeDownHasNoMirror) {
  Bytes pic = picture(20, 14, 2);
  for (BlitFlags mirror : {BLIT_MIRROR_X, BLIT_MIRROR_Y, BLIT_MIRROR_X | BLIT_MIRROR_Y}) {
    GuardedTarget target(24, 16), untouched(24, 16);
    target.make_current();
    sprite_blitter.blit_source = pic.data();
    put_pic(0, 0, 20, 14, blit_mode(7) | mirror, 0);
    EXPECT_EQ(target.all(), untouched.all()) << mirror;
  }
}

INSTANTIATE_TEST_SUITE_P(Layouts, LevelBlendTest, ::testing::ValuesIn(layouts), layout_name);

}  // namespace

// RLE mode 2: every literal pixel added onto the target kept at its own opacity from an alpha
// map, one byte per picture pixel; second-key runs painted in one colour.
#include "tests/gfx2d/blend_test_fixture.h"

namespace {

using namespace blend_test;
using blend_reference::alpha_add;

class AlphaMapTest : public BlendModeTest {};

// The painted colour of second-key runs, the same word in every layout.
constexpr std::uint16_t key2_paint = 0xFFF0;

TEST_P(AlphaMapTest, EveryLevelOverTheColourTable) {
  const int n = int(blend_reference::source_colours().size());
  for (int level = 0; level < 16; ++level) {
    std::vector<std::uint8_t> map(std::size_t(n), std::uint8_t(4 * level));
    expect_colour_table(
        blit_mode(2), reinterpret_cast<std::intptr_t>(map.data()), [] {},
        [level](std::uint16_t s, std::uint16_t d) { return alpha_add(s, d, level); });
  }
}

// The examples of the mode, drawn one pixel at a time.
TEST_P(AlphaMapTest, ExamplesOfTheBlend) {
  using blend_reference::compose;
  const std::uint16_t s = compose({3, 4, 5}), d = compose({31, 30, 9}), white = compose({31, 31, 31});
  struct Case {
    std::uint8_t byte;
    std::uint16_t source, dest, expected;
  } cases[] = {
      {0, s, d, d},                                          // transparent: the target stays
      {60, s, d, s},                                         // opaque: the source is copied
      {28, s, d, compose({15 + 3, 15 + 4, 4 + 5})},          // level 7: half the target plus the source
      {4, white, white, std::uint16_t(white + compose({25, 25, 25}))},  // no saturation: the sum carries over
  };
  for (const Case& c : cases) {
    Bytes pic = fixtures::RleWriter(1, 1).literal({c.source}).end_row().finish();
    GuardedTarget target(1, 1);
    target.make_current();
    target.at(0, 0) = c.dest;
    sprite_blitter.blit_source = pic.data();
    put_pic(0, 0, 1, 1, blit_mode(2), reinterpret_cast<std::intptr_t>(&c.byte));
    EXPECT_EQ(target.at(0, 0), c.expected) << int(c.byte);
  }
}

// The map byte of picture column px, row py in the placement tests: every level, shifted per
// row so that the bytes after a transparent run show whether the cursor kept step.
std::uint8_t map_byte(int px, int py) { return std::uint8_t(4 * ((px * 7 + py * 3) % 16)); }

TEST_P(AlphaMapTest, ClippedAndMirroredDrawsReadTheMapByPictureColumn) {
  std::vector<std::uint8_t> map(20 * 14);
  for (int py = 0; py < 14; ++py)
    for (int px = 0; px < 20; ++px) map[std::size_t(py * 20 + px)] = map_byte(px, py);
  Heap exact(map);  // a read past the map's end is seen by the sanitizer
  expect_placements(blit_mode(2), x_mirrors, reinterpret_cast<std::intptr_t>(exact.data()), [] {},
                    [](const Pixel& p, std::uint16_t d, int px, int py) -> std::uint16_t {
                      if (p.kind == Kind::Key2) return key2_paint;
                      if (p.kind != Kind::Literal) return d;
                      return alpha_add(p.value, d, map_byte(px, py) / 4);
                    });
}

TEST_P(AlphaMapTest, MirroredSecondKeyRunsArePaintedLikeUnmirroredOnes) {
  Bytes pic = fixtures::RleWriter(6, 1).literal({1, 2}).key2(3).literal({9}).end_row().finish();
  std::vector<std::uint8_t> map(6, 60);
  for (BlitFlags mirror : x_mirrors) {
    GuardedTarget target(6, 1);
    target.make_current();
    sprite_blitter.blit_source = pic.data();
    put_pic(0, 0, 6, 1, blit_mode(2) | mirror, reinterpret_cast<std::intptr_t>(map.data()));
    int first = mirror ? 1 : 2;
    for (int i = first; i < first + 3; ++i) EXPECT_EQ(target.at(i, 0), key2_paint) << mirror;
    EXPECT_EQ(target.at(mirror ? 0 : 5, 0), 9) << mirror;
  }
}

TEST_P(AlphaMapTest, WithoutAMapNothingIsDrawn) {
  Bytes pic = picture(20, 14, 5);
  for (BlitFlags mirror : x_mirrors) {
    GuardedTarget target(24, 16), untouched(24, 16);
    target.make_current();
    sprite_blitter.blit_source = pic.data();
    sprite_blitter.blit_add_r = 4;
    put_pic(2, 1, 20, 14, blit_mode(2) | mirror, 0);
    EXPECT_EQ(target.all(), untouched.all());
    EXPECT_EQ(sprite_blitter.blit_add_r, 0) << "the one-shot settings are cleared all the same";
  }
}

TEST_P(AlphaMapTest, BytesAboveSixtyAreOpaque) {
  Bytes pic = fixtures::RleWriter(4, 1).literal({0x1234, 0x4321, 0x0F0F, 0x7001}).end_row().finish();
  std::vector<std::uint8_t> map = {61, 63, 64, 255};
  GuardedTarget target(4, 1);
  target.make_current();
  sprite_blitter.blit_source = pic.data();
  put_pic(0, 0, 4, 1, blit_mode(2), reinterpret_cast<std::intptr_t>(map.data()));
  EXPECT_EQ(target.at(0, 0), 0x1234);
  EXPECT_EQ(target.at(1, 0), 0x4321);
  EXPECT_EQ(target.at(2, 0), 0x0F0F);
  EXPECT_EQ(target.at(3, 0), 0x7001);
}

TEST_P(AlphaMapTest, NoVerticalMirror) {
  Bytes pic = picture(20, 14, 6);
  std::vector<std::uint8_t> map(20 * 14, 60);
  for (BlitFlags mirror : {BLIT_MIRROR_Y, BLIT_MIRROR_X | BLIT_MIRROR_Y}) {
    GuardedTarget target(24, 16), untouched(24, 16);
    target.make_current();
    sprite_blitter.blit_source = pic.data();
    put_pic(0, 0, 20, 14, blit_mode(2) | mirror, reinterpret_cast<std::intptr_t>(map.data()));
    EXPECT_EQ(target.all(), untouched.all());
  }
}

INSTANTIATE_TEST_SUITE_P(Layouts, AlphaMapTest, ::testing::ValuesIn(layouts), layout_name);

}  // namespace

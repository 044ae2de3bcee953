// RLE mode 4 (the target under the picture's shape moved in colour by the channel offsets)
// and mode 6 (the picture copied with the ends of every run in the outline colour).
#include "tests/gfx2d/blend_test_fixture.h"

namespace {

using namespace blend_test;
using blend_reference::Offsets;

class TintOutlineTest : public BlendModeTest {};

bool all_zero(const Offsets& o) { return o.r == 0 && o.g == 0 && o.b == 0; }

TEST_P(TintOutlineTest, TintOverTheColourTableForEveryOffset) {
  for (const Offsets& o : blend_reference::offset_table()) {
    expect_colour_table(
        blit_mode(4), 0, [&] { set_offsets(o); },
        [&](std::uint16_t, std::uint16_t d) { return all_zero(o) ? d : blend_reference::tint(d, o); });
  }
}

TEST_P(TintOutlineTest, TintClippedAndMirrored) {
  const Offsets o{5, -7, 40};
  expect_placements(blit_mode(4), x_mirrors, 0, [&] { set_offsets(o); },
                    literal_only([&](std::uint16_t, std::uint16_t d) { return blend_reference::tint(d, o); }));
}

TEST_P(TintOutlineTest, TintWithoutOffsetsLeavesEvenTheBitsOutsideTheFields) {
  Bytes pic = picture(20, 14, 4);
  for (BlitFlags mirror : x_mirrors) {
    GuardedTarget target(24, 16), untouched(24, 16);
    target.make_current();
    sprite_blitter.blit_source = pic.data();
    put_pic(1, 1, 20, 14, blit_mode(4) | mirror, 0);
    EXPECT_EQ(target.all(), untouched.all());
  }
}

TEST_P(TintOutlineTest, TintOnSecondKeyRunsOnly) {
  Bytes pic = fixtures::RleWriter(6, 2).key2(6).end_row().key2(6).end_row().finish();
  GuardedTarget target(6, 2), untouched(6, 2);
  target.make_current();
  sprite_blitter.blit_source = pic.data();
  sprite_blitter.blit_add_r = 31;
  put_pic(0, 0, 6, 2, blit_mode(4), 0);
  EXPECT_EQ(target.all(), untouched.all());
}

// Mode 6 by hand: copy the literal pixels, then mark both ends of every stretch of literal
// pixels that one run left in a target row (the pictures never hold two literal runs side by
// side, so a stretch is the visible part of one run).
void outline_by_hand(GuardedTarget& t, const rle_reference::Picture& pic, int x, int y, BlitFlags mirror,
                     const int clip[4]) {
  GuardedTarget drawn(t.width(), t.height());
  for (auto& p : drawn.all()) p = 0;
  place_by_hand(drawn, pic, x, y, mirror, clip, [](const Pixel& p, std::uint16_t d, int, int) {
    return p.kind == Kind::Literal ? std::uint16_t(1) : d;
  });
  place_by_hand(t, pic, x, y, mirror, clip, literal_only([](std::uint16_t s, std::uint16_t) { return s; }));
  for (int ty = 0; ty < t.height(); ++ty) {
    for (int tx = 0; tx < t.width(); ++tx) {
      bool here = drawn.at(tx, ty) == 1;
      bool left = tx > 0 && drawn.at(tx - 1, ty) == 1;
      bool right = tx + 1 < t.width() && drawn.at(tx + 1, ty) == 1;
      if (here && (!left || !right)) t.at(tx, ty) = std::uint16_t(outline_colour);
    }
  }
}

TEST_P(TintOutlineTest, OutlineClippedAndMirrored) {
  Bytes pic = picture(20, 14, 8);
  auto decoded = rle_reference::decode(pic.data());
  Heap heap(pic);
  for (BlitFlags mirror : x_mirrors) {
    for (const Placement& at : placements) {
      GuardedTarget target(48, 40), expected(48, 40);
      target.make_current();
      set_blit_source(heap.data(), PicKind::Auto, heap.size);
      put_pic(at.x, at.y, 20, 14, blit_mode(6) | mirror, 0);
      const int clip[4] = {0, 0, 48, 40};
      outline_by_hand(expected, decoded, at.x, at.y, mirror, clip);
      ASSERT_EQ(target.all(), expected.all()) << "mirror " << mirror << " at " << at.x << "," << at.y;
    }
  }
}

TEST_P(TintOutlineTest, OutlineOfShortRunsAndTheColourOfEachLayout) {
  // 565 takes the green field 0x07C0 as an RGB555 colour and converts it: 0x0F80.
  const std::uint16_t outline = GetParam().g == 0x07E0 ? 0x0F80 : 0x03E0;
  EXPECT_EQ(outline_colour & 0xFFFF, outline);
  Bytes pic = fixtures::RleWriter(7, 1).literal({5}).transparent(1).literal({6, 7}).transparent(1).literal({1, 2}).end_row().finish();
  GuardedTarget target(7, 1);
  target.make_current();
  sprite_blitter.blit_source = pic.data();
  put_pic(0, 0, 7, 1, blit_mode(6), 0);
  EXPECT_EQ(target.at(0, 0), outline);
  EXPECT_EQ(target.at(2, 0), outline);
  EXPECT_EQ(target.at(3, 0), outline);
  EXPECT_EQ(target.at(5, 0), outline);
  EXPECT_EQ(target.at(6, 0), outline);
}

TEST_P(TintOutlineTest, MirroredOutlineOfAFivePixelRun) {
  Bytes pic = fixtures::RleWriter(10, 1).transparent(2).literal({12, 13, 14, 15, 16}).transparent(3).end_row().finish();
  GuardedTarget target(12, 1), before(12, 1);
  target.make_current();
  sprite_blitter.blit_source = pic.data();
  put_pic(1, 0, 10, 1, blit_mode(6) | BLIT_MIRROR_X, 0);
  const std::uint16_t o = std::uint16_t(outline_colour);
  const std::uint16_t expected[] = {before.at(0, 0), before.at(1, 0), before.at(2, 0), before.at(3, 0), o, 15, 14,
                                    13, o, before.at(9, 0), before.at(10, 0), before.at(11, 0)};
  for (int i = 0; i < 12; ++i) EXPECT_EQ(target.at(i, 0), expected[i]) << i;
}

TEST_P(TintOutlineTest, NeitherModeMirrorsVertically) {
  Bytes pic = picture(20, 14, 9);
  for (BlitFlags mode : {blit_mode(4), blit_mode(6)}) {
    for (BlitFlags mirror : {BLIT_MIRROR_Y, BLIT_MIRROR_X | BLIT_MIRROR_Y}) {
      GuardedTarget target(24, 16), untouched(24, 16);
      target.make_current();
      sprite_blitter.blit_source = pic.data();
      sprite_blitter.blit_add_g = 9;
      put_pic(0, 0, 20, 14, mode | mirror, 0);
      EXPECT_EQ(target.all(), untouched.all());
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Layouts, TintOutlineTest, ::testing::ValuesIn(layouts), layout_name);

}  // namespace

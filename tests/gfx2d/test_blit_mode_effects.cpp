// RLE modes 3 (tint under the shape, every pixel rewritten), 8 (the mode 1 add), 9 (fill with a
// colour word), 10 (grey), 11 (subtract) and 12 (shimmer from neighbouring target pixels).
#include "tests/gfx2d/blend_test_fixture.h"

namespace {

using namespace blend_test;
using blend_reference::Offsets;

class EffectModeTest : public BlendModeTest {};

// ---- mode 3 ----

TEST_P(EffectModeTest, ShadowTintsEvenWithoutOffsets) {
  for (const Offsets& o : blend_reference::offset_table()) {
    expect_colour_table(blit_mode(3), 0, [&] { set_offsets(o); },
                        [&](std::uint16_t, std::uint16_t d) { return blend_reference::tint(d, o); });
  }
  // With no offsets each covered pixel keeps its fields and loses every other bit.
  Bytes pic = fixtures::RleWriter(1, 1).literal({0}).end_row().finish();
  GuardedTarget target(1, 1);
  target.make_current();
  target.at(0, 0) = 0xFFFF;
  sprite_blitter.blit_source = pic.data();
  put_pic(0, 0, 1, 1, blit_mode(3), 0);
  EXPECT_EQ(target.at(0, 0), red_mask | green_mask | blue_mask);
}

TEST_P(EffectModeTest, ShadowClippedAndMirroredEveryWay) {
  const Offsets o{-9, 3, -32};
  expect_placements(blit_mode(3), all_mirrors, 0, [&] { set_offsets(o); },
                    literal_only([&](std::uint16_t, std::uint16_t d) { return blend_reference::tint(d, o); }));
}

// ---- mode 8 ----

TEST_P(EffectModeTest, TintedAddOverTheColourTable) {
  for (const Offsets& o : blend_reference::offset_table()) {
    expect_colour_table(blit_mode(8), 0, [&] { set_offsets(o); },
                        [&](std::uint16_t s, std::uint16_t d) { return blend_reference::offset_add(s, d, o); });
  }
}

TEST_P(EffectModeTest, TintedAddDrawsWhatModeOneDraws) {
  const Offsets o{-3, 7, 0};
  expect_placements(blit_mode(8), x_mirrors, 0, [&] { set_offsets(o); },
                    literal_only([&](std::uint16_t s, std::uint16_t d) { return blend_reference::offset_add(s, d, o); }));
  Bytes pic = picture(20, 14, 12);
  for (BlitFlags mirror : x_mirrors) {
    GuardedTarget by_mode1(30, 20), by_mode8(30, 20);
    for (auto* t : {&by_mode1, &by_mode8}) {
      t->make_current();
      sprite_blitter.blit_source = pic.data();
      set_offsets(o);
      put_pic(3, 2, 20, 14, (t == &by_mode1 ? blit_mode(1) : blit_mode(8)) | mirror, 0);
    }
    EXPECT_EQ(by_mode1.all(), by_mode8.all()) << mirror;
  }
}

// ---- mode 9 ----

// Mode 9 by hand: each stretch of literal pixels that one run leaves in a target row is filled
// as the blitter stores it: runs of up to 4 pixels one pixel at a time with the word's low
// half; longer ones with a single low half until the store address is a multiple of 4, then
// whole words (low half at the lower address; the mirrored walk stores the halves swapped,
// going leftwards), then a last single low half.
void fill_by_hand(GuardedTarget& t, const rle_reference::Picture& pic, int x, int y, BlitFlags mirror,
                  std::uint32_t word) {
  const int clip[4] = {0, 0, t.width(), t.height()};
  GuardedTarget drawn(t.width(), t.height());
  for (auto& p : drawn.all()) p = 0;
  place_by_hand(drawn, pic, x, y, mirror, clip, [](const Pixel& p, std::uint16_t d, int, int) {
    return p.kind == Kind::Literal ? std::uint16_t(1) : d;
  });
  const std::uint16_t lo = std::uint16_t(word), hi = std::uint16_t(word >> 16);
  auto aligned = [&](int tx, int ty) { return reinterpret_cast<std::uintptr_t>(&t.at(tx, ty)) % 4 == 0; };
  for (int ty = 0; ty < t.height(); ++ty) {
    for (int left = 0; left < t.width();) {
      if (drawn.at(left, ty) != 1) {
        ++left;
        continue;
      }
      int right = left;
      while (right + 1 < t.width() && drawn.at(right + 1, ty) == 1) ++right;
      if (right - left + 1 <= 4) {
        for (int i = left; i <= right; ++i) t.at(i, ty) = lo;
      } else if (!(mirror & BLIT_MIRROR_X)) {
        int p = left;
        if (!aligned(p, ty)) t.at(p++, ty) = lo;
        for (; p + 1 <= right; p += 2) t.at(p, ty) = lo, t.at(p + 1, ty) = hi;
        if (p == right) t.at(p, ty) = lo;
      } else {
        int q = right;
        if (!aligned(right + 1, ty)) t.at(q--, ty) = lo;
        for (; q - 1 >= left; q -= 2) t.at(q, ty) = lo, t.at(q - 1, ty) = hi;
        if (q == left) t.at(q, ty) = lo;
      }
      left = right + 1;
    }
  }
}

TEST_P(EffectModeTest, FillWithOneColourWhateverTheAlignment) {
  const std::uint32_t word = 0x001F001F;
  Bytes pic = fixtures::RleWriter(9, 1).literal({1, 2, 3, 4, 5, 6, 7}).transparent(2).end_row().finish();
  for (BlitFlags mirror : x_mirrors) {
    for (int x = 0; x < 3; ++x) {
      GuardedTarget target(12, 1), before(12, 1);
      target.make_current();
      sprite_blitter.blit_source = pic.data();
      put_pic(x, 0, 9, 1, blit_mode(9) | mirror, reinterpret_cast<std::intptr_t>(&word));
      int first = mirror ? x + 2 : x;
      for (int i = 0; i < 12; ++i)
        EXPECT_EQ(target.at(i, 0), i >= first && i < first + 7 ? 0x001F : before.at(i, 0)) << x << " " << i;
    }
  }
}

TEST_P(EffectModeTest, FillWithTwoHalvesGivesTheStorePattern) {
  const std::uint32_t word = 0x5A5AA5A5;
  Bytes pic = picture(20, 14, 14);
  auto decoded = rle_reference::decode(pic.data());
  Heap heap(pic);
  for (BlitFlags mirror : all_mirrors) {
    for (const Placement& at : placements) {
      GuardedTarget target(48, 40), expected(48, 40);
      target.make_current();
      set_blit_source(heap.data(), PicKind::Auto, heap.size);
      put_pic(at.x, at.y, 20, 14, blit_mode(9) | mirror, reinterpret_cast<std::intptr_t>(&word));
      fill_by_hand(expected, decoded, at.x, at.y, mirror, word);
      ASSERT_EQ(target.all(), expected.all()) << "mirror " << mirror << " at " << at.x << "," << at.y;
    }
  }
}

TEST_P(EffectModeTest, FillWithoutAColourWordDrawsNothing) {
  Bytes pic = picture(20, 14, 15);
  for (BlitFlags mirror : all_mirrors) {
    GuardedTarget target(24, 16), untouched(24, 16);
    target.make_current();
    sprite_blitter.blit_source = pic.data();
    put_pic(2, 1, 20, 14, blit_mode(9) | mirror, 0);
    EXPECT_EQ(target.all(), untouched.all()) << mirror;
  }
}

// ---- mode 10 ----

TEST_P(EffectModeTest, GreyOverTheColourTable) {
  expect_colour_table(blit_mode(10), 0, [] {}, [](std::uint16_t, std::uint16_t d) { return blend_reference::grey(d); });
  EXPECT_EQ(blend_reference::grey(blend_reference::compose({31, 31, 31})), blend_reference::compose({23, 23, 23}));
}

TEST_P(EffectModeTest, GreyClippedAndMirroredEveryWay) {
  expect_placements(blit_mode(10), all_mirrors, 0, [] {},
                    literal_only([](std::uint16_t, std::uint16_t d) { return blend_reference::grey(d); }));
}

// ---- mode 11 ----

TEST_P(EffectModeTest, SubtractOverTheColourTable) {
  for (const Offsets& o : blend_reference::offset_table()) {
    expect_colour_table(blit_mode(11), 0, [&] { set_offsets(o); },
                        [&](std::uint16_t s, std::uint16_t d) { return blend_reference::subtract(s, d, o); });
  }
}

TEST_P(EffectModeTest, SubtractClippedAndMirrored) {
  const Offsets o{2, -5, 0};
  expect_placements(blit_mode(11), x_mirrors, 0, [&] { set_offsets(o); },
                    literal_only([&](std::uint16_t s, std::uint16_t d) { return blend_reference::subtract(s, d, o); }));
}

TEST_P(EffectModeTest, AddAndSubtractHaveNoVerticalMirror) {
  Bytes pic = picture(20, 14, 16);
  for (BlitFlags mode : {blit_mode(8), blit_mode(11)}) {
    for (BlitFlags mirror : {BLIT_MIRROR_Y, BLIT_MIRROR_X | BLIT_MIRROR_Y}) {
      GuardedTarget target(24, 16), untouched(24, 16);
      target.make_current();
      sprite_blitter.blit_source = pic.data();
      put_pic(0, 0, 20, 14, mode | mirror, 0);
      EXPECT_EQ(target.all(), untouched.all());
    }
  }
}

// ---- mode 12 ----

// The shimmer by hand, on the target's memory: the visible literal pixels in drawing order
// (picture rows, then picture columns), each copying the pixel 2 bytes lower, 1280 bytes
// further on, 1280 bytes back or 2 bytes higher by a 17-step cycle. A neighbour outside the
// target's pixels (before its first or after its last) is the pixel itself.
void shimmer_by_hand(std::uint16_t* first, std::uint16_t* last, std::uint16_t* origin, int stride,
                     const rle_reference::Picture& pic, int x, int y, BlitFlags mirror, const int clip[4]) {
  int step = 0;
  for (int py = 0; py < pic.height; ++py) {
    for (int px = 0; px < pic.width; ++px) {
      int tx = x + ((mirror & BLIT_MIRROR_X) ? pic.width - 1 - px : px);
      int ty = y + ((mirror & BLIT_MIRROR_Y) ? pic.height - 1 - py : py);
      if (tx < clip[0] || ty < clip[1] || tx >= clip[0] + clip[2] || ty >= clip[1] + clip[3]) continue;
      if (pic.at(px, py).kind != Kind::Literal) continue;
      std::uint16_t* d = origin + std::ptrdiff_t(ty) * stride + tx;
      int next = step + 1;
      std::ptrdiff_t offset = next <= 4 ? -1 : next <= 10 ? 640 : next <= 13 ? -640 : 1;
      if (next == 17) {
        step = 0;
        continue;
      }
      step = next;
      std::uint16_t* n = d + offset;
      if (n < first || n > last) n = d;
      *d = *n;
    }
  }
}

TEST_P(EffectModeTest, ShimmerClippedAndMirroredEveryWay) {
  Bytes pic = picture(20, 14, 17);
  auto decoded = rle_reference::decode(pic.data());
  Heap heap(pic);
  for (BlitFlags mirror : all_mirrors) {
    for (const Placement& at : placements) {
      GuardedTarget target(48, 40), expected(48, 40);
      fill_destinations(target);
      fill_destinations(expected);
      target.make_current();
      set_blit_source(heap.data(), PicKind::Auto, heap.size);
      put_pic(at.x, at.y, 20, 14, blit_mode(12) | mirror, 0);
      const int clip[4] = {0, 0, 48, 40};
      shimmer_by_hand(&expected.at(0, 0), &expected.at(47, 39), &expected.at(0, 0), expected.stride(), decoded, at.x,
                      at.y, mirror, clip);
      ASSERT_EQ(target.all(), expected.all()) << "mirror " << mirror << " at " << at.x << "," << at.y;
    }
  }
}

TEST_P(EffectModeTest, ShimmerCycleOnAScreenWideTarget) {
  // A target 640 pixels to the row, so that 1280 bytes is the pixel below.
  GuardedTarget target(640 - 2 * GuardedTarget::guard, 3);
  ASSERT_EQ(target.stride(), 640);
  for (int x = 0; x < target.width(); ++x)
    for (int y = 0; y < 3; ++y) target.at(x, y) = std::uint16_t(1000 * y + x);
  std::vector<std::uint16_t> run(20, 0xABCD);
  Bytes pic = fixtures::RleWriter(20, 1).literal(run).end_row().finish();
  target.make_current();
  sprite_blitter.blit_source = pic.data();
  put_pic(10, 1, 20, 1, blit_mode(12), 0);
  // Pixels 1 to 4 copy their left neighbour: the pixel left of the shape spreads over them.
  for (int i = 0; i < 4; ++i) EXPECT_EQ(target.at(10 + i, 1), 1009) << i;
  for (int i = 4; i < 10; ++i) EXPECT_EQ(target.at(10 + i, 1), 2000 + 10 + i) << "below " << i;
  for (int i = 10; i < 13; ++i) EXPECT_EQ(target.at(10 + i, 1), 10 + i) << "above " << i;
  for (int i = 13; i < 16; ++i) EXPECT_EQ(target.at(10 + i, 1), 1000 + 11 + i) << "right " << i;
  EXPECT_EQ(target.at(26, 1), 1026) << "the 17th pixel keeps its value";
  EXPECT_EQ(target.at(27, 1), 1026) << "the 18th copies its left neighbour again";
}

TEST_P(EffectModeTest, ShimmerOnTheTargetsEdgesReadsNothingOutside) {
  // A target of exactly its pixels, so that the sanitizer sees any read before or after it;
  // the shape covers it whole and the cycle reaches every side.
  for (int width : {1, 17, 640}) {
    for (int height : {1, 2, 5}) {
      for (BlitFlags mirror : all_mirrors) {
        const int n = width * height;
        std::unique_ptr<std::uint16_t[]> pixels(new std::uint16_t[std::size_t(n)]);
        std::vector<std::uint16_t> expected(static_cast<std::size_t>(n));
        for (int i = 0; i < n; ++i) pixels[std::size_t(i)] = expected[std::size_t(i)] = std::uint16_t(i * 7 + 1);
        std::vector<int> rows;
        for (int r = 0; r < height; ++r) rows.push_back(r * width * 2);
        fixtures::RleWriter writer(width, height);
        for (int r = 0; r < height; ++r) writer.literal(std::vector<std::uint16_t>(std::size_t(width), 0)).end_row();
        Bytes pic = writer.finish();
        set_blit_target(rows.data(), width, height, width * 2);
        sprite_blitter.blit_dest = pixels.get();
        sprite_blitter.blit_source = pic.data();
        put_pic(0, 0, width, height, blit_mode(12) | mirror, 0);
        const int clip[4] = {0, 0, width, height};
        shimmer_by_hand(expected.data(), expected.data() + n - 1, expected.data(), width,
                        rle_reference::decode(pic.data()), 0, 0, mirror, clip);
        for (int i = 0; i < n; ++i)
          ASSERT_EQ(pixels[std::size_t(i)], expected[std::size_t(i)]) << width << "x" << height << " mirror " << mirror
                                                                      << " pixel " << i;
      }
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Layouts, EffectModeTest, ::testing::ValuesIn(layouts), layout_name);

}  // namespace

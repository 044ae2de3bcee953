// The sprite blitter against a naive reference: decode the picture, then place each pixel
// by hand. Both pixel layouts, clipping on every edge, mirroring, and a guard band around the
// target that must stay as it was.
#include "gfx2d/pixel_format.h"
#include "gfx2d/rle_image.h"
#include "gfx2d/sprite_blitter.h"
#include "platform/display.h"
#include "tests/fixtures/rle_writer.h"
#include "tests/gfx2d/blit_target.h"
#include "tests/gfx2d/rle_reference.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstring>
#include <functional>
#include <memory>

namespace {

using blit_test::GuardedTarget;
using rle_reference::Kind;
using Bytes = std::vector<std::uint8_t>;

struct Layout {
  const char* name;
  platform::PixelMasks masks;
};
const Layout layouts[] = {{"rgb565", platform::masks_rgb565}, {"rgb555", platform::masks_rgb555}};

// A heap block of exactly the picture's size, so that the sanitizer sees any read past it.
struct Heap {
  explicit Heap(const Bytes& b) : size(b.size()), block(new std::uint8_t[b.size()]), data(block.get()) {
    std::memcpy(data, b.data(), b.size());
  }
  explicit Heap(const std::vector<std::uint16_t>& px)
      : size(px.size() * 2), block(new std::uint8_t[size]), data(block.get()) {
    std::memcpy(data, px.data(), size);
  }
  std::size_t size;
  std::unique_ptr<std::uint8_t[]> block;
  std::uint8_t* data;
};

// The pixel-format channels of a pixel as 5-bit values, and back.
struct Channels {
  int r, g, b;
};
Channels channels(std::uint32_t p) {
  return {int((p & red_mask) >> red_shift), int((p & green_mask) >> green_shift),
          int((p & blue_mask) >> blue_shift)};
}
std::uint16_t compose(Channels c) {
  return std::uint16_t((std::uint32_t(c.r) << red_shift) | (std::uint32_t(c.g) << green_shift) |
                       (std::uint32_t(c.b) << blue_shift));
}

struct Placement {
  int x, y;
};
// Inside, across each edge and corner, wholly outside each edge, and larger than the target.
const Placement placements[] = {{14, 13}, {-7, 5},  {38, 5},  {5, -6},   {5, 33},  {-5, -5}, {40, 35},
                                {-20, 5}, {48, 0},  {0, -14}, {0, 40},   {-1, 0},  {29, 27}, {47, 39},
                                {-19, -13}};

class BlitterTest : public ::testing::TestWithParam<Layout> {
 protected:
  void SetUp() override {
    platform::reset_display_config();
    platform::display_config().masks = GetParam().masks;
    device_ = platform::DisplayDevice::create(nullptr);
    screen_ = device_->create_offscreen(640, 480, platform::SurfaceMemory::System);
    ASSERT_EQ(init_blitter(screen_.get()), 1);
  }

  // A 20 x 14 picture with runs of every kind, in the screen format.
  Bytes picture(int w = 20, int h = 14, std::uint32_t seed = 3) {
    auto pixels = fixtures::mixed_run_bitmap(w, h, seed);
    Heap heap(fixtures::rle_from_pixels(pixels, w, h));
    EXPECT_EQ(convert_rle_image(reinterpret_cast<RleImage*>(heap.data), heap.size, nullptr, nullptr, nullptr), 1);
    return Bytes(heap.data, heap.data + heap.size);
  }

  // What a draw of picture (decoded) at (x, y) must leave in the target: each literal pixel
  // combined into the destination by pixel(), clipped to clip.
  static void reference(GuardedTarget& t, const rle_reference::Picture& pic, int x, int y, BlitFlags flags,
                        const int clip[4], const std::function<std::uint16_t(std::uint16_t, std::uint16_t)>& pixel) {
    for (int ty = clip[1]; ty < clip[1] + clip[3]; ++ty) {
      for (int tx = clip[0]; tx < clip[0] + clip[2]; ++tx) {
        int px = tx - x, py = ty - y;
        if (px < 0 || py < 0 || px >= pic.width || py >= pic.height) continue;
        if (flags & BLIT_MIRROR_X) px = pic.width - 1 - px;
        if (flags & BLIT_MIRROR_Y) py = pic.height - 1 - py;
        const auto& p = pic.at(px, py);
        if (p.kind == Kind::Literal) t.at(tx, ty) = pixel(p.value, t.at(tx, ty));
      }
    }
  }

  std::unique_ptr<platform::DisplayDevice> device_;
  std::unique_ptr<platform::Surface> screen_;
};

std::uint16_t copy_pixel(std::uint16_t s, std::uint16_t) { return s; }

TEST_P(BlitterTest, Mode0MatchesTheReferenceOnEveryEdgeAndMirror) {
  Bytes pic = picture();
  auto decoded = rle_reference::decode(pic.data());
  Heap heap(pic);
  for (BlitFlags mirror : {0u, BLIT_MIRROR_X, BLIT_MIRROR_Y, BLIT_MIRROR_X | BLIT_MIRROR_Y}) {
    for (const Placement& at : placements) {
      GuardedTarget target(48, 40), expected(48, 40);
      target.make_current();
      set_blit_source(heap.data, PicKind::Auto, heap.size);
      put_pic(at.x, at.y, 20, 14, mirror, 0);
      int clip[4] = {0, 0, 48, 40};
      reference(expected, decoded, at.x, at.y, mirror, clip, copy_pixel);
      ASSERT_EQ(target.all(), expected.all()) << "mirror " << mirror << " at " << at.x << "," << at.y;
    }
  }
}

TEST_P(BlitterTest, Mode0StaysInsideANarrowedClip) {
  Bytes pic = picture(30, 25, 9);
  auto decoded = rle_reference::decode(pic.data());
  for (BlitFlags mirror : {0u, BLIT_MIRROR_X, BLIT_MIRROR_Y, BLIT_MIRROR_X | BLIT_MIRROR_Y}) {
    for (const Placement& at : placements) {
      GuardedTarget target(48, 40), expected(48, 40);
      target.make_current();
      set_blit_clip(5, 7, 35, 33);
      sprite_blitter.blit_source = pic.data();
      put_pic(at.x - 3, at.y - 2, 30, 25, mirror, 0);
      int clip[4] = {5, 7, 30, 26};
      reference(expected, decoded, at.x - 3, at.y - 2, mirror, clip, copy_pixel);
      ASSERT_EQ(target.all(), expected.all()) << "mirror " << mirror << " at " << at.x << "," << at.y;
    }
  }
}

// Mode 1 per channel: the source shifted by the offset and clamped to 0..31, then added to the
// destination and saturated at 31; bits between the fields end up 0.
std::uint16_t add_reference(std::uint16_t s, std::uint16_t d, int off_r, int off_g, int off_b) {
  Channels cs = channels(s), cd = channels(d);
  auto one = [](int sc, int dc, int off) { return std::min(std::clamp(sc + off, 0, 31) + dc, 31); };
  return compose({one(cs.r, cd.r, off_r), one(cs.g, cd.g, off_g), one(cs.b, cd.b, off_b)});
}

TEST_P(BlitterTest, Mode1AddsWithSaturationAfterTheOffsets) {
  Bytes pic = picture();
  auto decoded = rle_reference::decode(pic.data());
  struct Offsets {
    int r, g, b;
  } offsets[] = {{0, 0, 0}, {-3, -3, -3}, {255, 255, 255}, {5, -40, 1000000}, {INT_MIN, 7, -1}};
  for (const Offsets& o : offsets) {
    for (BlitFlags mirror : {0u, BLIT_MIRROR_X}) {
      for (const Placement& at : placements) {
        GuardedTarget target(48, 40), expected(48, 40);
        target.make_current();
        sprite_blitter.blit_source = pic.data();
        sprite_blitter.blit_add_r = o.r;
        sprite_blitter.blit_add_g = o.g;
        sprite_blitter.blit_add_b = o.b;
        put_pic(at.x, at.y, 20, 14, blit_mode(1) | mirror, 0);
        int clip[4] = {0, 0, 48, 40};
        reference(expected, decoded, at.x, at.y, mirror, clip, [&](std::uint16_t s, std::uint16_t d) {
          return add_reference(s, d, std::clamp(o.r, -32, 32), std::clamp(o.g, -32, 32), std::clamp(o.b, -32, 32));
        });
        ASSERT_EQ(target.all(), expected.all()) << "mirror " << mirror << " at " << at.x << "," << at.y;
        EXPECT_EQ(sprite_blitter.blit_add_r, 0);
      }
    }
  }
}

TEST_P(BlitterTest, Mode1Examples) {
  GuardedTarget target(4, 1);
  std::uint16_t src = compose({2, 20, 31});
  Bytes pic = fixtures::RleWriter(1, 1).literal({src}).end_row().finish();
  struct Case {
    std::uint16_t dest;
    int offset;
    Channels expected;
  } cases[] = {{compose({0, 0, 0}), 0, {2, 20, 31}},
               {compose({31, 31, 31}), 0, {31, 31, 31}},
               {compose({0, 0, 0}), -3, {0, 17, 28}},
               {compose({0, 0, 0}), 255, {31, 31, 31}}};
  for (const Case& c : cases) {
    target.make_current();
    target.at(0, 0) = c.dest;
    sprite_blitter.blit_source = pic.data();
    sprite_blitter.blit_add_r = sprite_blitter.blit_add_g = sprite_blitter.blit_add_b = c.offset;
    put_pic(0, 0, 1, 1, blit_mode(1), 0);
    EXPECT_EQ(target.at(0, 0), compose(c.expected)) << c.offset;
  }
}

TEST_P(BlitterTest, MirroredRowOfFourLandsReversed) {
  Bytes pic = fixtures::RleWriter(4, 1).literal({1, 2, 3, 4}).end_row().finish();
  GuardedTarget target(8, 2);
  target.make_current();
  sprite_blitter.blit_source = pic.data();
  put_pic(2, 1, 4, 1, BLIT_MIRROR_X, 0);
  EXPECT_EQ(target.at(2, 1), 4);
  EXPECT_EQ(target.at(3, 1), 3);
  EXPECT_EQ(target.at(4, 1), 2);
  EXPECT_EQ(target.at(5, 1), 1);
}

TEST_P(BlitterTest, PicturesThatAreNotSixteenBitOrStopEarly) {
  GuardedTarget target(10, 10), untouched(10, 10);
  target.make_current();
  Bytes eight = fixtures::RleWriter(2, 1, 8).literal8({1, 2}).end_row().finish();
  sprite_blitter.blit_source = eight.data();
  put_pic(0, 0, 2, 1, 0, 0);
  EXPECT_EQ(target.all(), untouched.all());
  // Fewer rows than asked for: the draw ends at the final 0.
  Bytes one_row = fixtures::RleWriter(2, 5).literal({9, 9}).end_row().finish();
  sprite_blitter.blit_source = one_row.data();
  put_pic(0, 0, 2, 5, 0, 0);
  EXPECT_EQ(target.at(1, 0), 9);
  EXPECT_EQ(target.at(0, 1), untouched.at(0, 1));
}

// ---- raw pictures ----

std::vector<std::uint16_t> raw_picture(int w, int h, std::uint32_t seed) {
  std::vector<std::uint16_t> px(std::size_t(w) * h);
  for (auto& p : px) p = std::uint16_t(blit_test::next_random(seed));
  for (std::size_t i = 0; i < px.size(); i += 5) px[i] = std::uint16_t(key_colour);
  return px;
}

// Sixteenths of s over d per 5-bit channel: the four halvings each taken from s or d by the
// level's bits; 0 keeps d and 15 writes s.
std::uint16_t sixteenths(std::uint16_t s, std::uint16_t d, int level) {
  if (level <= 0) return d;
  if (level >= 15) return s;
  Channels cs = channels(s), cd = channels(d);
  auto one = [level](int sc, int dc) {
    int sum = 0;
    for (int k = 1; k <= 4; ++k) sum += ((level >> (4 - k)) & 1 ? sc : dc) >> k;
    return sum;
  };
  return compose({one(cs.r, cd.r), one(cs.g, cd.g), one(cs.b, cd.b)});
}

struct RawCase {
  const char* name;
  BlitFlags flags;
  int level;
  std::function<std::uint16_t(std::uint16_t s, std::uint16_t d, int level)> pixel;
};

TEST_P(BlitterTest, RawModesMatchTheReference) {
  const int w = 13, h = 11;
  auto px = raw_picture(w, h, 5);
  Heap heap(px);
  const std::uint16_t key = std::uint16_t(key_colour);
  RawCase cases[] = {
      {"copy", 0, 0, [](std::uint16_t s, std::uint16_t, int) { return s; }},
      {"copy mirrored", BLIT_MIRROR_X, 0, [](std::uint16_t s, std::uint16_t, int) { return s; }},
      {"keyed", blit_mode(1), 0, [key](std::uint16_t s, std::uint16_t d, int) { return s == key ? d : s; }},
      {"keyed mirrored", blit_mode(1) | BLIT_MIRROR_X, 0,
       [key](std::uint16_t s, std::uint16_t d, int) { return s == key ? d : s; }},
      {"level 1", blit_mode(5), 1, [](std::uint16_t, std::uint16_t d, int) { return d; }},
      {"level 2", blit_mode(5), 2,
       [key](std::uint16_t s, std::uint16_t d, int) { return s == key ? d : sixteenths(s, d, 1); }},
      {"level 9", blit_mode(5), 9,
       [key](std::uint16_t s, std::uint16_t d, int) { return s == key ? d : sixteenths(s, d, 8); }},
      {"level 15", blit_mode(5), 15,
       [key](std::uint16_t s, std::uint16_t d, int) { return s == key ? d : sixteenths(s, d, 14); }},
      {"level 16 copies", blit_mode(5), 16, [](std::uint16_t s, std::uint16_t, int) { return s; }},
  };
  for (const RawCase& c : cases) {
    for (const Placement& at : placements) {
      GuardedTarget target(48, 40), expected(48, 40);
      target.make_current();
      set_blit_source(heap.data, PicKind::Raw, heap.size);
      sprite_blitter.blit_level = c.level;
      put_pic(at.x, at.y, w, h, c.flags, 0);
      for (int ty = 0; ty < 40; ++ty) {
        for (int tx = 0; tx < 48; ++tx) {
          int sx = tx - at.x, sy = ty - at.y;
          if (sx < 0 || sy < 0 || sx >= w || sy >= h) continue;
          if (c.flags & BLIT_MIRROR_X) sx = w - 1 - sx;
          expected.at(tx, ty) = c.pixel(px[std::size_t(sy) * w + sx], expected.at(tx, ty), c.level);
        }
      }
      ASSERT_EQ(target.all(), expected.all()) << c.name << " at " << at.x << "," << at.y;
    }
  }
}

TEST_P(BlitterTest, RawFadeFillStepsDownFromTheFirstRowDrawn) {
  const int w = 6;
  for (int h : {32, 10, 40}) {
    for (int y : {0, -7, 20}) {
      std::vector<std::uint16_t> px(std::size_t(w) * h, 0);
      px[0] = compose({31, 8, 20});
      Heap heap(px);
      GuardedTarget target(48, 40), expected(48, 40);
      target.make_current();
      set_blit_source(heap.data, PicKind::Raw, heap.size);
      put_pic(3, y, w, h, blit_mode(2), 0);
      int first = std::max(y, 0), last = std::min(y + h, 40);
      for (int ty = first; ty < last; ++ty) {
        int level = std::max(15 - (ty - first) / ((h >> 4) + 1), 0);
        for (int tx = 3; tx < 3 + w; ++tx) expected.at(tx, ty) = sixteenths(px[0], expected.at(tx, ty), level);
      }
      ASSERT_EQ(target.all(), expected.all()) << "h " << h << " y " << y;
    }
  }
}

// A raw picture whose first pixel is the RLE magic is drawn as raw when the caller says so.
TEST_P(BlitterTest, RawPictureStartingWithTheMagicWord) {
  std::vector<std::uint16_t> px = {0xFFFF, 0x1234, 0x0001, 0x0002};
  GuardedTarget target(4, 4);
  target.make_current();
  set_blit_source(px.data(), PicKind::Raw, px.size() * 2);
  put_pic(0, 0, 2, 2, 0, 0);
  EXPECT_EQ(target.at(0, 0), 0xFFFF);
  EXPECT_EQ(target.at(1, 1), 0x0002);
  EXPECT_EQ(sprite_blitter.blit_source_kind, PicKind::Auto);
}

TEST_P(BlitterTest, RawDrawReadingPastTheStatedSizeIsRefused) {
  auto px = raw_picture(8, 8, 1);
  GuardedTarget target(16, 16), untouched(16, 16);
  target.make_current();
  set_blit_source(px.data(), PicKind::Raw, 8 * 7 * 2);  // one row short
  put_pic(0, 0, 8, 8, 0, 0);
  EXPECT_EQ(target.all(), untouched.all());
  // Clipped so that the missing row is not read: drawn.
  set_blit_clip(0, 0, 16, 7);
  set_blit_source(px.data(), PicKind::Raw, 8 * 7 * 2);
  put_pic(0, 0, 8, 8, 0, 0);
  EXPECT_EQ(target.at(7, 6), px[6 * 8 + 7]);
}

TEST_P(BlitterTest, RawPictureMirroredVerticallyDrawsNothing) {
  auto px = raw_picture(4, 4, 2);
  GuardedTarget target(8, 8), untouched(8, 8);
  target.make_current();
  sprite_blitter.blit_source = px.data();
  sprite_blitter.blit_level = 3;
  put_pic(0, 0, 4, 4, BLIT_MIRROR_Y, 0);
  EXPECT_EQ(target.all(), untouched.all());
  EXPECT_EQ(sprite_blitter.blit_level, 0);
}

INSTANTIATE_TEST_SUITE_P(Layouts, BlitterTest, ::testing::ValuesIn(layouts),
                         [](const auto& info) { return std::string(info.param.name); });

// ---- the frame: targets, clips, one-shot settings ----

class BlitFrameTest : public ::testing::Test {
 protected:
  void SetUp() override {
    platform::reset_display_config();
    device_ = platform::DisplayDevice::create(nullptr);
    screen_ = device_->create_offscreen(640, 480, platform::SurfaceMemory::System);
    ASSERT_EQ(init_blitter(screen_.get()), 1);
    // The scaled path keeps the one-shot settings by design; none may reach the next test.
    sprite_blitter.blit_level = 0;
    sprite_blitter.blit_add_r = sprite_blitter.blit_add_g = sprite_blitter.blit_add_b = 0;
    pic_ = fixtures::RleWriter(2, 2).literal({5, 6}).end_row().literal({7, 8}).end_row().finish();
  }
  std::unique_ptr<platform::DisplayDevice> device_;
  std::unique_ptr<platform::Surface> screen_;
  Bytes pic_;
};

TEST_F(BlitFrameTest, ScreenTargetComesBackWithANullTable) {
  GuardedTarget texture(64, 32);
  texture.make_current();
  EXPECT_EQ(sprite_blitter.blit_pitch, texture.stride() * 2);
  EXPECT_EQ(sprite_blitter.blit_clip[2], 64);
  set_blit_target(nullptr, 0, 0, 0);
  EXPECT_EQ(sprite_blitter.blit_row_table, sprite_blitter.screen_row_table);
  EXPECT_EQ(sprite_blitter.blit_pitch, 1280);
  EXPECT_EQ(sprite_blitter.blit_clip[2], 640);
  EXPECT_EQ(sprite_blitter.blit_clip[3], 480);
  EXPECT_EQ(sprite_blitter.blit_dest, texture.origin());
}

// The clip is kept inside the current target, not the surface examined last.
TEST_F(BlitFrameTest, ClipIsBoundedByTheCurrentTarget) {
  GuardedTarget texture(16, 8);
  texture.make_current();
  set_blit_clip(-4, -4, 640, 480);
  EXPECT_EQ(sprite_blitter.blit_clip[0], 0);
  EXPECT_EQ(sprite_blitter.blit_clip[2], 16);
  EXPECT_EQ(sprite_blitter.blit_clip[3], 8);
  GuardedTarget untouched(16, 8);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 16; ++x) untouched.at(x, y) = texture.at(x, y) = 0;
  std::vector<std::uint16_t> px(40 * 20, 0x1111);
  set_blit_source(px.data(), PicKind::Raw, px.size() * 2);
  put_pic(-3, -3, 40, 20, 0, 0);
  for (int y = -8; y < 16; ++y)
    for (int x = -8; x < 24; ++x)
      EXPECT_EQ(texture.at(x, y), (x >= 0 && y >= 0 && x < 16 && y < 8) ? 0x1111 : untouched.at(x, y));
}

TEST_F(BlitFrameTest, InvertedClipDrawsNothing) {
  GuardedTarget target(32, 32), untouched(32, 32);
  target.make_current();
  set_blit_clip(10, 10, 5, 50);
  EXPECT_EQ(sprite_blitter.blit_clip[2], -5);
  sprite_blitter.blit_source = pic_.data();
  put_pic(8, 8, 2, 2, 0, 0);
  EXPECT_EQ(target.all(), untouched.all());
}

TEST_F(BlitFrameTest, OneShotSettingsAreClearedByEveryDrawButTheScaledOne) {
  GuardedTarget target(8, 8);
  target.make_current();
  auto arm = [] {
    sprite_blitter.blit_level = 4;
    sprite_blitter.blit_add_r = sprite_blitter.blit_add_g = sprite_blitter.blit_add_b = -3;
  };
  arm();
  sprite_blitter.blit_source = pic_.data();
  put_pic(100, 100, 2, 2, 0, 0);  // clipped away
  EXPECT_EQ(sprite_blitter.blit_level, 0);
  EXPECT_EQ(sprite_blitter.blit_add_b, 0);
  arm();
  sprite_blitter.blit_source = pic_.data();
  put_pic(0, 0, 2, 2, 0x80, 0);  // the scaled path
  EXPECT_EQ(sprite_blitter.blit_level, 4);
  EXPECT_EQ(sprite_blitter.blit_add_g, -3);
  arm();
  sprite_blitter.blit_source = pic_.data();
  put_pic(0, 0, 2, 2, 0x3FFFFFFC, 0);  // an index far past the table
  EXPECT_EQ(sprite_blitter.blit_level, 4);
}

TEST_F(BlitFrameTest, Mode5WithoutLevelDrawsNothingAndAboveFifteenCopies) {
  GuardedTarget target(8, 8), untouched(8, 8);
  target.make_current();
  sprite_blitter.blit_source = pic_.data();
  put_pic(0, 0, 2, 2, blit_mode(5), 0);
  EXPECT_EQ(target.all(), untouched.all());
  sprite_blitter.blit_source = pic_.data();
  sprite_blitter.blit_level = 16;
  put_pic(0, 0, 2, 2, blit_mode(5) | BLIT_MIRROR_Y, 0);
  EXPECT_EQ(target.at(0, 0), 7);
  EXPECT_EQ(target.at(1, 1), 6);
}

TEST_F(BlitFrameTest, ModesWithoutARoutineDrawNothing) {
  GuardedTarget target(8, 8), untouched(8, 8);
  target.make_current();
  for (BlitFlags flags : {blit_mode(1) | BLIT_MIRROR_Y, blit_mode(6) | BLIT_MIRROR_Y, blit_mode(13)}) {
    sprite_blitter.blit_source = pic_.data();
    put_pic(0, 0, 2, 2, flags, 0);
  }
  EXPECT_EQ(target.all(), untouched.all());
}

// A failed lock leaves a null target; a draw then touches nothing.
TEST_F(BlitFrameTest, NullSourceOrTargetDrawsNothing) {
  GuardedTarget target(8, 8), untouched(8, 8);
  target.make_current();
  sprite_blitter.blit_source = nullptr;
  sprite_blitter.blit_level = 2;
  put_pic(0, 0, 2, 2, 0, 0);
  EXPECT_EQ(sprite_blitter.blit_level, 0);
  sprite_blitter.blit_dest = nullptr;
  sprite_blitter.blit_source = pic_.data();
  put_pic(0, 0, 2, 2, 0, 0);
  target.make_current();
  EXPECT_EQ(target.all(), untouched.all());
}

TEST_F(BlitFrameTest, PositionsNearTheIntLimitsDrawNothing) {
  GuardedTarget target(8, 8), untouched(8, 8);
  target.make_current();
  std::vector<std::uint16_t> px(4, 0x2222);
  for (auto [x, y] : {std::pair{INT_MAX, 0}, {0, INT_MAX}, {INT_MIN, 0}, {0, INT_MIN}, {INT_MAX - 1, INT_MAX - 1}}) {
    sprite_blitter.blit_source = pic_.data();
    put_pic(x, y, 2, 2, BLIT_MIRROR_X | BLIT_MIRROR_Y, 0);
    set_blit_source(px.data(), PicKind::Raw, 8);
    put_pic(x, y, INT_MAX, INT_MAX, 0, 0);
  }
  EXPECT_EQ(target.all(), untouched.all());
}

// Pictures that were never validated: whatever their codes say, writes stay inside the clipped
// box of the draw, and reads inside the stated size.
TEST_F(BlitFrameTest, GarbagePicturesNeverWriteOutsideTheirBox) {
  std::uint32_t seed = 12345;
  for (int round = 0; round < 300; ++round) {
    Bytes bytes(8 + blit_test::next_random(seed) % 200);
    for (auto& b : bytes) b = std::uint8_t(blit_test::next_random(seed));
    std::uint16_t header[4] = {0xFFFF, 12, 9, std::uint16_t(round % 3 ? 16 : 0x8010)};
    std::memcpy(bytes.data(), header, 8);
    Heap heap(bytes);
    int x = int(blit_test::next_random(seed) % 40) - 10, y = int(blit_test::next_random(seed) % 30) - 10;
    BlitFlags flags = (blit_test::next_random(seed) % 4) | (round % 2 ? blit_mode(1) : 0);
    if (flags & blit_mode(1)) flags &= ~BLIT_MIRROR_Y;
    GuardedTarget target(24, 16), untouched(24, 16);
    target.make_current();
    set_blit_source(heap.data, PicKind::Rle, heap.size);
    put_pic(x, y, 12, 9, flags, 0);
    for (int ty = -8; ty < 24; ++ty)
      for (int tx = -8; tx < 32; ++tx) {
        bool in_box = tx >= std::max(x, 0) && tx < std::min(x + 12, 24) && ty >= std::max(y, 0) && ty < std::min(y + 9, 16);
        if (!in_box) {
          ASSERT_EQ(target.at(tx, ty), untouched.at(tx, ty)) << round;
        }
      }
  }
}

}  // namespace

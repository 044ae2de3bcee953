// Pixel formats: the values each layout installs and the converters between RGB555 and it.
#include "gfx2d/pixel_format.h"
#include "gfx2d/sprite_blitter.h"
#include "platform/display.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct LayoutCase {
  const char* name;
  std::uint32_t r, g, b;  // masks as the surface reports them
  std::uint32_t red, green, blue;
  std::uint32_t shift1;
  std::uint32_t red_unit, green_unit, blue_unit;
  std::uint32_t key, key2, outline;
};

const LayoutCase layouts[] = {
    {"555", 0x7C00, 0x03E0, 0x001F, 0x7C00, 0x03E0, 0x001F, 0x3DEF3DEF, 0x0400, 0x0020, 0x0001, 0x026B026B,
     0x319F319F, 0x03E003E0},
    {"565", 0xF800, 0x07E0, 0x001F, 0xF800, 0x07C0, 0x001F, 0x7BCF7BCF, 0x0800, 0x0040, 0x0001, 0x04CB04CB,
     0x631F631F, 0x07C00F80},
    {"5551", 0xF800, 0x07C0, 0x003F, 0xF800, 0x07C0, 0x003E, 0x7BDE7BDE, 0x0800, 0x0040, 0x0002, 0x04D604D6,
     0x633E633E, 0x07C00F80},
    {"655", 0xFC00, 0x03E0, 0x001F, 0xF800, 0x03E0, 0x001F, 0x79EF79EF, 0x0800, 0x0020, 0x0001, 0x026B026B,
     0x619F619F, 0x03E003E0},
};

class LayoutTest : public ::testing::TestWithParam<LayoutCase> {};

TEST_P(LayoutTest, InstallsTheLayoutsValues) {
  const LayoutCase& c = GetParam();
  apply_pixel_masks(c.r, c.g, c.b);
  EXPECT_EQ(red_mask, c.red);
  EXPECT_EQ(green_mask, c.green);
  EXPECT_EQ(blue_mask, c.blue);
  EXPECT_EQ(not_green_mask, ~c.green);
  EXPECT_EQ(shift_mask[1], c.shift1);
  EXPECT_EQ(shift_mask[5], 0u);
  EXPECT_EQ(red_unit, c.red_unit);
  EXPECT_EQ(green_unit, c.green_unit);
  EXPECT_EQ(blue_unit, c.blue_unit);
  EXPECT_EQ(key_colour, c.key);
  EXPECT_EQ(key_colour2, c.key2);
  EXPECT_EQ(outline_colour, c.outline);
  EXPECT_EQ(rle_magic, 0xFFFFu);
}

// Every shift mask divides each channel by 2^k: no bit crosses into a neighbouring field.
TEST_P(LayoutTest, ShiftMasksDivideEachChannelAlone) {
  const LayoutCase& c = GetParam();
  apply_pixel_masks(c.r, c.g, c.b);
  for (std::uint32_t p : {0xFFFFu, 0x1234u, 0x8421u, 0x7BDEu}) {
    for (int k = 1; k <= 4; ++k) {
      std::uint32_t shifted = (p >> k) & shift_mask[k];
      for (std::uint32_t m : {red_mask, green_mask, blue_mask})
        EXPECT_EQ(shifted & m, ((p & m) >> k) & m) << c.name << " k=" << k;
    }
  }
}

TEST_P(LayoutTest, EveryRgb555ColourSurvivesTheRoundTrip) {
  const LayoutCase& c = GetParam();
  apply_pixel_masks(c.r, c.g, c.b);
  std::vector<std::uint16_t> all(32768);
  for (int i = 0; i < 32768; ++i) all[std::size_t(i)] = std::uint16_t(i);
  std::vector<std::uint16_t> pixels = all;
  rgb555_to_screen(pixels.data(), int(pixels.size()));
  screen_to_rgb555(pixels.data(), int(pixels.size()));
  EXPECT_EQ(pixels, all);
}

INSTANTIATE_TEST_SUITE_P(Layouts, LayoutTest, ::testing::ValuesIn(layouts),
                         [](const auto& info) { return std::string("rgb") + info.param.name; });

TEST(PixelFormat, ConvertersOfTheFourLayouts) {
  struct Case {
    void (*convert)(std::uint16_t*, int);
    std::uint16_t in, out;
  } cases[] = {
      {rgb555_to_565, 0x7FFF, 0xFFDF}, {rgb565_to_555, 0xFFFF, 0x7FFF}, {rgb555_to_565, 0x8000, 0x0000},
      {rgb555_to_565, 0x026B, 0x04CB}, {rgb555_to_5551, 0x7FFF, 0xFFFE}, {rgb5551_to_555, 0xFFFE, 0x7FFF},
      {rgb555_to_655, 0x7FFF, 0xFBFF}, {rgb655_to_555, 0xFBFF, 0x7FFF},
  };
  for (const Case& c : cases) {
    std::uint16_t p = c.in;
    c.convert(&p, 1);
    EXPECT_EQ(p, c.out) << std::hex << c.in;
  }
}

TEST(PixelFormat, ConvertersStartAsTheIdentity) {
  std::uint16_t p[2] = {0x7FFF, 0x1234};
  rgb555_to_screen(p, 2);
  screen_to_rgb555(p, 2);
  EXPECT_EQ(p[0], 0x7FFF);
  EXPECT_EQ(p[1], 0x1234);
}

TEST(PixelFormat, UnknownMasksKeepThePreviousConverters) {
  apply_pixel_masks(0xF800, 0x07E0, 0x001F);
  apply_pixel_masks(0xFF0000, 0x00FF00, 0x0000FF);  // a 32-bit layout
  std::uint16_t p = 0x7FFF;
  rgb555_to_screen(&p, 1);
  EXPECT_EQ(p, 0xFFDF);
  EXPECT_EQ(red_mask, 0x0000u);  // the low 16 bits of the red mask
  EXPECT_EQ(green_mask, 0xFF00u);
}

TEST(PixelFormat, NullSurfaceIsPlainRgb555) {
  apply_pixel_masks(0xF800, 0x07E0, 0x001F);
  ASSERT_EQ(setup_pixel_format(nullptr), 1);
  EXPECT_EQ(red_mask, 0x7C00u);
  std::uint16_t p = 0x7FFF;
  rgb555_to_screen(&p, 1);
  EXPECT_EQ(p, 0x7FFF);
}

class SurfaceFormatTest : public ::testing::Test {
 protected:
  void SetUp() override {
    platform::reset_display_config();
    platform::display_config().pitch_padding = 12;
    device_ = platform::DisplayDevice::create(nullptr);
    ASSERT_TRUE(device_);
    surface_ = device_->create_offscreen(100, 50, platform::SurfaceMemory::System);
    ASSERT_TRUE(surface_);
  }
  std::unique_ptr<platform::DisplayDevice> device_;
  std::unique_ptr<platform::Surface> surface_;
};

// The examined surface's size goes to its own values; the blitter's current pitch is left alone.
TEST_F(SurfaceFormatTest, RecordsTheSurfaceWithoutTouchingTheBlitTarget) {
  sprite_blitter.blit_pitch = 1234;
  ASSERT_EQ(setup_pixel_format(surface_.get()), 1);
  EXPECT_EQ(surface_width, 100);
  EXPECT_EQ(surface_height, 50);
  EXPECT_EQ(surface_pitch, 212);
  EXPECT_EQ(green_mask, 0x07C0u);
  EXPECT_EQ(sprite_blitter.blit_pitch, 1234);
}

TEST_F(SurfaceFormatTest, LostSurfaceChangesNothing) {
  setup_pixel_format(nullptr);
  surface_width = 7;
  platform::inject_surface_loss();
  EXPECT_EQ(setup_pixel_format(surface_.get()), 0);
  EXPECT_EQ(surface_width, 7);
  EXPECT_EQ(red_mask, 0x7C00u);
}

}  // namespace

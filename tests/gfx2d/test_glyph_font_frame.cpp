// A frame of text in the game's three fonts, drawn with the fake rasteriser into the headless
// display's 640 x 480 back buffer, written as a PNG and compared with the committed reference
// tests/gfx2d/reference/glyph_font_frame.png. QORV_UPDATE_REFERENCES=1 writes the reference anew.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "gfx2d/big5_gb_table.h"
#include "gfx2d/cddraw.h"
#include "gfx2d/game_fonts.h"
#include "gfx2d/sprite_blitter.h"
#include "platform/display.h"
#include "platform/png_reader.h"
#include "platform/png_writer.h"
#include "tests/gfx2d/fake_font.h"
#include "qorv_source_dir.h"

namespace {

constexpr int kWidth = 640, kRows = 480;

// RGB565 colours.
constexpr std::uint16_t kSky = 0x0010, kWhite = 0xFFFF, kGold = 0xFEA0, kBlack = 0x0000,
                        kRed = 0xF800, kGreen = 0x07E0, kPanel = 0x4208;

const std::string kSample =
    "Big5 \xA4\xD1\xA6\x61\xA5\xC8\xB6\xC0 AB12 \xA4\xA4\xA4\xE5";  // "Big5 天地玄黃 AB12 中文"
const std::string kTest = "\xA6\x72\xAB\xAC\xB4\xFA\xB8\xD5";       // "字型測試"

struct Line {
  GlyphFont* font;
  int x, y;
  std::uint16_t colour, flags, background;
};

// Every style in every size, a background cell line and lines cut by the clip.
void draw_frame(std::uint16_t* frame) {
  for (int i = 0; i < kWidth * kRows; ++i) frame[i] = kSky;
  const std::uint16_t styles[] = {GLYPH_PLAIN, GLYPH_SHADOW, GLYPH_BOLD_SHADOW, GLYPH_OUTLINE,
                                  GLYPH_BOLD_OUTLINE};
  int y = 8;
  for (GlyphFont* font : {&font_20, &font_16, &font_12}) {
    font->set_shadow_color(kBlack);
    for (std::uint16_t style : styles) {
      font->draw_text(frame, 8, y, kSample.c_str(), kWhite, style);
      y += font->glyph_height() + 6;
    }
  }
  font_16.set_back_color(kPanel);
  font_16.draw_text(frame, 8, y, kTest.c_str(), kGold, GLYPH_BOLD_SHADOW);
  font_16.set_back_color(GlyphFont::kNoBackground);
  font_20.draw_text(frame, 8, y + 24, kTest.c_str(), kRed, GLYPH_PLAIN | GLYPH_RAMP_UP);
  font_12.set_clip(300, 0, 40, kRows);
  font_12.draw_text(frame, 290, 8, kSample.c_str(), kGreen, GLYPH_OUTLINE);
  font_12.set_clip(0, 0, kWidth, kRows);
  font_20.draw_text(frame, 600, 462, kTest.c_str(), kGold, GLYPH_BOLD_OUTLINE);  // off the edges
}

TEST(GlyphFontFrame, TextInTheThreeSizesMatchesTheReference) {
  fake_font::install();
  init_big5_gb();
  cDDRAW display;
  display.enum_Ddraw_driver();
  ASSERT_EQ(display.Init(nullptr, 0, 20002, 2, kWidth, kRows, 16), 1);
  const struct {
    GlyphFont* font;
    int size, advance;
  } fonts[] = {{&font_20, 20, 22}, {&font_16, 16, 18}, {&font_12, 12, 14}};
  for (const auto& f : fonts) {
    f.font->init(&display);
    f.font->set_font(kGameFontFace, f.size);
    f.font->set_advance(f.advance);
  }
  // Drawn into the locked back buffer, as every screen draws its text.
  platform::Surface* back = display.get_surface(DDRAW_BACK_SURFACE);
  ASSERT_NE(back, nullptr);
  std::uint16_t* pixels = lock_surface(back);
  ASSERT_NE(pixels, nullptr);
  ASSERT_EQ(back->pitch(), kWidth * 2);
  draw_frame(pixels);
  const std::vector<std::uint16_t> frame(pixels, pixels + kWidth * kRows);
  unlock_surface(back, pixels);

  const std::string written = "glyph_font_frame.png";
  ASSERT_TRUE(platform::write_png_rgb565(written, frame.data(), kWidth, kRows, kWidth));
  const std::string reference = QORV_SOURCE_DIR "/tests/gfx2d/reference/glyph_font_frame.png";
  if (const char* update = std::getenv("QORV_UPDATE_REFERENCES"); update && *update == '1') {
    ASSERT_TRUE(platform::write_png_rgb565(reference, frame.data(), kWidth, kRows, kWidth));
  }

  std::vector<std::uint16_t> got, want;
  int got_w = 0, got_h = 0, want_w = 0, want_h = 0;
  ASSERT_TRUE(platform::read_png_rgb565(written, got, got_w, got_h));
  ASSERT_TRUE(platform::read_png_rgb565(reference, want, want_w, want_h))
      << reference << " is missing: QORV_UPDATE_REFERENCES=1 writes it";
  ASSERT_EQ(got_w, want_w);
  ASSERT_EQ(got_h, want_h);
  EXPECT_EQ(got, frame) << "the PNG does not hold the frame";
  int differing = 0;
  for (std::size_t i = 0; i < got.size(); ++i) differing += got[i] != want[i];
  EXPECT_EQ(differing, 0) << "pixels differ from the reference; the written frame is " << written;

  for (const auto& f : fonts) f.font->release();
  display.release();
  free_big5_gb();
  fake_font::uninstall();
}

}  // namespace

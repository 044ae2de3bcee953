// The real rasteriser (FreeType with the font fontconfig picks, or QORV_FONT) draws "一".
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "gfx2d/big5_gb_table.h"
#include "gfx2d/game_fonts.h"
#include "gfx2d/glyph_font.h"

TEST(GlyphFontRealFont, DrawsTheCharacterOneAsAHorizontalStroke) {
  init_big5_gb();
  constexpr int kWidth = 40, kRows = 24;
  std::vector<std::uint16_t> pixels(kWidth * kRows, 0);
  GlyphFont font;
  font.set_target(kWidth, kRows);
  font.set_clip(0, 0, kWidth, kRows);
  font.set_font(kGameFontFace, 20);
  font.set_advance(22);
  font.draw_text(pixels.data(), 0, 0, "\xA4\x40", 0xFFFF, GLYPH_PLAIN);  // "一"

  // Ink, all of it in a band of a few rows, wider than tall, inside the 20-pixel cell.
  int ink = 0, top = kRows, bottom = -1, left = kWidth, right = -1;
  for (int y = 0; y < kRows; ++y)
    for (int x = 0; x < kWidth; ++x)
      if (pixels[y * kWidth + x]) {
        ++ink;
        top = std::min(top, y), bottom = std::max(bottom, y);
        left = std::min(left, x), right = std::max(right, x);
      }
  ASSERT_GT(ink, 10);
  EXPECT_LE(bottom - top, 4);
  EXPECT_GE(right - left, 12);
  EXPECT_LT(right, 20);
  EXPECT_LT(bottom, 20);
  free_big5_gb();
}

// QORV_FONT names the font file; one that cannot be opened leaves the font without glyphs, and
// text then draws as nothing rather than failing.
TEST(GlyphFontRealFont, AFontFileThatCannotBeOpenedDrawsNothing) {
  ASSERT_EQ(setenv("QORV_FONT", "/nonexistent/font.ttf", 1), 0);
  init_big5_gb();
  std::vector<std::uint16_t> pixels(40 * 24, 0);
  GlyphFont font;
  font.set_target(40, 24);
  font.set_clip(0, 0, 40, 24);
  font.set_font(kGameFontFace, 20);
  font.draw_text(pixels.data(), 0, 0,
                 "\xA4\x40"
                 "A",
                 0xFFFF, GLYPH_BOLD_OUTLINE);
  EXPECT_TRUE(font.is_cached('A'));
  EXPECT_EQ(std::count(pixels.begin(), pixels.end(), 0), 40 * 24);
  free_big5_gb();
  unsetenv("QORV_FONT");
}

// The real rasteriser (FreeType with the font fontconfig picks, or QORV_FONT) draws "一".
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "gfx2d/big5_gb_table.h"
#include "gfx2d/glyph_font.h"

TEST(GlyphFontRealFont, DrawsTheCharacterOneAsAHorizontalStroke) {
  init_big5_gb();
  constexpr int kWidth = 40, kRows = 24;
  std::vector<std::uint16_t> pixels(kWidth * kRows, 0);
  GlyphFont font;
  font.set_target(kWidth, kRows);
  font.set_clip(0, 0, kWidth, kRows);
  font.set_font("\xB2\xD3\xA9\xFA\xC5\xE9", 20);  // "細明體"
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

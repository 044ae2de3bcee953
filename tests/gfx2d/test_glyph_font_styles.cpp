// The five drawing styles against small reference bitmaps. The fake rasteriser draws "一" in a
// 6-pixel font as a "Γ" with a dot:
//     ......
//     .####.
//     .#....
//     .#....
//     .#.#..
//     ......
// drawn at (2, 2). In the pictures C is the colour, S the shadow, B the background.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "gfx2d/big5_gb_table.h"
#include "gfx2d/glyph_font.h"
#include "tests/gfx2d/fake_font.h"

namespace {

constexpr int kWidth = 12, kRows = 9;
constexpr std::uint16_t kColour = 0x7BEF, kShadow = 0x0841, kBack = 0x001F, kPaper = 0;

struct StyleCase {
  const char* name;
  std::uint16_t flags;
  std::uint16_t background;
  std::vector<std::string> picture;
};

// clang-format off
const StyleCase kCases[] = {
    {"plain", GLYPH_PLAIN, GlyphFont::kNoBackground,
     {"............",
      "............",
      "............",
      "...CCCC.....",
      "...C........",
      "...C........",
      "...C.C......",
      "............",
      "............"}},
    {"plain over a background cell", GLYPH_PLAIN, kBack,
     {"............",
      "............",
      "..BBBBBBBB..",
      "..BCCCCBBB..",
      "..BCBBBBBB..",
      "..BCBBBBBB..",
      "..BCBCBBBB..",
      "..BBBBBBBB..",
      "............"}},
    {"drop shadow", GLYPH_SHADOW, GlyphFont::kNoBackground,
     {"............",
      "............",
      "............",
      "...CCCC.....",
      "...CSSSS....",
      "...CS.......",
      "...CSC......",
      "...SSSS.....",
      "............"}},
    {"bold with shadow", GLYPH_BOLD_SHADOW, GlyphFont::kNoBackground,
     {"............",
      "............",
      "............",
      "...CCCCC....",
      "...CCSSSS...",
      "...CCS......",
      "...CCCC.....",
      "....SSSS....",
      "............"}},
    {"outline", GLYPH_OUTLINE, GlyphFont::kNoBackground,
     {"............",
      "............",
      "...SSSS.....",
      "..SCCCC.....",
      "..SCSSSS....",
      "..SCSS......",
      "..SCSC......",
      "..SSSSS.....",
      "............"}},
    {"bold outline", GLYPH_BOLD_OUTLINE, GlyphFont::kNoBackground,
     {"............",
      "............",
      "...SSSS.....",
      "..SCCCCCS...",
      "..SCCSSSS...",
      "..SCCS......",
      "..SCCCCS....",
      "..SSSSSS....",
      "............"}},
    {"the first style bit wins", GLYPH_SHADOW | GLYPH_OUTLINE | GLYPH_BOLD_OUTLINE, GlyphFont::kNoBackground,
     {"............",
      "............",
      "............",
      "...CCCC.....",
      "...CSSSS....",
      "...CS.......",
      "...CSC......",
      "...SSSS.....",
      "............"}},
};
// clang-format on

std::vector<std::string> picture_of(const std::vector<std::uint16_t>& pixels) {
  std::vector<std::string> rows;
  for (int y = 0; y < kRows; ++y) {
    std::string row;
    for (int x = 0; x < kWidth; ++x) {
      const std::uint16_t p = pixels[y * kWidth + x];
      row += p == kColour ? 'C' : p == kShadow ? 'S' : p == kBack ? 'B' : p == kPaper ? '.' : '?';
    }
    rows.push_back(row);
  }
  return rows;
}

TEST(GlyphFontStyles, EachStyleDrawsItsReferencePicture) {
  fake_font::install();
  init_big5_gb();
  for (const StyleCase& c : kCases) {
    SCOPED_TRACE(c.name);
    std::vector<std::uint16_t> pixels(kWidth * kRows, kPaper);
    GlyphFont font;
    font.set_target(kWidth, kRows);
    font.set_clip(0, 0, kWidth, kRows);
    font.set_font("face", 6);
    font.set_advance(6);
    font.set_shadow_color(kShadow);
    font.set_back_color(c.background);
    font.draw_text(pixels.data(), 2, 2, "\xA4\x40", kColour, c.flags);  // "一"
    EXPECT_EQ(picture_of(pixels), c.picture);
  }
  free_big5_gb();
  fake_font::uninstall();
}

}  // namespace

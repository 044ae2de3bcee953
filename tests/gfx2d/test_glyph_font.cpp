// The glyph font's cache, layout, background cells, clipping and failure paths, drawn with the
// fake rasteriser (each glyph a "Γ": its stem on the cell's column 1, rows 1 to size - 2).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "gfx2d/big5_gb_table.h"
#include "gfx2d/cddraw.h"
#include "gfx2d/game_fonts.h"
#include "gfx2d/glyph_font.h"
#include "tests/gfx2d/fake_font.h"

namespace {

constexpr std::uint16_t kInk = 0x1234;
constexpr std::uint16_t kBack = 0x0F0F;
constexpr std::uint16_t kPaper = 0x0000;

// A target of width x rows pixels inside a guard band that no draw may touch.
struct Canvas {
  static constexpr int kGuard = 256;
  int width, rows;
  std::vector<std::uint16_t> memory;
  Canvas(int w, int h) : width(w), rows(h), memory(std::size_t(w) * h + 2 * kGuard, 0xDEAD) {
    std::fill(memory.begin() + kGuard, memory.end() - kGuard, kPaper);
  }
  std::uint16_t* pixels() { return memory.data() + kGuard; }
  std::uint16_t at(int x, int y) const { return memory[kGuard + std::size_t(y) * width + x]; }
  bool guards_intact() const {
    for (int i = 0; i < kGuard; ++i)
      if (memory[i] != 0xDEAD || memory[memory.size() - 1 - i] != 0xDEAD) return false;
    return true;
  }
  int count(std::uint16_t colour) const {
    int n = 0;
    for (int y = 0; y < rows; ++y)
      for (int x = 0; x < width; ++x) n += at(x, y) == colour;
    return n;
  }
};

class GlyphFontTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fake_font::install();
    init_big5_gb();
  }
  void TearDown() override {
    free_big5_gb();
    fake_font::uninstall();
  }
  // A font bound to the canvas like the game's: the given size and advance, no background.
  void bind(GlyphFont& font, Canvas& canvas, int size, int advance) {
    font.set_target(canvas.width, canvas.rows);
    font.set_clip(0, 0, canvas.width, canvas.rows);
    font.set_font("face", size);
    font.set_advance(advance);
  }
  // The columns of row y that hold ink: the stems of the fake glyphs.
  static std::vector<int> ink_columns(const Canvas& canvas, int y) {
    std::vector<int> xs;
    for (int x = 0; x < canvas.width; ++x)
      if (canvas.at(x, y) == kInk) xs.push_back(x);
    return xs;
  }
};

const char kOne[] = "\xA4\x40";  // "一"

TEST_F(GlyphFontTest, AsciiAdvancesHalfAndBig5TheWholeAdvance) {
  Canvas canvas(80, 24);
  GlyphFont font;
  bind(font, canvas, 20, 22);
  font.draw_text(canvas.pixels(), 0, 0, (std::string("AB") + kOne + "C").c_str(), kInk,
                 GLYPH_PLAIN);
  // Stems on column 1 of each cell: A at pen 0, B at 11, "一" at 22, C at 44.
  EXPECT_EQ(ink_columns(canvas, 12), (std::vector<int>{1, 12, 23, 45}));
}

TEST_F(GlyphFontTest, OddAdvanceGivesAsciiTheLargerHalf) {
  Canvas canvas(40, 20);
  GlyphFont font;
  bind(font, canvas, 16, 15);
  font.draw_text(canvas.pixels(), 0, 0, "AB", kInk, GLYPH_PLAIN);
  EXPECT_EQ(ink_columns(canvas, 10), (std::vector<int>{1, 9}));  // 15 - 15 / 2 = 8
}

TEST_F(GlyphFontTest, FirstUseRendersAndLaterUsesHitTheCache) {
  Canvas canvas(100, 20);
  GlyphFont font;
  bind(font, canvas, 16, 18);
  font.draw_text(canvas.pixels(), 0, 0, "A", kInk, GLYPH_PLAIN);
  EXPECT_EQ(fake_font::renders(), 1);
  EXPECT_EQ(fake_font::last_rendered(), "A");
  font.draw_text(canvas.pixels(), 0, 0, "AAA", kInk, GLYPH_PLAIN);
  EXPECT_EQ(fake_font::renders(), 1);
  font.draw_text(canvas.pixels(), 0, 0, kOne, kInk, GLYPH_PLAIN);
  EXPECT_EQ(fake_font::renders(), 2);
  EXPECT_EQ(fake_font::last_rendered(), "\xD2\xBB");  // rendered as its GB2312 bytes
  EXPECT_TRUE(font.is_cached(0xBBD2));
  EXPECT_EQ(font.glyph_count(), 2);
  font.set_font("face", 16);  // a new font empties the cache
  EXPECT_EQ(font.glyph_count(), 0);
  font.draw_text(canvas.pixels(), 0, 0, "A", kInk, GLYPH_PLAIN);
  EXPECT_EQ(fake_font::renders(), 3);
}

// Big5 characters whose GB2312 code words all differ, ascending by code word.
std::vector<std::pair<std::string, std::uint16_t>> distinct_big5_characters(std::size_t n) {
  std::vector<std::pair<std::string, std::uint16_t>> out;
  std::vector<bool> seen(0x10000);
  for (unsigned lead = 0xA4; lead <= 0xF9 && out.size() < n; ++lead)
    for (unsigned trail = 0x40; trail <= 0xFE && out.size() < n; ++trail) {
      const std::uint16_t gb = big5_to_gb(static_cast<std::uint16_t>(lead | trail << 8));
      if (gb == kUnpairedGbCode || seen[gb]) continue;
      seen[gb] = true;
      out.push_back({std::string{char(lead), char(trail)}, gb});
    }
  std::sort(out.begin(), out.end(), [](auto& a, auto& b) { return a.second < b.second; });
  return out;
}

TEST_F(GlyphFontTest, CacheKeepsAtMost1998GlyphsAndDropsTheHighestCode) {
  Canvas canvas(40, 20);
  GlyphFont font;
  bind(font, canvas, 12, 14);
  auto chars = distinct_big5_characters(GlyphFont::kCacheLimit + 2);
  ASSERT_EQ(chars.size(), std::size_t(GlyphFont::kCacheLimit + 2));
  // All but the lowest code fill the cache.
  for (int i = 1; i <= GlyphFont::kCacheLimit; ++i)
    font.draw_text(canvas.pixels(), 0, 0, chars[i].first.c_str(), kInk, GLYPH_PLAIN);
  EXPECT_EQ(font.glyph_count(), GlyphFont::kCacheLimit);
  EXPECT_EQ(fake_font::renders(), GlyphFont::kCacheLimit);

  // A 1999th character with the highest code is drawn, then leaves at once.
  const auto& highest = chars.back();
  font.draw_text(canvas.pixels(), 0, 0, highest.first.c_str(), kInk, GLYPH_PLAIN);
  EXPECT_EQ(font.glyph_count(), GlyphFont::kCacheLimit);
  EXPECT_FALSE(font.is_cached(highest.second));
  EXPECT_GT(canvas.count(kInk), 0);
  font.draw_text(canvas.pixels(), 0, 0, highest.first.c_str(), kInk, GLYPH_PLAIN);
  EXPECT_EQ(fake_font::renders(), GlyphFont::kCacheLimit + 2);  // rendered again

  // A new lowest code stays and pushes out the highest cached one.
  font.draw_text(canvas.pixels(), 0, 0, chars[0].first.c_str(), kInk, GLYPH_PLAIN);
  EXPECT_TRUE(font.is_cached(chars[0].second));
  EXPECT_FALSE(font.is_cached(chars[GlyphFont::kCacheLimit].second));
  EXPECT_TRUE(font.is_cached(chars[GlyphFont::kCacheLimit - 1].second));
  EXPECT_EQ(font.glyph_count(), GlyphFont::kCacheLimit);

  // The glyphs that stay still draw from the cache.
  const int before = fake_font::renders();
  font.draw_text(canvas.pixels(), 0, 0, chars[5].first.c_str(), kInk, GLYPH_PLAIN);
  EXPECT_EQ(fake_font::renders(), before);
}

struct CellCase {
  const char* name;
  std::string text;
  int back_width;  // background pixels filled on one row
};

TEST_F(GlyphFontTest, BackgroundCellsAreAdvanceWideAndTheLastCellFitsItsGlyph) {
  const CellCase cases[] = {
      {"one Big5 character", kOne, 22},
      {"one ASCII character", "A", 20 - 11 + 2},
      {"ASCII then ASCII", "AB", 22},  // the last cell lies inside the first
      {"Big5 then ASCII", std::string(kOne) + "A", 22 + 11},
      {"ASCII then Big5", std::string("A") + kOne, 22 + 22 - 11},  // the first fill is overdrawn
  };
  for (const CellCase& c : cases) {
    SCOPED_TRACE(c.name);
    Canvas canvas(100, 24);
    GlyphFont font;
    bind(font, canvas, 20, 22);
    font.set_back_color(kBack);
    font.draw_text(canvas.pixels(), 0, 0, c.text.c_str(), kInk, 0);  // no style: background only
    int filled = 0;
    for (int x = 0; x < canvas.width; ++x) filled += canvas.at(x, 19) == kBack;
    EXPECT_EQ(filled, c.back_width);
    EXPECT_EQ(canvas.at(0, 19), kBack);  // 20 rows: the glyph height
    EXPECT_EQ(canvas.at(0, 20), kPaper);
    EXPECT_EQ(canvas.count(kInk), 0);  // no style bit: no glyph
  }
}

TEST_F(GlyphFontTest, NoStyleBitStillCachesTheGlyph) {
  Canvas canvas(40, 20);
  GlyphFont font;
  bind(font, canvas, 16, 18);
  font.draw_text(canvas.pixels(), 0, 0, "A", kInk, GLYPH_RAMP_UP);
  EXPECT_EQ(canvas.count(kInk), 0);
  EXPECT_TRUE(font.is_cached('A'));
}

TEST_F(GlyphFontTest, BackgroundFillStaysInsideTheTarget) {
  Canvas canvas(30, 10);
  GlyphFont font;
  bind(font, canvas, 20, 22);
  font.set_back_color(kBack);
  font.draw_text(canvas.pixels(), -5, -5, (std::string(kOne) + kOne).c_str(), kInk, 0);
  EXPECT_TRUE(canvas.guards_intact());
  EXPECT_EQ(canvas.at(0, 0), kBack);
  EXPECT_EQ(canvas.at(29, 9), kBack);
}

TEST_F(GlyphFontTest, UnpairedBig5DrawsTheTwoFullStopsGlyph) {
  Canvas canvas(40, 20);
  GlyphFont font;
  bind(font, canvas, 16, 18);
  font.draw_text(canvas.pixels(), 0, 0, "\xA4\x80", kInk, GLYPH_PLAIN);  // 0x80 is no trail byte
  EXPECT_EQ(fake_font::last_rendered(), "..");
  EXPECT_TRUE(font.is_cached(kUnpairedGbCode));
}

TEST_F(GlyphFontTest, LoneLeadByteAtTheEndDrawsTheUnpairedGlyphAndStops) {
  Canvas canvas(60, 20);
  GlyphFont font;
  bind(font, canvas, 16, 18);
  std::string text = "A\xA4";  // the lead byte pairs with the terminating zero
  font.draw_text(canvas.pixels(), 0, 0, text.c_str(), kInk, GLYPH_PLAIN);
  EXPECT_EQ(fake_font::renders(), 2);
  EXPECT_TRUE(font.is_cached(kUnpairedGbCode));
  // A at pen 0; the ".." glyph at pen 9 shows the fake's two half cells.
  EXPECT_EQ(ink_columns(canvas, 10), (std::vector<int>{1, 10, 18}));
}

TEST_F(GlyphFontTest, NothingToDrawWithDrawsNothing) {
  Canvas canvas(40, 20);
  {
    SCOPED_TRACE("empty string");
    GlyphFont font;
    bind(font, canvas, 16, 18);
    font.draw_text(canvas.pixels(), 0, 0, "", kInk, GLYPH_PLAIN);
    EXPECT_EQ(fake_font::renders(), 0);
  }
  {
    SCOPED_TRACE("null destination, as after a failed lock");
    GlyphFont font;
    bind(font, canvas, 16, 18);
    font.set_back_color(kBack);
    font.draw_text(nullptr, 0, 0, "A", kInk, GLYPH_PLAIN);
    font.draw_text(canvas.pixels(), 0, 0, nullptr, kInk, GLYPH_PLAIN);
  }
  {
    SCOPED_TRACE("no font set: no cache");
    GlyphFont font;
    font.set_target(canvas.width, canvas.rows);
    font.set_clip(0, 0, canvas.width, canvas.rows);
    font.draw_text(canvas.pixels(), 0, 0, "A", kInk, GLYPH_PLAIN);
  }
  {
    SCOPED_TRACE("released");
    GlyphFont font;
    bind(font, canvas, 16, 18);
    font.release();
    font.draw_text(canvas.pixels(), 0, 0, "A", kInk, GLYPH_PLAIN);
  }
  EXPECT_EQ(canvas.count(kPaper), canvas.width * canvas.rows);
  EXPECT_TRUE(canvas.guards_intact());
}

TEST_F(GlyphFontTest, FontSizesAreClampedToTheScratchCell) {
  const std::pair<int, int> cases[] = {{80, 64}, {64, 64}, {12, 12}, {1, 1}, {0, 1}, {-7, 1}};
  for (auto [asked, got] : cases) {
    GlyphFont font;
    font.set_font("face", asked);
    EXPECT_EQ(font.glyph_width(), got) << asked;
    EXPECT_EQ(font.glyph_height(), got) << asked;
  }
}

TEST_F(GlyphFontTest, TinyAndHugeFontsDrawInsideTheTarget) {
  for (int size : {1, 2, 64}) {
    Canvas canvas(70, 70);
    GlyphFont font;
    bind(font, canvas, size, size + 2);
    font.set_back_color(kBack);
    font.draw_text(canvas.pixels(), 3, 3, (std::string("Ag") + kOne).c_str(), kInk,
                   GLYPH_BOLD_OUTLINE);
    EXPECT_TRUE(canvas.guards_intact()) << size;
  }
}

TEST_F(GlyphFontTest, PlainGlyphAcrossTheClipsRightEdgeKeepsTheLastColumn) {
  Canvas canvas(40, 20);
  GlyphFont font;
  bind(font, canvas, 16, 18);
  font.set_clip(0, 0, 5, 20);  // columns 0 to 4
  font.draw_text(canvas.pixels(), 0, 0, kOne, kInk, GLYPH_PLAIN);
  // The arm on row 1 runs over columns 1 to 14; the clip keeps 1 to 4.
  EXPECT_EQ(ink_columns(canvas, 1), (std::vector<int>{1, 2, 3, 4}));
}

TEST_F(GlyphFontTest, BoldShadowBitWhoseShadowLeavesTheClipDrawsNothing) {
  Canvas canvas(40, 20);
  GlyphFont font;
  bind(font, canvas, 16, 18);
  font.set_clip(0, 0, 5, 20);
  font.draw_text(canvas.pixels(), 0, 0, kOne, kInk, GLYPH_BOLD_SHADOW);
  // A bit at column q writes up to q + 2: only bits at columns up to 2 stay, colour on 1 to 3.
  EXPECT_EQ(ink_columns(canvas, 1), (std::vector<int>{1, 2, 3}));
}

TEST_F(GlyphFontTest, ClipLargerThanTheTargetIsCutToIt) {
  Canvas canvas(20, 10);
  GlyphFont font;
  bind(font, canvas, 16, 18);
  font.set_clip(-50, -50, 500, 500);
  for (std::uint16_t style :
       {GLYPH_PLAIN, GLYPH_SHADOW, GLYPH_BOLD_SHADOW, GLYPH_OUTLINE, GLYPH_BOLD_OUTLINE})
    font.draw_text(canvas.pixels(), -3, 2, (std::string("A") + kOne + "B").c_str(), kInk, style);
  EXPECT_TRUE(canvas.guards_intact());
  EXPECT_GT(canvas.count(kInk), 0);

  font.set_clip(5, 5, std::numeric_limits<int>::max(), std::numeric_limits<int>::max());
  font.draw_text(canvas.pixels(), 0, 0, kOne, kBack, GLYPH_BOLD_OUTLINE);
  EXPECT_TRUE(canvas.guards_intact());
  EXPECT_GT(canvas.count(kBack), 0);
  for (int i = 0; i < canvas.width * 5; ++i)
    EXPECT_NE(canvas.at(i % canvas.width, i / canvas.width), kBack);
}

TEST_F(GlyphFontTest, GlyphsWhollyOutsideTheClipAreSkippedButStillAdvance) {
  Canvas canvas(60, 20);
  GlyphFont font;
  bind(font, canvas, 16, 18);
  font.set_clip(18, 0, 18, 20);
  font.draw_text(canvas.pixels(), 0, 0, (std::string(kOne) + kOne + kOne).c_str(), kInk,
                 GLYPH_PLAIN);
  EXPECT_EQ(ink_columns(canvas, 8), (std::vector<int>{19}));
}

TEST_F(GlyphFontTest, ColourRampStepsPerRowAndRestartsPerGlyph) {
  struct Case {
    std::uint16_t flags;
    int step;
  } cases[] = {{GLYPH_PLAIN, 0},
               {GLYPH_PLAIN | GLYPH_RAMP_UP, 1},
               {GLYPH_PLAIN | GLYPH_RAMP_DOWN, -1},
               {GLYPH_PLAIN | GLYPH_RAMP_UP | GLYPH_RAMP_DOWN, -1}};
  for (const Case& c : cases) {
    Canvas canvas(40, 20);
    GlyphFont font;
    bind(font, canvas, 16, 16);
    font.set_clip(0, 3, 40, 17);  // rows cut away above still step the colour
    font.draw_text(canvas.pixels(), 0, 0, (std::string(kOne) + kOne).c_str(), kInk, c.flags);
    for (int y = 3; y < 15; ++y) {
      EXPECT_EQ(canvas.at(1, y), std::uint16_t(kInk + c.step * y)) << c.flags << " row " << y;
      EXPECT_EQ(canvas.at(17, y), std::uint16_t(kInk + c.step * y)) << c.flags << " row " << y;
    }
  }
}

TEST_F(GlyphFontTest, ColourRampWrapsAround) {
  Canvas canvas(20, 20);
  GlyphFont font;
  bind(font, canvas, 16, 16);
  font.draw_text(canvas.pixels(), 0, 0, kOne, 0x0001, GLYPH_PLAIN | GLYPH_RAMP_DOWN);
  EXPECT_EQ(canvas.at(1, 1), 0x0000);
  EXPECT_EQ(canvas.at(1, 2), 0xFFFF);
}

}  // namespace

namespace {

TEST_F(GlyphFontTest, InitBindsTheFontToTheDisplaysBackBuffer) {
  cDDRAW display;
  display.enum_Ddraw_driver();
  ASSERT_EQ(display.Init(nullptr, 0, 20002, 2, 640, 480, 16), 1);
  GlyphFont font;
  font.init(nullptr);  // no display: nothing to bind
  font.init(&display);
  EXPECT_EQ(fake_font::last_face(), "\xCB\xCE\xCC\xE5");  // "宋体", the default face
  EXPECT_EQ(fake_font::last_size(), 16);
  EXPECT_EQ(font.glyph_width(), 16);

  // The target is the 640 x 480 back buffer and the clip the display: a glyph at the bottom
  // right corner is cut there.
  Canvas screen(640, 480);
  font.draw_text(screen.pixels(), 632, 470, kOne, kInk, GLYPH_PLAIN);
  EXPECT_EQ(screen.at(633, 479), kInk);
  EXPECT_EQ(screen.at(639, 471), kInk);
  EXPECT_TRUE(screen.guards_intact());

  // The game's fonts then take their face, size and advance.
  font.set_font(kGameFontFace, 20);
  font.set_advance(22);
  EXPECT_EQ(fake_font::last_face(), kGameFontFace);
  EXPECT_EQ(font.glyph_height(), 20);
}

}  // namespace

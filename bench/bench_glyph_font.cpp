// Drawing a line of cached text against copying the pixels of its cells: the per-frame cost of
// the glyph fonts once every character is in the cache. The real rasteriser only
// renders on the first pass; the timed loop draws from the cache.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "bench/ratio.h"
#include "gfx2d/big5_gb_table.h"
#include "gfx2d/game_fonts.h"

namespace {

constexpr int kWidth = 640, kRows = 480;
constexpr int kChars = 20;      // Big5 characters in the line
constexpr int kCell = 22 * 20;  // pixels of one character's cell (advance x size)

std::string line_of_text() {
  std::string s;
  for (int i = 0; i < kChars; ++i) s += std::string{char(0xA4), char(0x40 + i)};
  return s;
}

void BM_MemcpyCells(benchmark::State& state) {
  std::vector<std::uint16_t> src(kChars * kCell, 0x1234), dst(kWidth * kRows);
  for (auto _ : state) {
    for (int row = 0; row < 20; ++row)
      std::memcpy(&dst[row * kWidth], &src[row * kChars * 22], kChars * 22 * sizeof(std::uint16_t));
    benchmark::DoNotOptimize(dst.data());
  }
  state.SetItemsProcessed(state.iterations());
}

void draw_line(benchmark::State& state, std::uint16_t style) {
  init_big5_gb();
  GlyphFont font;
  font.set_target(kWidth, kRows);
  font.set_clip(0, 0, kWidth, kRows);
  font.set_font(kGameFontFace, 20);
  font.set_advance(22);
  font.set_shadow_color(0);
  std::vector<std::uint16_t> dst(kWidth * kRows);
  const std::string text = line_of_text();
  font.draw_text(dst.data(), 10, 10, text.c_str(), 0xFFFF, style);  // fills the cache
  for (auto _ : state) {
    font.draw_text(dst.data(), 10, 10, text.c_str(), 0xFFFF, style);
    benchmark::DoNotOptimize(dst.data());
  }
  state.SetItemsProcessed(state.iterations());
  free_big5_gb();
}

void BM_DrawTextPlain(benchmark::State& state) { draw_line(state, GLYPH_PLAIN); }
void BM_DrawTextBoldShadow(benchmark::State& state) { draw_line(state, GLYPH_BOLD_SHADOW); }
void BM_DrawTextBoldOutline(benchmark::State& state) { draw_line(state, GLYPH_BOLD_OUTLINE); }

BENCHMARK(BM_MemcpyCells);
BENCHMARK(BM_DrawTextPlain);
BENCHMARK(BM_DrawTextBoldShadow);
BENCHMARK(BM_DrawTextBoldOutline);

QORV_RATIO("glyph_font.plain_line_vs_memcpy_cells", "BM_DrawTextPlain", "BM_MemcpyCells",
           bench::Rate::ItemsPerSecond);
QORV_RATIO("glyph_font.bold_shadow_line_vs_memcpy_cells", "BM_DrawTextBoldShadow", "BM_MemcpyCells",
           bench::Rate::ItemsPerSecond);
QORV_RATIO("glyph_font.bold_outline_line_vs_memcpy_cells", "BM_DrawTextBoldOutline",
           "BM_MemcpyCells", bench::Rate::ItemsPerSecond);

}  // namespace

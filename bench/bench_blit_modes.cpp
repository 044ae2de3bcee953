// Every blend mode on the screenful of character sprites, against memcpy of the screen's
// bytes: one ratio blit_mode<N>_vs_memcpy per mode, with the one-shot settings its callers use.
#include "bench/ratio.h"
#include "bench/sprite_screen.h"

#include <benchmark/benchmark.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

using bench::screen_bytes;
using bench::screen_h;
using bench::screen_w;

void BM_memcpy_screen(benchmark::State& state) { bench::memcpy_screen(state); }
BENCHMARK(BM_memcpy_screen);

struct ModeCase {
  int mode;
  void (*before)();
};

void offsets() {
  sprite_blitter.blit_add_r = -3;
  sprite_blitter.blit_add_g = 2;
  sprite_blitter.blit_add_b = 5;
}
void level() { sprite_blitter.blit_level = 9; }
void nothing() {}

// The alpha map of mode 2 and the colour word of mode 9: every caller-provided input a mode reads.
std::vector<std::uint8_t> alpha_map() {
  std::vector<std::uint8_t> map(bench::sprite_w * bench::sprite_h);
  for (std::size_t i = 0; i < map.size(); ++i) map[i] = std::uint8_t(4 * ((i * 7) % 16));
  return map;
}
const std::uint32_t fill_word = 0x7BEF7BEF;

void draw_mode(benchmark::State& state, ModeCase c) {
  apply_pixel_masks(0xF800, 0x07E0, 0x001F);
  init_blend_mode_table();
  auto sprites = bench::character_sprites();
  static std::vector<std::uint8_t> map = alpha_map();
  std::intptr_t extra = 0;
  if (c.mode == 2) extra = reinterpret_cast<std::intptr_t>(map.data());
  if (c.mode == 9) extra = reinterpret_cast<std::intptr_t>(&fill_word);
  std::vector<std::uint16_t> palette(256, 0x1234);
  sprite_blitter.blit_palette = palette.data();
  if (c.mode == 48) sprites = bench::paletted_character_sprites();
  bench::Screen screen;
  for (auto _ : state)
    bench::draw_screenful(screen, blit_mode(c.mode), extra, [&](std::size_t i) {
      sprite_blitter.blit_source = sprites[i].data();
      c.before();
    });
  // The scaled path keeps its one-shot settings; leave none behind for the next benchmark.
  sprite_blitter.blit_add_r = sprite_blitter.blit_add_g = sprite_blitter.blit_add_b = sprite_blitter.blit_level = 0;
  state.SetItemsProcessed(state.iterations() * screen_w * screen_h);
}

const ModeCase mode_cases[] = {
    {1, offsets}, {2, nothing}, {3, offsets},  {4, offsets},  {5, level},    {6, nothing},  {7, nothing},
    {8, offsets}, {9, nothing}, {10, nothing}, {11, offsets}, {12, nothing}, {32, nothing}, {33, offsets},
    {34, offsets}, {35, level}, {36, nothing}, {37, nothing}, {38, offsets}, {48, nothing},
};

bool register_all() {
  for (const ModeCase& c : mode_cases) {
    std::string name = "BM_blit_mode" + std::to_string(c.mode) + "_screen";
    benchmark::RegisterBenchmark(name.c_str(), draw_mode, c);
    bench::register_ratio("blit_mode" + std::to_string(c.mode) + "_vs_memcpy", name, "BM_memcpy_screen",
                          bench::Rate::ItemsPerSecond);
  }
  return true;
}
const bool registered = register_all();

}  // namespace

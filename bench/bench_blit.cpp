// Blits and present against memcpy of the same bytes: a screenful of 64 x 96 character
// sprites drawn in RLE mode 0 and as raw keyless copies, the same two copies of one picture as
// large as the screen (every row one opaque run of 640 pixels: the copy on long rows), and the
// present of one frame on the headless backend.
#include "bench/ratio.h"
#include "bench/sprite_screen.h"
#include "gfx2d/cddraw.h"
#include "gfx2d/pixel_format.h"
#include "gfx2d/rle_image.h"
#include "gfx2d/sprite_blitter.h"
#include "tests/fixtures/rle_writer.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

using bench::character;
using bench::screen_bytes;
using bench::screen_h;
using bench::screen_w;
using bench::Screen;

void prepare_blitter() {
  apply_pixel_masks(0xF800, 0x07E0, 0x001F);
  init_blend_mode_table();
}

void BM_memcpy_screen(benchmark::State& state) { bench::memcpy_screen(state); }
BENCHMARK(BM_memcpy_screen);

void BM_blit_rle0_screen(benchmark::State& state) {
  prepare_blitter();
  auto sprites = bench::character_sprites();
  Screen screen;
  for (auto _ : state)
    bench::draw_screenful(screen, 0, 0, [&](std::size_t i) { sprite_blitter.blit_source = sprites[i].data(); });
  state.SetItemsProcessed(state.iterations() * screen_w * screen_h);
}
BENCHMARK(BM_blit_rle0_screen);

void BM_blit_raw_screen(benchmark::State& state) {
  prepare_blitter();
  std::vector<std::vector<std::uint16_t>> sprites;
  for (std::uint32_t i = 0; i < 50; ++i) sprites.push_back(character(i + 1));
  Screen screen;
  for (auto _ : state)
    bench::draw_screenful(screen, 0, 0, [&](std::size_t i) {
      set_blit_source(sprites[i].data(), PicKind::Raw, sprites[i].size() * 2);
    });
  state.SetItemsProcessed(state.iterations() * screen_w * screen_h);
}
BENCHMARK(BM_blit_raw_screen);

// A screen-sized picture of opaque pixels, none of them a key colour.
std::vector<std::uint16_t> opaque_screen_pixels() {
  std::vector<std::uint16_t> px(std::size_t(screen_w) * screen_h);
  std::uint32_t seed = 99;
  for (auto& p : px) p = std::uint16_t(0x0400 | (bench::next_random(seed) & 0x3BFF));
  return px;
}

void draw_whole_screen(Screen& screen) {
  screen.make_current();
  put_pic(0, 0, screen_w, screen_h, 0, 0);
  benchmark::DoNotOptimize(screen.pixels.data());
  benchmark::ClobberMemory();
}

void BM_blit_rle0_long_rows(benchmark::State& state) {
  prepare_blitter();
  auto pixels = opaque_screen_pixels();
  rgb555_to_screen(pixels.data(), int(pixels.size()));
  const auto picture = fixtures::rle_from_pixels(pixels, screen_w, screen_h);
  Screen screen;
  for (auto _ : state) {
    sprite_blitter.blit_source = picture.data();
    draw_whole_screen(screen);
  }
  state.SetItemsProcessed(state.iterations() * screen_w * screen_h);
}
BENCHMARK(BM_blit_rle0_long_rows);

void BM_blit_raw_long_rows(benchmark::State& state) {
  prepare_blitter();
  const auto pixels = opaque_screen_pixels();
  Screen screen;
  for (auto _ : state) {
    set_blit_source(pixels.data(), PicKind::Raw, pixels.size() * 2);
    draw_whole_screen(screen);
  }
  state.SetItemsProcessed(state.iterations() * screen_w * screen_h);
}
BENCHMARK(BM_blit_raw_long_rows);

void BM_present_frame(benchmark::State& state) {
  setenv("QORV_BACKEND", "headless", 1);
  unsetenv("QORV_SHOTS");
  cDDRAW dd;
  dd.enum_Ddraw_driver();
  if (!dd.Init(nullptr, 0, DDRAW_FULL_SCREEN, DDRAW_DEVICE_HARDWARE_3D, screen_w, screen_h, 16)) {
    state.SkipWithError("no display");
    return;
  }
  for (auto _ : state) {
    dd.present();
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(state.iterations() * screen_bytes);
  dd.release();
}
BENCHMARK(BM_present_frame);

}  // namespace

QORV_RATIO("blit_rle0_vs_memcpy", "BM_blit_rle0_screen", "BM_memcpy_screen", bench::Rate::ItemsPerSecond);
QORV_RATIO("blit_raw_vs_memcpy", "BM_blit_raw_screen", "BM_memcpy_screen", bench::Rate::ItemsPerSecond);
QORV_RATIO("blit_rle0_long_rows_vs_memcpy", "BM_blit_rle0_long_rows", "BM_memcpy_screen", bench::Rate::ItemsPerSecond);
QORV_RATIO("blit_raw_long_rows_vs_memcpy", "BM_blit_raw_long_rows", "BM_memcpy_screen", bench::Rate::ItemsPerSecond);
QORV_RATIO("present_vs_frame", "BM_present_frame", "BM_memcpy_screen", bench::Rate::BytesPerSecond);

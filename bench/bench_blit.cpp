// Blits and present against memcpy of the same bytes: a screenful of 64 x 96 character
// sprites drawn in RLE mode 0 and as raw keyless copies, and the present of one frame on the
// headless backend.
#include "bench/ratio.h"
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

constexpr int screen_w = 640, screen_h = 480;
constexpr int sprite_w = 64, sprite_h = 96;
constexpr int screen_bytes = screen_w * screen_h * 2;

std::uint32_t next(std::uint32_t& s) {
  s ^= s << 13;
  s ^= s >> 17;
  s ^= s << 5;
  return s;
}

// A character: transparent margins around a body of literal stretches broken by short runs of
// the second key colour, as sprites of people and monsters are.
std::vector<std::uint16_t> character(std::uint32_t seed) {
  std::vector<std::uint16_t> px(sprite_w * sprite_h, 0x026B);
  for (int y = 0; y < sprite_h; ++y) {
    int left = 4 + int(next(seed) % 14), right = sprite_w - 4 - int(next(seed) % 14);
    for (int x = left; x < right; ++x) px[std::size_t(y * sprite_w + x)] = std::uint16_t(next(seed) & 0x7FFE);
    if (next(seed) % 3 == 0) {
      int k = left + int(next(seed) % std::uint32_t(right - left));
      for (int x = k; x < std::min(k + 3, right); ++x) px[std::size_t(y * sprite_w + x)] = 0x319F;
    }
  }
  return px;
}

struct Screen {
  std::vector<std::uint16_t> pixels = std::vector<std::uint16_t>(screen_w * screen_h);
  std::vector<int> rows = std::vector<int>(screen_h);
  Screen() {
    for (int r = 0; r < screen_h; ++r) rows[std::size_t(r)] = r * screen_w * 2;
  }
  void make_current() {
    set_blit_target(rows.data(), screen_w, screen_h, screen_w * 2);
    sprite_blitter.blit_dest = pixels.data();
  }
};

// Draws 50 sprites edge to edge over the screen; set_source(i) makes sprite i the source.
template <class SetSource>
void draw_screenful(Screen& screen, SetSource set_source) {
  screen.make_current();
  int i = 0;
  for (int y = 0; y < screen_h; y += sprite_h)
    for (int x = 0; x < screen_w; x += sprite_w) {
      set_source(std::size_t(i++));
      put_pic(x, y, sprite_w, sprite_h, 0, 0);
    }
  benchmark::DoNotOptimize(screen.pixels.data());
  benchmark::ClobberMemory();
}

void prepare_blitter() {
  apply_pixel_masks(0xF800, 0x07E0, 0x001F);
  init_blend_mode_table();
}

void BM_memcpy_screen(benchmark::State& state) {
  std::vector<std::uint8_t> a(screen_bytes, 1), b(screen_bytes);
  for (auto _ : state) {
    std::memcpy(b.data(), a.data(), a.size());
    benchmark::DoNotOptimize(b.data());
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * screen_w * screen_h);
  state.SetBytesProcessed(state.iterations() * screen_bytes);
}
BENCHMARK(BM_memcpy_screen);

void BM_blit_rle0_screen(benchmark::State& state) {
  prepare_blitter();
  std::vector<std::vector<std::uint8_t>> sprites;
  for (std::uint32_t i = 0; i < 50; ++i) {
    auto pixels = character(i + 1);
    rgb555_to_screen(pixels.data(), int(pixels.size()));
    sprites.push_back(fixtures::rle_from_pixels(pixels, sprite_w, sprite_h));
  }
  Screen screen;
  for (auto _ : state)
    draw_screenful(screen, [&](std::size_t i) { sprite_blitter.blit_source = sprites[i].data(); });
  state.SetItemsProcessed(state.iterations() * screen_w * screen_h);
}
BENCHMARK(BM_blit_rle0_screen);

void BM_blit_raw_screen(benchmark::State& state) {
  prepare_blitter();
  std::vector<std::vector<std::uint16_t>> sprites;
  for (std::uint32_t i = 0; i < 50; ++i) sprites.push_back(character(i + 1));
  Screen screen;
  for (auto _ : state)
    draw_screenful(screen, [&](std::size_t i) { set_blit_source(sprites[i].data(), PicKind::Raw, sprites[i].size() * 2); });
  state.SetItemsProcessed(state.iterations() * screen_w * screen_h);
}
BENCHMARK(BM_blit_raw_screen);

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
QORV_RATIO("present_vs_frame", "BM_present_frame", "BM_memcpy_screen", bench::Rate::BytesPerSecond);

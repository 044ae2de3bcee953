#pragma once
// The screenful of sprites the blit benchmarks draw: fifty 64 x 96 character sprites tiling a
// 640 x 480 screen, measured against memcpy of the same bytes.
#include "gfx2d/pixel_format.h"
#include "platform/aligned_storage.h"
#include "gfx2d/sprite_blitter.h"
#include "tests/fixtures/rle_writer.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstring>
#include <cstdint>
#include <vector>

namespace bench {

constexpr int screen_w = 640, screen_h = 480;
constexpr int sprite_w = 64, sprite_h = 96;
constexpr int screen_bytes = screen_w * screen_h * 2;

inline std::uint32_t next_random(std::uint32_t& s) {
  s ^= s << 13;
  s ^= s >> 17;
  s ^= s << 5;
  return s;
}

// A character: transparent margins around a body of literal stretches broken by short runs of
// the second key colour, as sprites of people and monsters are.
inline std::vector<std::uint16_t> character(std::uint32_t seed) {
  std::vector<std::uint16_t> px(sprite_w * sprite_h, 0x026B);
  for (int y = 0; y < sprite_h; ++y) {
    int left = 4 + int(next_random(seed) % 14), right = sprite_w - 4 - int(next_random(seed) % 14);
    for (int x = left; x < right; ++x) px[std::size_t(y * sprite_w + x)] = std::uint16_t(next_random(seed) & 0x7FFE);
    if (next_random(seed) % 3 == 0) {
      int k = left + int(next_random(seed) % std::uint32_t(right - left));
      for (int x = k; x < std::min(k + 3, right); ++x) px[std::size_t(y * sprite_w + x)] = 0x319F;
    }
  }
  return px;
}

// The fifty sprites as RLE pictures in the screen format.
inline std::vector<std::vector<std::uint8_t>> character_sprites() {
  std::vector<std::vector<std::uint8_t>> sprites;
  for (std::uint32_t i = 0; i < 50; ++i) {
    auto pixels = character(i + 1);
    rgb555_to_screen(pixels.data(), int(pixels.size()));
    sprites.push_back(fixtures::rle_from_pixels(pixels, sprite_w, sprite_h));
  }
  return sprites;
}

// The same shapes with one-byte pixels: each literal pixel's low byte as its palette index.
inline std::vector<std::vector<std::uint8_t>> paletted_character_sprites() {
  std::vector<std::vector<std::uint8_t>> sprites;
  for (std::uint32_t i = 0; i < 50; ++i) {
    auto px = character(i + 1);
    fixtures::RleWriter writer(sprite_w, sprite_h, 8);
    for (int y = 0; y < sprite_h; ++y) {
      const std::uint16_t* row = px.data() + std::size_t(y) * sprite_w;
      for (int x = 0; x < sprite_w;) {
        const std::uint16_t kind = row[x];
        const bool key = kind == 0x026B || kind == 0x319F;
        int n = 1;
        while (x + n < sprite_w && (key ? row[x + n] == kind : row[x + n] != 0x026B && row[x + n] != 0x319F)) ++n;
        if (kind == 0x026B) {
          writer.transparent(n);
        } else if (kind == 0x319F) {
          writer.key2(n);
        } else {
          std::vector<std::uint8_t> indices(row + x, row + x + n);
          writer.literal8(indices);
        }
        x += n;
      }
      writer.end_row();
    }
    sprites.push_back(writer.finish());
  }
  return sprites;
}

// The back buffer, its rows on cache lines as the display's surfaces have them.
struct Screen {
  CacheLineVector<std::uint16_t> pixels = CacheLineVector<std::uint16_t>(screen_w * screen_h);
  std::vector<int> rows = std::vector<int>(screen_h);
  Screen() {
    for (int r = 0; r < screen_h; ++r) rows[std::size_t(r)] = r * screen_w * 2;
  }
  void make_current() {
    set_blit_target(rows.data(), screen_w, screen_h, screen_w * 2);
    sprite_blitter.blit_dest = pixels.data();
  }
};

// Draws the 50 sprites edge to edge over the screen in one mode; set_source(i) makes sprite i
// the source and sets the one-shot settings of its draw.
template <class SetSource>
void draw_screenful(Screen& screen, BlitFlags flags, std::intptr_t extra, SetSource set_source) {
  screen.make_current();
  std::size_t i = 0;
  for (int y = 0; y < screen_h; y += sprite_h)
    for (int x = 0; x < screen_w; x += sprite_w) {
      set_source(i++);
      put_pic(x, y, sprite_w, sprite_h, flags, extra);
    }
  benchmark::DoNotOptimize(screen.pixels.data());
  benchmark::ClobberMemory();
}

// The baseline of every blit ratio: a memcpy of one screenful of 16-bit pixels.
inline void memcpy_screen(benchmark::State& state) {
  std::vector<std::uint8_t> a(screen_bytes, 1), b(screen_bytes);
  for (auto _ : state) {
    std::memcpy(b.data(), a.data(), a.size());
    benchmark::DoNotOptimize(b.data());
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * screen_w * screen_h);
  state.SetBytesProcessed(state.iterations() * screen_bytes);
}

}  // namespace bench

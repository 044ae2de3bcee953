#pragma once
// What the blend mode tests share: both pixel layouts, pictures with runs of every kind whose
// literal pixels come from the colour tables, targets inside a guard band filled with the
// destination table, and the draw of a picture by hand (decode, then place every pixel) that
// each mode's formula plugs into.
#include "gfx2d/blit_modes.h"
#include "gfx2d/pixel_format.h"
#include "gfx2d/sprite_blitter.h"
#include "tests/fixtures/rle_writer.h"
#include "tests/gfx2d/blend_reference.h"
#include "tests/gfx2d/blit_target.h"
#include "tests/gfx2d/rle_reference.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <functional>
#include <memory>
#include <ostream>
#include <span>
#include <string>
#include <vector>

namespace blend_test {

using blit_test::GuardedTarget;
using Bytes = std::vector<std::uint8_t>;
using rle_reference::Kind;
using rle_reference::Pixel;

struct Layout {
  const char* name;
  std::uint32_t r, g, b;
};
inline const Layout layouts[] = {{"rgb565", 0xF800, 0x07E0, 0x001F}, {"rgb555", 0x7C00, 0x03E0, 0x001F}};

inline std::string layout_name(const ::testing::TestParamInfo<Layout>& info) { return info.param.name; }
inline void PrintTo(const Layout& layout, std::ostream* os) { *os << layout.name; }

// A heap block of exactly the picture's size, so that the sanitizer sees a read past its end.
struct Heap {
  explicit Heap(const Bytes& b) : size(b.size()), block(new std::uint8_t[b.size()]) {
    std::memcpy(block.get(), b.data(), b.size());
  }
  std::uint8_t* data() const { return block.get(); }
  std::size_t size;
  std::unique_ptr<std::uint8_t[]> block;
};

struct Placement {
  int x, y;
};
// For a 20 x 14 picture on a 48 x 40 target: inside, across each edge and corner, wholly
// outside each edge, touching the last row and column.
inline const Placement placements[] = {{14, 13}, {-7, 5},  {38, 5}, {5, -6}, {5, 33},  {-5, -5},
                                       {40, 35}, {-20, 5}, {48, 0}, {0, -14}, {0, 40}, {-1, 0},
                                       {29, 27}, {47, 39}, {-19, -13}};

inline const BlitFlags all_mirrors[] = {0u, BLIT_MIRROR_X, BLIT_MIRROR_Y, BLIT_MIRROR_X | BLIT_MIRROR_Y};
inline const BlitFlags x_mirrors[] = {0u, BLIT_MIRROR_X};

// A picture in the screen format written run by run: literal, transparent and second-key runs
// of 1 to 9 pixels in varied order (never two of a kind side by side, as the codec writes
// them), literal pixels from the source table mixed with random ones.
inline Bytes picture(int w, int h, std::uint32_t seed) {
  const auto colours = blend_reference::source_colours();
  fixtures::RleWriter writer(w, h);
  std::uint32_t s = seed * 2654435761u + 1;
  std::size_t colour = seed;
  for (int y = 0; y < h; ++y) {
    int last = -1;
    for (int x = 0; x < w;) {
      int kind = int(blit_test::next_random(s) % 3);
      if (kind == last) kind = (kind + 1) % 3;
      last = kind;
      int n = std::min(w - x, 1 + int(blit_test::next_random(s) % 9));
      if (kind == 0) {
        std::vector<std::uint16_t> px;
        for (int i = 0; i < n; ++i)
          px.push_back(blit_test::next_random(s) % 3 == 0 ? std::uint16_t(blit_test::next_random(s))
                                                           : colours[colour++ % colours.size()]);
        writer.literal(px);
      } else if (kind == 1) {
        writer.transparent(n);
      } else {
        writer.key2(n);
      }
      x += n;
    }
    writer.end_row();
  }
  return writer.finish();
}

// Fills the target's own pixels from the destination table, every third pixel random; the
// guard band keeps its random content.
inline void fill_destinations(GuardedTarget& t, std::uint32_t seed = 11) {
  const auto colours = blend_reference::destination_colours();
  std::uint32_t s = seed;
  std::size_t i = 0;
  for (int y = 0; y < t.height(); ++y)
    for (int x = 0; x < t.width(); ++x, ++i)
      t.at(x, y) = i % 3 == 2 ? std::uint16_t(blit_test::next_random(s)) : colours[(i + std::size_t(y)) % colours.size()];
}

// The new value of a target pixel under picture pixel p at picture column px, row py.
using PixelRule = std::function<std::uint16_t(const Pixel& p, std::uint16_t d, int px, int py)>;

// Rule for the modes that touch only the literal pixels.
inline PixelRule literal_only(std::function<std::uint16_t(std::uint16_t s, std::uint16_t d)> f) {
  return [f](const Pixel& p, std::uint16_t d, int, int) { return p.kind == Kind::Literal ? f(p.value, d) : d; };
}

// What a draw at (x, y) must leave: every target pixel of the clip under the picture's box run
// through the rule, in the picture's row and column order.
inline void place_by_hand(GuardedTarget& t, const rle_reference::Picture& pic, int x, int y, BlitFlags flags,
                          const int clip[4], const PixelRule& rule) {
  for (int py = 0; py < pic.height; ++py) {
    for (int px = 0; px < pic.width; ++px) {
      int tx = x + ((flags & BLIT_MIRROR_X) ? pic.width - 1 - px : px);
      int ty = y + ((flags & BLIT_MIRROR_Y) ? pic.height - 1 - py : py);
      if (tx < clip[0] || ty < clip[1] || tx >= clip[0] + clip[2] || ty >= clip[1] + clip[3]) continue;
      t.at(tx, ty) = rule(pic.at(px, py), t.at(tx, ty), px, py);
    }
  }
}

class BlendModeTest : public ::testing::TestWithParam<Layout> {
 protected:
  void SetUp() override {
    clear_blit_settings();
    apply_pixel_masks(GetParam().r, GetParam().g, GetParam().b);
    init_blend_mode_table();
  }
  // The scaled path leaves the one-shot settings set; so that the tests also hold when run in
  // one process, each starts from plain settings and leaves them so.
  void TearDown() override { clear_blit_settings(); }
  static void clear_blit_settings() {
    SpriteBlitter& b = sprite_blitter;
    b.blit_level = b.blit_add_r = b.blit_add_g = b.blit_add_b = 0;
    b.blit_scale_x = b.blit_scale_y = 1024;
    b.blit_pivot_x = b.blit_pivot_y = 0;
    b.scaled_fill_colour = 0;
    b.blit_palette = nullptr;
  }

  // Draws a 20 x 14 picture at every placement with each mirror, and compares the whole target,
  // guard band included, with the draw by hand. before() sets the one-shot settings.
  void expect_placements(BlitFlags mode, std::span<const BlitFlags> mirrors, std::intptr_t extra,
                         const std::function<void()>& before, const PixelRule& rule, std::uint32_t seed = 3) {
    Bytes pic = picture(20, 14, seed);
    auto decoded = rle_reference::decode(pic.data());
    Heap heap(pic);
    for (BlitFlags mirror : mirrors) {
      for (const Placement& at : placements) {
        GuardedTarget target(48, 40), expected(48, 40);
        fill_destinations(target);
        fill_destinations(expected);
        target.make_current();
        set_blit_source(heap.data(), PicKind::Auto, heap.size);
        before();
        put_pic(at.x, at.y, 20, 14, mode | mirror, extra);
        const int clip[4] = {0, 0, 48, 40};
        place_by_hand(expected, decoded, at.x, at.y, mirror, clip, rule);
        ASSERT_EQ(target.all(), expected.all()) << "mode " << (mode >> 2) << " mirror " << mirror << " at " << at.x
                                                << "," << at.y;
      }
    }
  }

  // Draws one row holding every source colour over each destination colour in turn, and
  // checks every pixel against the formula: the saturation table of a mode.
  void expect_colour_table(BlitFlags mode, std::intptr_t extra, const std::function<void()>& before,
                           const std::function<std::uint16_t(std::uint16_t s, std::uint16_t d)>& formula) {
    const auto sources = blend_reference::source_colours();
    const int n = int(sources.size());
    Bytes pic = fixtures::RleWriter(n, 1).literal(sources).end_row().finish();
    Heap heap(pic);
    for (std::uint16_t d : blend_reference::destination_colours()) {
      GuardedTarget target(n, 1), expected(n, 1);
      for (int i = 0; i < n; ++i) {
        target.at(i, 0) = d;
        expected.at(i, 0) = formula(sources[std::size_t(i)], d);
      }
      target.make_current();
      set_blit_source(heap.data(), PicKind::Auto, heap.size);
      before();
      put_pic(0, 0, n, 1, mode, extra);
      for (int i = 0; i < n; ++i)
        ASSERT_EQ(target.at(i, 0), expected.at(i, 0))
            << std::hex << "source " << sources[std::size_t(i)] << " over " << d << " mode " << (mode >> 2);
      ASSERT_EQ(target.all(), expected.all()) << "guard band";
    }
  }
};

inline void set_offsets(const blend_reference::Offsets& o) {
  auto narrow = [](long long v) { return int(v); };
  sprite_blitter.blit_add_r = narrow(o.r);
  sprite_blitter.blit_add_g = narrow(o.g);
  sprite_blitter.blit_add_b = narrow(o.b);
}

}  // namespace blend_test

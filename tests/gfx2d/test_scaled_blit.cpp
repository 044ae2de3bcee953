// The scaled routines: a picture enlarged or reduced about a pivot through a column map and a
// row map, with their own clipping and mirroring, the per-pixel rules of the scaled modes, the
// unscaled draw of pictures with one-byte pixels, and the draws the scaled path must refuse.
#include "tests/gfx2d/blend_test_fixture.h"

#include <climits>

namespace {

using namespace blend_test;
using blend_reference::Offsets;

class ScaledBlitTest : public BlendModeTest {};

struct Box {
  long long x0, y0, x1, y1;  // inclusive corners
};

// Where a w x h picture drawn at (x, y) lands: the pivot stays in place, measured from the
// right edge when mirrored across; a vertical mirror turns the picture over about its pivot row.
Box scaled_box(long long x, long long y, long long w, long long h, BlitFlags flags) {
  long long sx = sprite_blitter.blit_scale_x, sy = sprite_blitter.blit_scale_y;
  long long px = sprite_blitter.blit_pivot_x, py = sprite_blitter.blit_pivot_y;
  if (flags & BLIT_MIRROR_X) px = w - px;
  if (flags & BLIT_MIRROR_Y) {
    y = y + 2 * py - h;
    py = h - py;
  }
  Box b;
  b.x0 = x + px - px * sx / 1024;
  b.y0 = y + py - py * sy / 1024;
  b.x1 = b.x0 + w * sx / 1024 - 1;
  b.y1 = b.y0 + h * sy / 1024 - 1;
  return b;
}

// The maps a draw left must meet their contract: W + 1 column entries, non-decreasing picture
// columns below w and then one at w or beyond; the row map from 0, non-decreasing, ending at h
// or beyond.
void expect_map_contract(int w, int h) {
  long long width = (long long)w * sprite_blitter.blit_scale_x / 1024;
  long long height = (long long)h * sprite_blitter.blit_scale_y / 1024;
  const auto& cols = sprite_blitter.scaled_column_map;
  const auto& rows = sprite_blitter.scaled_row_map;
  ASSERT_GE((long long)cols.size(), width + 1);
  ASSERT_GE((long long)rows.size(), height + 1);
  for (long long i = 0; i < width; ++i) {
    ASSERT_GE(cols[std::size_t(i)], 0);
    ASSERT_LT(cols[std::size_t(i)], w) << i;
    if (i > 0) {
      ASSERT_LE(cols[std::size_t(i - 1)], cols[std::size_t(i)]) << i;
    }
  }
  EXPECT_GE(cols[std::size_t(width)], w);
  EXPECT_EQ(rows[0], 0);
  for (long long j = 1; j < height; ++j) ASSERT_LE(rows[std::size_t(j - 1)], rows[std::size_t(j)]) << j;
  for (long long j = 0; j < height; ++j) ASSERT_LT(rows[std::size_t(j)], h) << j;
  EXPECT_GE(rows[std::size_t(height)], h);
}

// The scaled draw by hand: every target pixel of box and clip shows the picture pixel that the
// maps give for its place in the box.
void scaled_by_hand(GuardedTarget& t, const rle_reference::Picture& pic, const Box& box, BlitFlags flags,
                    const int clip[4], const PixelRule& rule) {
  for (long long ty = std::max<long long>(box.y0, clip[1]); ty <= std::min<long long>(box.y1, clip[1] + clip[3] - 1); ++ty) {
    for (long long tx = std::max<long long>(box.x0, clip[0]); tx <= std::min<long long>(box.x1, clip[0] + clip[2] - 1);
         ++tx) {
      long long i = (flags & BLIT_MIRROR_X) ? box.x1 - tx : tx - box.x0;
      long long j = (flags & BLIT_MIRROR_Y) ? box.y1 - ty : ty - box.y0;
      int pc = sprite_blitter.scaled_column_map[std::size_t(i)];
      int pr = sprite_blitter.scaled_row_map[std::size_t(j)];
      auto& d = t.at(int(tx), int(ty));
      d = rule(pic.at(pc, pr), d, pc, pr);
    }
  }
}

struct ScaleCase {
  int sx, sy, pivot_x, pivot_y;
};
const ScaleCase scale_cases[] = {
    {1024, 1024, 0, 0},  {2048, 2048, 0, 0},  {512, 512, 0, 0},    {1536, 700, 0, 0},   {3000, 1100, 10, 7},
    {300, 2500, 10, 7},  {2048, 2048, 10, 7}, {700, 700, -5, 20},  {1024, 1024, 19, 13}, {5000, 333, 3, 11},
};
const Placement scaled_placements[] = {{20, 17}, {-9, 10}, {50, 10}, {10, -12}, {10, 40}, {-15, -15},
                                       {58, 44}, {0, 0},   {-30, 5}, {70, 50}};

const BlitFlags copy_mode = blit_mode(32);

TEST_P(ScaledBlitTest, CopyAtEveryScalePivotMirrorAndClip) {
  Bytes pic = picture(20, 14, 31);
  auto decoded = rle_reference::decode(pic.data());
  Heap heap(pic);
  for (const ScaleCase& sc : scale_cases) {
    for (BlitFlags mirror : all_mirrors) {
      for (const Placement& at : scaled_placements) {
        GuardedTarget target(64, 48), expected(64, 48);
        target.make_current();
        sprite_blitter.blit_scale_x = sc.sx;
        sprite_blitter.blit_scale_y = sc.sy;
        sprite_blitter.blit_pivot_x = sc.pivot_x;
        sprite_blitter.blit_pivot_y = sc.pivot_y;
        set_blit_source(heap.data(), PicKind::Auto, heap.size);
        put_pic(at.x, at.y, 20, 14, copy_mode | mirror, 0);
        std::string where = "scale " + std::to_string(sc.sx) + "x" + std::to_string(sc.sy) + " pivot " +
                            std::to_string(sc.pivot_x) + "," + std::to_string(sc.pivot_y) + " mirror " +
                            std::to_string(mirror) + " at " + std::to_string(at.x) + "," + std::to_string(at.y);
        Box box = scaled_box(at.x, at.y, 20, 14, mirror);
        const int clip[4] = {0, 0, 64, 48};
        bool visible = box.x0 < 64 && box.x1 >= 0 && box.y0 < 48 && box.y1 >= 0;
        if (visible) {
          ASSERT_NO_FATAL_FAILURE(expect_map_contract(20, 14)) << where;
          scaled_by_hand(expected, decoded, box, mirror, clip,
                         [](const Pixel& p, std::uint16_t d, int, int) { return p.kind == Kind::Literal ? p.value : d; });
        }
        ASSERT_EQ(target.all(), expected.all()) << where;
      }
    }
  }
}

TEST_P(ScaledBlitTest, AtScaleOneTheCopyDrawsWhatModeZeroDraws) {
  Bytes pic = picture(20, 14, 32);
  for (BlitFlags mirror : all_mirrors) {
    for (const Placement& at : placements) {
      GuardedTarget scaled(48, 40), plain(48, 40);
      scaled.make_current();
      sprite_blitter.blit_source = pic.data();
      put_pic(at.x, at.y, 20, 14, copy_mode | mirror, 0);
      plain.make_current();
      sprite_blitter.blit_source = pic.data();
      // With the pivot on row 0 a vertical mirror turns the picture over onto the rows above y.
      put_pic(at.x, (mirror & BLIT_MIRROR_Y) ? at.y - 14 : at.y, 20, 14, mirror, 0);
      ASSERT_EQ(scaled.all(), plain.all()) << "mirror " << mirror << " at " << at.x << "," << at.y;
    }
  }
}

TEST_P(ScaledBlitTest, UpAndDownScaledSizesAndMaps) {
  // An opaque 10 x 6 picture shows the box exactly.
  fixtures::RleWriter writer(10, 6);
  for (int r = 0; r < 6; ++r) {
    std::vector<std::uint16_t> row;
    for (int c = 0; c < 10; ++c) row.push_back(std::uint16_t(0x100 * r + c + 1));
    writer.literal(row).end_row();
  }
  Bytes pic = writer.finish();
  struct Case {
    int sx, sy, width, height;
  } cases[] = {{1024, 1024, 10, 6}, {2048, 2048, 20, 12}, {512, 512, 5, 3}, {3072, 1536, 30, 9}, {1100, 900, 10, 5}};
  for (const Case& c : cases) {
    GuardedTarget target(40, 20), before(40, 20);
    target.make_current();
    sprite_blitter.blit_scale_x = c.sx;
    sprite_blitter.blit_scale_y = c.sy;
    sprite_blitter.blit_source = pic.data();
    put_pic(2, 3, 10, 6, copy_mode, 0);
    for (int y = 0; y < 20; ++y)
      for (int x = 0; x < 40; ++x) {
        bool inside = x >= 2 && x < 2 + c.width && y >= 3 && y < 3 + c.height;
        EXPECT_EQ(target.at(x, y) != before.at(x, y), inside) << c.sx << " " << x << "," << y;
      }
    ASSERT_NO_FATAL_FAILURE(expect_map_contract(10, 6));
    // The corners show the picture's corners.
    EXPECT_EQ(target.at(2, 3), 0x001);
    EXPECT_EQ(target.at(2 + c.width - 1, 3 + c.height - 1) & 0xFF, sprite_blitter.scaled_column_map[std::size_t(c.width - 1)] + 1);
  }
  // Doubling repeats every column and row twice; halving takes every other one.
  sprite_blitter.blit_scale_x = sprite_blitter.blit_scale_y = 2048;
  GuardedTarget target(40, 20);
  target.make_current();
  sprite_blitter.blit_source = pic.data();
  put_pic(0, 0, 10, 6, copy_mode, 0);
  for (int i = 0; i < 20; ++i) EXPECT_EQ(sprite_blitter.scaled_column_map[std::size_t(i)], i / 2);
  EXPECT_EQ(target.at(7, 5), 0x0204);
  sprite_blitter.blit_scale_x = sprite_blitter.blit_scale_y = 512;
  target.make_current();
  sprite_blitter.blit_source = pic.data();
  put_pic(0, 0, 10, 6, copy_mode, 0);
  for (int i = 0; i < 5; ++i) EXPECT_EQ(sprite_blitter.scaled_column_map[std::size_t(i)], 2 * i);
  EXPECT_EQ(target.at(3, 2), 0x0407);
}

TEST_P(ScaledBlitTest, BoxesBeyondTheOldFixedMapsAreBuiltPerDraw) {
  Bytes pic = picture(20, 14, 33);
  auto decoded = rle_reference::decode(pic.data());
  Heap heap(pic);
  // 2000 x 1400 pixels: wider and taller than maps of 1280 entries.
  sprite_blitter.blit_scale_x = sprite_blitter.blit_scale_y = 102400;
  sprite_blitter.blit_pivot_x = 10;
  sprite_blitter.blit_pivot_y = 7;
  for (BlitFlags mirror : all_mirrors) {
    GuardedTarget target(64, 48), expected(64, 48);
    target.make_current();
    set_blit_source(heap.data(), PicKind::Auto, heap.size);
    put_pic(22, 17, 20, 14, copy_mode | mirror, 0);
    ASSERT_NO_FATAL_FAILURE(expect_map_contract(20, 14));
    const int clip[4] = {0, 0, 64, 48};
    scaled_by_hand(expected, decoded, scaled_box(22, 17, 20, 14, mirror), mirror, clip,
                   [](const Pixel& p, std::uint16_t d, int, int) { return p.kind == Kind::Literal ? p.value : d; });
    ASSERT_EQ(target.all(), expected.all()) << mirror;
  }
}

TEST_P(ScaledBlitTest, ScalesWithoutAPixelOrBeyondAnyTargetDrawNothing) {
  Bytes pic = picture(20, 14, 34);
  Heap heap(pic);
  struct Case {
    int sx, sy, pivot_x, pivot_y;
  } cases[] = {{0, 1024, 0, 0},       {1024, 0, 0, 0},        {-1024, 1024, 0, 0},    {1024, -5000, 3, 3},
               {51, 1024, 0, 0},      {INT_MAX, INT_MAX, 0, 0}, {INT_MAX, 1024, INT_MAX, 0},
               {INT_MIN, INT_MIN, INT_MIN, INT_MAX}};
  for (const Case& c : cases) {
    GuardedTarget target(48, 40), untouched(48, 40);
    target.make_current();
    sprite_blitter.blit_scale_x = c.sx;
    sprite_blitter.blit_scale_y = c.sy;
    sprite_blitter.blit_pivot_x = c.pivot_x;
    sprite_blitter.blit_pivot_y = c.pivot_y;
    set_blit_source(heap.data(), PicKind::Auto, heap.size);
    put_pic(10, 10, 20, 14, copy_mode, 0);
    EXPECT_EQ(target.all(), untouched.all()) << c.sx << " " << c.sy;
  }
}

TEST_P(ScaledBlitTest, NarrowedClipCutsEveryEdge) {
  Bytes pic = picture(20, 14, 35);
  auto decoded = rle_reference::decode(pic.data());
  sprite_blitter.blit_scale_x = 2500;
  sprite_blitter.blit_scale_y = 1800;
  for (BlitFlags mirror : all_mirrors) {
    for (const Placement& at : scaled_placements) {
      GuardedTarget target(64, 48), expected(64, 48);
      target.make_current();
      set_blit_clip(7, 5, 51, 40);
      sprite_blitter.blit_source = pic.data();
      put_pic(at.x, at.y, 20, 14, copy_mode | mirror, 0);
      const int clip[4] = {7, 5, 44, 35};
      Box box = scaled_box(at.x, at.y, 20, 14, mirror);
      if (box.x0 < 51 && box.x1 >= 7 && box.y0 < 40 && box.y1 >= 5)
        scaled_by_hand(expected, decoded, box, mirror, clip,
                       [](const Pixel& p, std::uint16_t d, int, int) { return p.kind == Kind::Literal ? p.value : d; });
      ASSERT_EQ(target.all(), expected.all()) << "mirror " << mirror << " at " << at.x << "," << at.y;
    }
  }
}

TEST_P(ScaledBlitTest, CutOnlyAtTheTopDrawsTheClipsFirstRow) {
  fixtures::RleWriter writer(4, 4);
  for (int r = 0; r < 4; ++r) writer.literal({1, 2, 3, 4}).end_row();
  Bytes pic = writer.finish();
  GuardedTarget target(10, 10), before(10, 10);
  target.make_current();
  set_blit_clip(0, 3, 10, 10);
  sprite_blitter.blit_source = pic.data();
  put_pic(2, 1, 4, 4, copy_mode, 0);
  for (int x = 2; x < 6; ++x) {
    EXPECT_EQ(target.at(x, 2), before.at(x, 2));
    EXPECT_EQ(target.at(x, 3), x - 1);
    EXPECT_EQ(target.at(x, 4), x - 1);
  }
}

// ---- the per-pixel rules ----

TEST_P(ScaledBlitTest, AddPutsTheOffsetsAfterTheSum) {
  for (const Offsets& o : blend_reference::offset_table()) {
    expect_colour_table(blit_mode(33), 0, [&] { set_offsets(o); },
                        [&](std::uint16_t s, std::uint16_t d) { return blend_reference::add_then_offset(s, d, o); });
  }
  // White on white with -31 everywhere: black, where mode 1 leaves white.
  const std::uint16_t white = blend_reference::compose({31, 31, 31});
  EXPECT_EQ(blend_reference::add_then_offset(white, white, {-31, -31, -31}), 0);
  EXPECT_EQ(blend_reference::offset_add(white, white, {-31, -31, -31}), white);
}

TEST_P(ScaledBlitTest, TintHasNoEarlyExit) {
  for (const Offsets& o : blend_reference::offset_table()) {
    expect_colour_table(blit_mode(34), 0, [&] { set_offsets(o); },
                        [&](std::uint16_t, std::uint16_t d) { return blend_reference::tint(d, o); });
  }
}

TEST_P(ScaledBlitTest, LevelCopiesAboveFourteenAndBelowZero) {
  for (int level : {0, 1, 2, 7, 8, 14, 15, 20, -1, INT_MIN}) {
    expect_colour_table(blit_mode(35), 0, [level] { sprite_blitter.blit_level = level; },
                        [level](std::uint16_t s, std::uint16_t d) {
                          if (level == 0) return d;
                          if (level < 0 || level >= 15) return s;
                          return blend_reference::level_blend(s, d, level);
                        });
  }
}

TEST_P(ScaledBlitTest, FillGreyAndSubtract) {
  sprite_blitter.scaled_fill_colour = 0x1234;
  expect_colour_table(blit_mode(36), 0, [] {}, [](std::uint16_t, std::uint16_t) { return std::uint16_t(0x1234); });
  expect_colour_table(blit_mode(37), 0, [] {}, [](std::uint16_t, std::uint16_t d) { return blend_reference::grey(d); });
  for (const Offsets& o : blend_reference::offset_table()) {
    expect_colour_table(blit_mode(38), 0, [&] { set_offsets(o); },
                        [&](std::uint16_t s, std::uint16_t d) { return blend_reference::subtract(s, d, o); });
  }
}

TEST_P(ScaledBlitTest, RulesWhenScaledAndMirrored) {
  Bytes pic = picture(20, 14, 36);
  auto decoded = rle_reference::decode(pic.data());
  const Offsets o{4, -6, 33};
  struct Rule {
    BlitFlags mode;
    std::function<std::uint16_t(std::uint16_t, std::uint16_t)> f;
  } rules[] = {
      {blit_mode(33), [&](std::uint16_t s, std::uint16_t d) { return blend_reference::add_then_offset(s, d, o); }},
      {blit_mode(34), [&](std::uint16_t, std::uint16_t d) { return blend_reference::tint(d, o); }},
      {blit_mode(35), [](std::uint16_t s, std::uint16_t d) { return blend_reference::level_blend(s, d, 6); }},
      {blit_mode(37), [](std::uint16_t, std::uint16_t d) { return blend_reference::grey(d); }},
      {blit_mode(38), [&](std::uint16_t s, std::uint16_t d) { return blend_reference::subtract(s, d, o); }},
  };
  sprite_blitter.blit_scale_x = 1700;
  sprite_blitter.blit_scale_y = 800;
  sprite_blitter.blit_pivot_x = 4;
  sprite_blitter.blit_pivot_y = 9;
  for (const Rule& rule : rules) {
    for (BlitFlags mirror : all_mirrors) {
      for (const Placement& at : scaled_placements) {
        GuardedTarget target(64, 48), expected(64, 48);
        fill_destinations(target);
        fill_destinations(expected);
        target.make_current();
        sprite_blitter.blit_source = pic.data();
        set_offsets(o);
        sprite_blitter.blit_level = 6;
        put_pic(at.x, at.y, 20, 14, rule.mode | mirror, 0);
        Box box = scaled_box(at.x, at.y, 20, 14, mirror);
        const int clip[4] = {0, 0, 64, 48};
        if (box.x0 < 64 && box.x1 >= 0 && box.y0 < 48 && box.y1 >= 0)
          scaled_by_hand(expected, decoded, box, mirror, clip, literal_only(rule.f));
        ASSERT_EQ(target.all(), expected.all())
            << "mode " << (rule.mode >> 2) << " mirror " << mirror << " at " << at.x << "," << at.y;
      }
    }
  }
}

TEST_P(ScaledBlitTest, TheOneShotSettingsOutliveAScaledDraw) {
  Bytes pic = picture(20, 14, 37);
  GuardedTarget target(24, 16);
  target.make_current();
  sprite_blitter.blit_source = pic.data();
  sprite_blitter.blit_add_r = 5;
  sprite_blitter.blit_add_b = -2;
  sprite_blitter.blit_level = 9;
  put_pic(0, 0, 20, 14, blit_mode(33), 0);
  EXPECT_EQ(sprite_blitter.blit_add_r, 5);
  EXPECT_EQ(sprite_blitter.blit_add_b, -2);
  EXPECT_EQ(sprite_blitter.blit_level, 9);
  // The next ordinary draw uses them and clears them.
  put_pic(0, 0, 20, 14, blit_mode(1), 0);
  EXPECT_EQ(sprite_blitter.blit_add_r, 0);
  EXPECT_EQ(sprite_blitter.blit_level, 0);
}

// ---- draws the scaled path refuses ----

TEST_P(ScaledBlitTest, IndicesPastTheTableEmptyEntriesAndRawSourcesDrawNothing) {
  Bytes pic = picture(20, 14, 38);
  std::vector<std::uint16_t> raw(20 * 14, 0x1111);
  struct Case {
    const char* what;
    BlitFlags flags;
    bool raw_source;
  } cases[] = {
      {"index past the table", 0x00010000u | blit_mode(32), false},
      {"index at the limit of the mask", 0x3FFFFFFCu, false},
      {"mode without a routine", blit_mode(39), false},
      {"mode 63", blit_mode(63), false},
      {"raw source, scaled copy", blit_mode(32), true},
      {"raw source, palette mode", blit_mode(48), true},
      {"raw source in mode 16", blit_mode(16), true},
      {"raw source in mode 22", blit_mode(22), true},
      {"raw source in mode 31 mirrored", blit_mode(31) | BLIT_MIRROR_X, true},
      {"flag bit 30 with a scaled mode and no routine", 0x40000000u | blit_mode(40), false},
  };
  for (const Case& c : cases) {
    GuardedTarget target(24, 16), untouched(24, 16);
    target.make_current();
    if (c.raw_source)
      set_blit_source(raw.data(), PicKind::Raw, raw.size() * 2);
    else
      sprite_blitter.blit_source = pic.data();
    put_pic(2, 1, 20, 14, c.flags, 0);
    EXPECT_EQ(target.all(), untouched.all()) << c.what;
  }
}

TEST_P(ScaledBlitTest, PictureDepthsTheRoutinesRequire) {
  Bytes eight = fixtures::RleWriter(4, 2, 8).literal8({1, 2, 3, 4}).end_row().literal8({4, 3, 2, 1}).end_row().finish();
  Bytes sixteen = fixtures::RleWriter(4, 2).literal({1, 2, 3, 4}).end_row().literal({4, 3, 2, 1}).end_row().finish();
  std::vector<std::uint16_t> palette(256, 0x7777);
  struct Case {
    const char* what;
    const Bytes* pic;
    BlitFlags mode;
    const std::uint16_t* palette;
  } cases[] = {
      {"one-byte pixels in a scaled mode", &eight, blit_mode(32), palette.data()},
      {"one-byte pixels without a palette", &eight, blit_mode(48), nullptr},
      {"two-byte pixels in the palette mode", &sixteen, blit_mode(48), palette.data()},
  };
  for (const Case& c : cases) {
    GuardedTarget target(8, 4), untouched(8, 4);
    target.make_current();
    sprite_blitter.blit_palette = c.palette;
    sprite_blitter.blit_source = c.pic->data();
    put_pic(1, 1, 4, 2, c.mode, 0);
    EXPECT_EQ(target.all(), untouched.all()) << c.what;
  }
}

TEST_P(ScaledBlitTest, PicturesThatEndEarlyOrOverrunTheirWidth) {
  // Fewer rows than stated: the draw stops at the final 0, whatever the row map asks.
  Bytes short_pic = fixtures::RleWriter(4, 6).literal({1, 2, 3, 4}).end_row().literal({5, 6, 7, 8}).end_row().finish();
  Heap short_heap(short_pic);
  sprite_blitter.blit_scale_x = sprite_blitter.blit_scale_y = 2048;
  GuardedTarget target(16, 16), before(16, 16);
  target.make_current();
  set_blit_source(short_heap.data(), PicKind::Auto, short_heap.size);
  put_pic(0, 0, 4, 6, copy_mode, 0);
  EXPECT_EQ(target.at(7, 3), 8);
  for (int y = 4; y < 16; ++y)
    for (int x = 0; x < 16; ++x) ASSERT_EQ(target.at(x, y), before.at(x, y)) << x << "," << y;
  // Runs that add up to more than the width: the column cursor stops at the box's edge.
  Bytes wide_runs = fixtures::RleWriter(3, 2)
                        .literal({1, 2, 3, 4, 5, 6, 7, 8, 9})
                        .transparent(40)
                        .literal({10, 11})
                        .end_row()
                        .literal({1, 2, 3})
                        .end_row()
                        .finish();
  Heap wide_heap(wide_runs);
  for (BlitFlags mirror : all_mirrors) {
    GuardedTarget t(16, 8), b(16, 8);
    t.make_current();
    set_blit_source(wide_heap.data(), PicKind::Auto, wide_heap.size);
    put_pic(4, 2, 3, 2, copy_mode | mirror, 0);
    Box box = scaled_box(4, 2, 3, 2, mirror);
    for (int y = -GuardedTarget::guard; y < 8 + GuardedTarget::guard; ++y)
      for (int x = -GuardedTarget::guard; x < 16 + GuardedTarget::guard; ++x)
        if (x < box.x0 || x > box.x1 || y < box.y0 || y > box.y1) {
          ASSERT_EQ(t.at(x, y), b.at(x, y)) << x << "," << y;
        }
  }
  // A picture cut short of its stated size is read no further than its end.
  Bytes whole = picture(20, 14, 39);
  for (std::size_t cut : {std::size_t(9), whole.size() / 3, whole.size() - 3}) {
    Bytes part(whole.begin(), whole.begin() + std::ptrdiff_t(cut));
    Heap exact(part);
    GuardedTarget t(64, 48);
    t.make_current();
    set_blit_source(exact.data(), PicKind::Rle, exact.size);
    put_pic(0, 0, 20, 14, copy_mode, 0);
  }
}

// ---- one-byte pixels through a palette ----

TEST_P(ScaledBlitTest, PalettePicturesTurnOverWithinTheirBox) {
  fixtures::RleWriter writer(7, 5, 8);
  for (int r = 0; r < 5; ++r) {
    std::vector<std::uint8_t> idx;
    for (int c = 0; c < 3; ++c) idx.push_back(std::uint8_t(r * 16 + c + 1));
    writer.literal8(idx).transparent(2).key2(1);
    writer.literal8({std::uint8_t(200 + r)}).end_row();
  }
  Bytes pic = writer.finish();
  auto decoded = rle_reference::decode(pic.data());
  std::vector<std::uint16_t> palette(256);
  for (int i = 0; i < 256; ++i) palette[std::size_t(i)] = std::uint16_t(0x9000 + i * 3);
  sprite_blitter.blit_palette = palette.data();
  // The scale and pivot do not apply to these pictures.
  sprite_blitter.blit_scale_x = 3000;
  sprite_blitter.blit_pivot_y = 2;
  const Placement at_edges[] = {{5, 5}, {-3, 2}, {14, 3}, {4, -2}, {4, 12}, {-7, 0}, {20, 20}};
  for (BlitFlags mirror : all_mirrors) {
    for (const Placement& at : at_edges) {
      GuardedTarget target(18, 14), expected(18, 14);
      target.make_current();
      sprite_blitter.blit_source = pic.data();
      put_pic(at.x, at.y, 7, 5, blit_mode(48) | mirror, 0);
      const int clip[4] = {0, 0, 18, 14};
      place_by_hand(expected, decoded, at.x, at.y, mirror, clip, [&](const Pixel& p, std::uint16_t d, int, int) {
        return p.kind == Kind::Literal ? palette[p.value] : d;
      });
      ASSERT_EQ(target.all(), expected.all()) << "mirror " << mirror << " at " << at.x << "," << at.y;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Layouts, ScaledBlitTest, ::testing::ValuesIn(layouts), layout_name);

}  // namespace

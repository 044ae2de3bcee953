// The minimap's markers, their placement and paint, and its display modes.
#include <gtest/gtest.h>

#include "core/flags.h"
#include "core/game_flags.h"
#include "core/game_state_words.h"
#include "field/minimap.h"

namespace {

class MinimapMarkers : public ::testing::Test {
 protected:
  void SetUp() override {
    map = Minimap{};
    map.SetRect(10, 10, 160, 160);
    map.SetScale(30);
  }
  Minimap map;
};

TEST_F(MinimapMarkers, AddKeepsAnExistingMarkerAndScalesNewOnes) {
  MinimapMarker* first = map.AddMarker(7, 0xFFFF0000, 3000.0f, 610.0f, 90.0f, 5, 0);
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(first->x, 100);
  EXPECT_EQ(first->y, 20);  // 610 / 30 truncated
  EXPECT_EQ(first->label, 0);
  MinimapMarker* again = map.AddMarker(7, 0xFF00FF00, 0.0f, 0.0f, 0.0f, 9, 1);
  EXPECT_EQ(again, first);
  EXPECT_EQ(again->colour, 0xFFFF0000u);
  EXPECT_EQ(again->size, 5);
}

TEST_F(MinimapMarkers, AbsentAndNegativeIdsFindNothingAndChangeNothing) {
  map.AddMarker(1, 0xFFFFFF00, 300.0f, 300.0f, 0.0f, 5, 0);
  EXPECT_EQ(map.FindMarker(-1), nullptr);
  EXPECT_EQ(map.FindMarker(2), nullptr);
  map.SetMarkerPos(2, 900.0f, 900.0f, 45.0f);
  map.SetMarkerLabel(2, 3);
  map.RemoveMarker(2);
  ASSERT_EQ(map.markers().size(), 1u);
  EXPECT_EQ(map.FindMarker(1)->x, 10);
  map.SetMarkerPos(1, 900.0f, -90.0f, 45.0f);
  EXPECT_EQ(map.FindMarker(1)->x, 30);
  EXPECT_EQ(map.FindMarker(1)->y, -3);
  EXPECT_EQ(map.FindMarker(1)->angle, 45.0f);
  map.SetTracked(1);
  map.Clear();
  EXPECT_TRUE(map.markers().empty());
  EXPECT_EQ(map.tracked_id(), -1);
}

TEST_F(MinimapMarkers, ScaleOfZeroOrLessCountsAsOne) {
  for (int n : {0, -5, 1}) {
    map.SetScale(n);
    EXPECT_EQ(map.scale(), 1.0f) << n;
  }
  map.SetScale(4);
  EXPECT_EQ(map.scale(), 0.25f);
}

TEST_F(MinimapMarkers, BoxCentreUsesIntegerHalves) {
  map.SetRect(3, 4, 104, 55);
  EXPECT_EQ(map.right() - map.left(), 101);
  MinimapMarker m;
  m.size = 0;
  m.kind = 0;
  // A marker at the tracked point sits at the centre (3 + 50, 4 + 25).
  const MarkerPlacement p = place_marker(m, 0, 0, 53, 29, 101, 51);
  EXPECT_TRUE(p.shown);
  EXPECT_EQ(p.x, 53);
  EXPECT_EQ(p.y, 29);
}

// Box 150 x 150 around the centre (85, 85); the tracked marker at (100, 100).
TEST(MinimapPlacement, KindZeroLeavesTheBoxKindOneSticksToItsEdge) {
  // Rows worked out by hand from dx = tracked - marker and the box half 75.
  struct Row {
    std::uint8_t kind;
    int mx, my, size;
    bool shown, clamped;
    int sx, sy;
  } rows[] = {
      {0, 100, 100, 5, true, false, 85, 85},
      {0, 120, 130, 5, true, false, 105, 55},
      {0, 170, 100, 5, true, false, 155, 85},    // dx = -70, dx - size = -75: still inside
      {0, 171, 100, 5, false, false, 156, 85},   // dx - size = -76: gone
      {0, 25, 100, 5, true, false, 10, 85},      // dx = 75: on the edge
      {0, 24, 100, 5, false, false, 9, 85},      // dx = 76: gone
      {0, 100, 30, 5, true, false, 85, 155},     // dy + size = 75
      {0, 100, 29, 5, false, false, 85, 14},     // dy + size = 76
      {1, 300, 100, 5, true, true, 155, 85},     // held at the right edge: dx = size - 75
      {1, -200, 100, 5, true, true, 10, 85},     // held at the left edge: dx = 75
      {1, 100, 500, 5, true, true, 85, 10},      // held at the top edge: dy = -75
      {1, 100, -500, 5, true, true, 85, 155},    // held at the bottom edge: dy = 75 - size
      {1, 110, 95, 5, true, false, 95, 90},      // inside: not held
  };
  for (const Row& r : rows) {
    MinimapMarker m;
    m.kind = r.kind;
    m.x = r.mx;
    m.y = r.my;
    m.size = r.size;
    const MarkerPlacement p = place_marker(m, 100, 100, 85, 85, 150, 150);
    EXPECT_EQ(p.shown, r.shown) << r.mx << "," << r.my;
    if (!r.shown) continue;
    EXPECT_EQ(p.clamped, r.clamped) << r.mx << "," << r.my;
    EXPECT_EQ(p.x, r.sx) << r.mx << "," << r.my;
    EXPECT_EQ(p.y, r.sy) << r.mx << "," << r.my;
  }
}

TEST(MinimapPlacement, PaintKeepsRgbAndMasksAlphaByTheLevel) {
  struct Row {
    std::uint32_t colour;
    bool translucent;
    int level;
    bool clamped;
    std::uint32_t want_colour, want_flags;
  } rows[] = {
      {0xFFFF0000, true, 5, false, 0x55FF0000, 2},        // level 5: alpha 0x55
      {0xFFFF0000, true, 5, true, 0x55FF0000, 0x10002},
      {0x40123456, true, 15, false, 0x40123456, 2},       // the marker's own lower alpha stays
      {0xFFFF0000, false, 5, false, 0xFFFF0000, 0},       // opaque: solid
      {0xFFFF0000, false, 5, true, 0xFFFF0000, 0x10000},  // held at the edge: outline only
      {0x80FF0000, false, 0, false, 0x80FF0000, 2},
      {0x80FF0000, false, 0, true, 0x80FF0000, 0x10002},
  };
  for (const Row& r : rows) {
    const MarkerPaint p = marker_paint(r.colour, r.translucent, r.level, r.clamped);
    EXPECT_EQ(p.colour, r.want_colour) << std::hex << r.colour << " level " << r.level;
    EXPECT_EQ(p.flags, r.want_flags) << std::hex << r.colour << " clamped " << r.clamped;
  }
}

TEST(MinimapMode, EachSettingSetsTranslucencyLevelAndHiddenFlag) {
  struct Row {
    std::uint32_t mode;
    std::uint8_t translucent;
    int level;
    int hidden;
  } rows[] = {{minimap_translucent, 1, 5, 0}, {minimap_opaque, 0, 0, 0}, {minimap_hidden, 0, 0, 1}};
  minimap = Minimap{};
  set_flag(flag_minimap_hidden);
  for (const Row& r : rows) {
    game_state_words[state_word_minimap_mode] = r.mode;
    apply_minimap_mode();
    EXPECT_EQ(minimap_mode(), r.mode);
    EXPECT_EQ(minimap.IsTranslucent(), r.translucent) << r.mode;
    EXPECT_EQ(minimap.alpha_level(), r.level) << r.mode;
    EXPECT_EQ(test_flag(flag_minimap_hidden), r.hidden) << r.mode;
  }
}

TEST(MinimapMode, TheHiddenSettingKeepsTheTranslucency) {
  minimap = Minimap{};
  game_state_words[state_word_minimap_mode] = minimap_translucent;
  apply_minimap_mode();
  game_state_words[state_word_minimap_mode] = minimap_hidden;
  apply_minimap_mode();
  EXPECT_EQ(minimap.IsTranslucent(), 1);
  EXPECT_EQ(minimap.alpha_level(), 5);
  EXPECT_EQ(Minimap{}.alpha_level(), 8) << "a new minimap starts at level 8";
}

}  // namespace

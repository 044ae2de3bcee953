// The sample game as a player first sees it, through start-up's display: the title's menu with
// its labelled items, and the village entered as a new game enters it, with a sky, a textured
// ground, houses, the inhabitants drawn standing, fog only in the distance and a minimap filled
// with the map. Each frame is compared with its reference; the checks name what a broken kit
// or engine would lose.
#include <gtest/gtest.h>

#include <cstdlib>
#include <set>
#include <vector>

#include "app/startup.h"
#include "core/game_mode.h"
#include "data/map_role.h"
#include "data/maps_init.h"
#include "data/role_rows.h"
#include "field/map_change.h"
#include "field/map_file.h"
#include "field/role_draw.h"
#include "platform/display.h"
#include "platform/window.h"
#include "tests/app/game_harness.h"
#include "tests/fixtures/sample_data.h"
#include "tests/fixtures/sample_maps.h"
#include "tests/platform/raster/reference_image.h"
#include "ui/title/new_game.h"
#include "ui/title/title_screen.h"

namespace {

struct Rgb {
  int r, g, b;
};
Rgb at(const test_support::Frame565& f, int x, int y) {
  const std::uint16_t p = f.pixels[std::size_t(y) * std::size_t(f.width) + std::size_t(x)];
  return {(p >> 11) << 3, ((p >> 5) & 63) << 2, (p & 31) << 3};
}

// Pixels of the rectangle [x0, x1) x [y0, y1) for which `test` holds.
template <typename Test>
int count(const test_support::Frame565& f, int x0, int y0, int x1, int y1, Test test) {
  int n = 0;
  for (int y = y0; y < y1; ++y)
    for (int x = x0; x < x1; ++x) n += test(at(f, x, y)) ? 1 : 0;
  return n;
}

class SampleLook : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(init_game(game_.window(), platform::program_instance()), 1); }
  void TearDown() override { end_game(); }

  // A new game's party and roles, and the village entered where the story enters it.
  void enter_village() {
    setup_party();
    read_maps_init();
    read_maps_role(0);
    set_maps_role_map(gmMapRole[player_role_index].RoleID, fixtures::sample_village);
    GameMode = mode_field;
    enter_map(fixtures::sample_village, float(kit::sample_village_start.x), 0, float(kit::sample_village_start.z), 90);
  }
  GameHarness game_;
};

TEST_F(SampleLook, TheTitleMenuShowsEachItemsLabel) {
  for (int i = 0; i < 40 && title_state != title_menu; ++i) game_.run_frame();
  ASSERT_EQ(title_state, title_menu);
  game_.run_frame();
  const test_support::Frame565 frame = presented_frame();
  ASSERT_EQ(frame.width, 640);
  // Each item's bar (128 x 28 from x 256) carries the light strokes of its label; an empty bar
  // has none. The chosen item is drawn in white, the others in a light cream.
  const int row_y[title_items] = {195, 227, 260, 293, 325};
  for (int i = 0; i < title_items; ++i) {
    const int strokes = count(frame, 258, row_y[i] + 2, 382, row_y[i] + 26,
                              [](Rgb c) { return c.r >= 200 && c.g >= 200 && c.b >= 160; });
    EXPECT_GT(strokes, 60) << "item " << i;
  }
  EXPECT_EQ(test_support::compare_with_reference("title_labelled_menu", frame), "");
}

TEST_F(SampleLook, TheVillageShowsSkyGroundInhabitantsAndItsMap) {
  enter_village();
  for (int i = 0; i < 40; ++i) game_.run_frame();
  const test_support::Frame565 frame = presented_frame();
  ASSERT_EQ(frame.width, 640);
  // A sky above the walls (left of the menu icon): blue or a cloud's white, nowhere the black of
  // an empty screen.
  EXPECT_EQ(count(frame, 180, 0, 580, 90, [](Rgb c) { return c.b > 150 && c.b >= c.r; }), 400 * 90);
  // Ground at the bottom of the view, grass or road, never washed into the fog's pale blue.
  const int ground = count(frame, 0, 400, 640, 480, [](Rgb c) { return c.g > c.b + 20; });
  EXPECT_GT(ground, 640 * 80 * 9 / 10);
  // The minimap's box (right of the compass) filled with the map and the land around it down to
  // its last rows, where the start lies close to the south wall: the woods' many greens there,
  // not the one flat colour of the box's backdrop.
  std::set<std::uint16_t> bottom_colours;
  for (int y = 148; y < 159; ++y)
    for (int x = 45; x < 158; ++x) bottom_colours.insert(frame.pixels[std::size_t(y) * 640 + std::size_t(x)]);
  EXPECT_GT(bottom_colours.size(), 8u);
  // Every inhabitant in view has an animation to stand in, and is drawn.
  for (int i = 0; i < gmMapRoleCount; ++i) {
    const MapRole& r = gmMapRole[i];
    if (r.RoleID == 0 || r.RoleID >= party_role_limit) continue;
    EXPECT_NE(r.STATE & state_drawn, 0u) << r.RoleID;
    EXPECT_NE(r.drawn_model, nullptr) << r.RoleID;
    EXPECT_EQ(r.Y, 0.0f) << r.RoleID;
  }
  EXPECT_EQ(test_support::compare_with_reference("sample_village", frame), "");
}

}  // namespace

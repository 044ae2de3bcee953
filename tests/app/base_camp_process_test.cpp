// The sample game's base camp played as a process: the menu's base entry, the build page, the
// weapons workshop placed on free cells and confirmed (built and paid for), the houses page,
// back out to the menu, and a save whose block 5 holds the new house on its grid cells.
#include <gtest/gtest.h>

#include <algorithm>

#include "base/build_grid.h"
#include "base/house_kinds.h"
#include "base/house_record.h"
#include "tests/app/sample_run.h"
#include "tests/fixtures/sample_base.h"

namespace {

using sample_run::expect_frame;
using sample_run::play_to_saved_slot;

// The story leaves the party 150 money: 100 at the start and 50 from the villager.
constexpr int story_money = 150;

TEST(BaseCampProcess, TheWorkshopBuiltFromTheMenuIsPaidForAndSavedOnItsCells) {
  fixtures::TempFolder dir;
  SaveImage image;
  ASSERT_TRUE(play_to_saved_slot(dir, "base_camp.txt", image));
  EXPECT_EQ(image.header.resources[0], story_money - fixtures::sample_workshop_money);

  // The new settlement's dwelling and the workshop, in id order.
  ASSERT_EQ(image.houses.size(), 2u);
  HouseRecord dwelling, workshop;
  house_from_image(image.houses[0], dwelling);
  house_from_image(image.houses[1], workshop);
  EXPECT_EQ(dwelling.id, 1);
  EXPECT_EQ(dwelling.kind, house_thatch);
  EXPECT_EQ(workshop.id, 2);
  EXPECT_EQ(workshop.kind, house_weapons_1);
  EXPECT_EQ(workshop.built, 1);
  EXPECT_EQ(workshop.placed, 1);
  EXPECT_EQ(workshop.active, 1);
  // Every footprint cell of the workshop is taken in the saved grid, and nothing else is but
  // the dwelling's two cells.
  for (int r = 0; r < footprint_size; ++r)
    for (int c = 0; c < footprint_size; ++c) {
      if (!workshop.footprint[r * footprint_size + c]) continue;
      const int cell = (workshop.grid_row + r) * build_grid_cols + workshop.grid_col + c;
      ASSERT_TRUE(cell >= 0 && cell < build_grid_cells);
      EXPECT_EQ(image.build_grid[std::size_t(cell)], cell_taken) << "row " << r << " col " << c;
    }
  EXPECT_EQ(std::count(image.build_grid.begin(), image.build_grid.end(), cell_taken),
            workshop.footprint_cells + dwelling.footprint_cells);
  EXPECT_EQ(image.build_grid[75], cell_taken);
  EXPECT_EQ(image.build_grid[76], cell_taken);

  // The build list on the workshop; the settlement with the new house; the houses page.
  expect_frame(dir, 1305, "base_build_list");
  expect_frame(dir, 1550, "base_scene_new_house");
  expect_frame(dir, 1650, "base_houses_page");
}

}  // namespace

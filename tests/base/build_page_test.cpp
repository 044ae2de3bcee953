// The build page's rules: the fit test over free, blocked, taken and off-grid cells, the
// anchor kept through turns, the talk command's state without a house to place, and the
// confirmation that pays or changes nothing.
#include "base/build_screen.h"

#include <gtest/gtest.h>

#include "base/base_camp.h"
#include "base/base_top_menu.h"
#include "base/house_costs.h"
#include "base/house_kinds.h"
#include "core/game_mode.h"
#include "core/grp_input.h"
#include "core/key_mapping.h"
#include "tests/base/base_test.h"

namespace {
using namespace base_test;

class BuildPage : public BaseTest {
 protected:
  ~BuildPage() override {
    base_sub_mode = top_menu_page = top_menu_cursor = build_state = 0;
    panels_settled = 1;
    mouse_keyboard_lock = 0;
  }
  void press(KeyCode k) {
    now_ += 200;
    grp_input.update_key(now_, k, 0);
    now_ += 200;
    grp_input.update_key(now_, k, 1);
    input_build_screen();
    grp_input.update_key(now_ + 1, k, 0);
  }
  static HouseRecord* placing(int kind, int row, int col) {
    HouseRecord* h = add_house(kind, 0, 0, 0, 0);
    h->grid_row = row, h->grid_col = col;
    return h;
  }
  std::uint32_t now_ = 1000;
};

TEST_F(BuildPage, AHouseFitsOnlyOnFreeCellsOfTheGrid) {
  built_house(house_thatch, 0, 4);  // takes (0, 4) and (0, 5)
  BuildGrid[1 * 14 + 8] = cell_blocked;
  const struct { const char* name; int row, col, fits; } cases[] = {
      {"free", 3, 3, 1}, {"taken", 0, 3, 0}, {"blocked", 0, 7, 0}, {"off the right", 5, 13, 0},
      {"off the bottom", 12, 0, 0}, {"last fitting column", 5, 12, 1}, {"last fitting row", 11, 0, 1},
  };
  for (const auto& c : cases) {
    HouseRecord* h = placing(house_brick, c.row, c.col);  // 110 110 000
    EXPECT_EQ(house_fits(h), c.fits) << c.name;
    house_list.pop_back();
  }
}

TEST_F(BuildPage, TurningKeepsTheAnchorAndChangesTheFootprint) {
  HouseRecord* h = placing(house_weapons_2, 11, 12);  // 011 110 000: fits from (11, 12)? no
  EXPECT_EQ(house_fits(h), 0) << "its third column passes column 13";
  base_sub_mode = base_top_menu, top_menu_page = page_build, build_state = build_placing, panels_settled = 1;
  mouse_keyboard_lock = 1;  // the mouse picks no cell
  press(key_lshift);
  EXPECT_EQ(h->rotation_step, 1);
  EXPECT_EQ(h->rotation, 90.0f);
  EXPECT_EQ(h->grid_row, 11);
  EXPECT_EQ(h->grid_col, 12);
  EXPECT_EQ(house_fits(h), 0) << "100 110 010 reaches row 13";
  press(key_up);
  EXPECT_EQ(h->grid_row, 10);
  EXPECT_EQ(house_fits(h), 1);
  for (int i = 0; i < 12; ++i) press(key_up);
  EXPECT_EQ(h->grid_row, 0) << "a step off the grid is undone";
}

TEST_F(BuildPage, PlacingOrConfirmingWithoutAHouseGoesBackToTheList) {
  base_sub_mode = base_top_menu, top_menu_page = page_build, panels_settled = 1;
  for (int state : {build_placing, build_confirm}) {
    open_build_page(state, 1);
    press(key_enter);
    EXPECT_EQ(build_state, build_list) << state;
  }
}

TEST_F(BuildPage, AFailedPaymentAtTheConfirmChangesNothing) {
  HouseRecord* h = placing(house_weapons_1, 3, 3);
  selected_kind = house_weapons_1;
  base_sub_mode = base_top_menu, top_menu_page = page_build, build_state = build_confirm;
  confirm_choice = 0;
  party_money = house_money - 1, party_metal = party_wood = party_coal = 100;
  press(key_enter);
  EXPECT_EQ(build_state, build_confirm);
  EXPECT_EQ(h->placed, 0);
  EXPECT_EQ(BuildGrid[3 * 14 + 3], cell_free);
  EXPECT_EQ(party_metal, 100);
  party_money = house_money;
  press(key_enter);
  EXPECT_EQ(h->placed, 1);
  EXPECT_EQ(h->built, 1);
  EXPECT_EQ(h->countdown, 30);
  EXPECT_EQ(BuildGrid[3 * 14 + 3], cell_taken);
  EXPECT_EQ(party_money, 0);
  EXPECT_EQ(base_sub_mode, base_overview);
}

TEST_F(BuildPage, CancellingThePlacementDropsTheUnpaidRecord) {
  placing(house_weapons_1, 3, 3);
  base_sub_mode = base_top_menu, top_menu_page = page_build, build_state = build_placing, panels_settled = 1;
  press(key_escape);
  EXPECT_EQ(build_state, build_list);
  EXPECT_EQ(remove_inactive_house(), 1);
  EXPECT_TRUE(house_list.empty());
  EXPECT_EQ(party_money, 0) << "nothing was paid, nothing comes back";
}

}  // namespace

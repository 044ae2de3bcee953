// The houses page's table: its order, its size, the selected row's house and the positioning
// on a house when a sub-screen returns.
#include "base/house_table.h"

#include <gtest/gtest.h>

#include "base/house_kinds.h"
#include "tests/base/base_test.h"

namespace {
using namespace base_test;

class HouseTable : public BaseTest {};

TEST_F(HouseTable, RowsRunFromKind17DownAndByLabelWithinAKind) {
  add_house(house_thatch, 0, 0, 0, 0)->label = 2;
  add_house(house_training, 0, 0, 0, 0);
  add_house(house_thatch, 0, 0, 0, 0)->label = 0;
  add_house(house_weapons_1, 0, 0, 0, 0);
  add_house(house_thatch, 0, 0, 0, 0)->label = 1;
  build_house_table();
  ASSERT_EQ(house_table_rows, 5);
  const int kinds[] = {17, 4, 1, 1, 1}, labels[] = {0, 0, 0, 1, 2};
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(house_table[std::size_t(i)].kind, kinds[i]) << i;
    EXPECT_EQ(house_table[std::size_t(i)].label, labels[i]) << i;
  }
}

TEST_F(HouseTable, EveryHouseTheLimitsAllowHasARow) {
  for (int kind = 1; kind <= house_kind_count; ++kind)
    for (int n = 0; n < house_kind_row(kind).limit; ++n) add_house(kind, 0, 0, 0, 0);
  build_house_table();
  EXPECT_EQ(house_table_rows, 81);
  EXPECT_EQ(house_table.back().kind, house_thatch);
  EXPECT_EQ(house_table.back().label, 21);
}

TEST_F(HouseTable, TheSelectedRowFindsItsHouseById) {
  HouseRecord* a = add_house(house_timber, 0, 0, 0, 0);
  HouseRecord* b = add_house(house_timber, 0, 0, 0, 0);
  b->label = a->label;  // two rows with one kind and label
  build_house_table();
  list_row = 2;
  EXPECT_EQ(house_of_selected_row(), house_table[1].id == a->id ? a : b);
  list_row = 3;
  EXPECT_EQ(house_of_selected_row(), nullptr);
  list_row = 1;
  house_table_top = -1;
  EXPECT_EQ(house_of_selected_row(), nullptr);
}

TEST_F(HouseTable, ASubScreenReturnsOnThePageThatHoldsItsHouse) {
  for (int i = 0; i < 20; ++i) add_house(house_brick, 0, 0, 0, 0);
  build_house_table();
  const struct { int index, top, row; } cases[] = {{0, 0, 1}, {9, 9, 1}, {17, 9, 9}, {19, 11, 9}};
  for (const auto& c : cases) {
    ASSERT_EQ(position_house_table(house_table[std::size_t(c.index)].id), 1);
    EXPECT_EQ(house_table_top, c.top) << c.index;
    EXPECT_EQ(list_row, c.row) << c.index;
  }
  EXPECT_EQ(position_house_table(99), 0);
  EXPECT_EQ(house_table_top, 11);
}

TEST_F(HouseTable, RemovingAHouseNearTheEndPullsTheTopUp) {
  for (int i = 0; i < 12; ++i) add_house(house_brick, 0, 0, 0, 0);
  build_house_table();
  house_table_top = 3;
  house_list.back()->active = 0;
  remove_inactive_house();
  EXPECT_EQ(house_table_rows, 11);
  EXPECT_EQ(house_table_top, 2);
}

}  // namespace

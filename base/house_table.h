#pragma once
// The houses page's table: one row per house, sorted from kind 17 down to kind 1 and by label
// within a kind, and the list position the page shows (shared with the build page).
#include <cstdint>
#include <vector>

struct HouseRecord;

struct HouseTableRow {
  std::int32_t kind, label, id, level;
};
// As many rows as there are houses (the build limits allow 81).
extern std::vector<HouseTableRow> house_table;
extern int house_table_rows;  // rows used
extern int house_table_top;   // index of the first visible row
extern int list_row;          // 1-based highlighted visible row; shared with the build page
constexpr int house_table_visible = 9;

void build_house_table();
// The house of the highlighted row, found by the row's id; null when there is none.
HouseRecord* house_of_selected_row();
// Puts the row of the house with this id on screen: the page of nine that holds it (pulled up
// so that nine rows stay visible) and the highlight on it. 0 when no row has the id.
int position_house_table(int id);

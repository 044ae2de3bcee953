// The houses page's table.
#include "base/house_table.h"

#include <algorithm>
#include <utility>

#include "base/houses.h"

std::vector<HouseTableRow> house_table;
int house_table_rows = 0;
int house_table_top = 0;
int list_row = 1;

void build_house_table() {
  house_table.clear();
  for (const auto& h : house_list) house_table.push_back({h->kind, h->label, h->id, h->level});
  // The exchange sort the page has always used: kinds descending, labels ascending.
  for (std::size_t i = 0; i < house_table.size(); ++i)
    for (std::size_t j = i; j < house_table.size(); ++j) {
      const HouseTableRow& a = house_table[i];
      const HouseTableRow& b = house_table[j];
      if (a.kind < b.kind || (a.kind == b.kind && a.label > b.label)) std::swap(house_table[i], house_table[j]);
    }
  house_table_rows = int(house_table.size());
}

HouseRecord* house_of_selected_row() {
  const int index = house_table_top + list_row - 1;
  if (index < 0 || index >= house_table_rows) return nullptr;
  return find_house(house_table[std::size_t(index)].id);
}

int position_house_table(int id) {
  const auto it = std::find_if(house_table.begin(), house_table.end(), [&](const HouseTableRow& r) { return r.id == id; });
  if (it == house_table.end()) return 0;
  const int i = int(it - house_table.begin());
  house_table_top = i / house_table_visible * house_table_visible;
  if (house_table_rows - house_table_top < house_table_visible)
    house_table_top = std::max(0, house_table_rows - house_table_visible);
  list_row = i - house_table_top + 1;
  return 1;
}

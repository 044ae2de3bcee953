// House and landmark records.
#include "base/houses.h"

#include <vector>

#include "base/build_data.h"
#include "core/byte_reader.h"

namespace {
std::vector<HouseRecord> houses;
}

bool house_on_grid(const HouseRecord& house) {
  ByteReader r(house.image.data(), house.image.size());
  const std::int32_t row = r.i32_at(house_grid_row_offset);
  const std::int32_t col = r.i32_at(house_grid_col_offset);
  return row >= 0 && row < build_grid_rows && col >= 0 && col < build_grid_cols;
}

const HouseRecord* get_house_at(int n) {
  if (n < 1 || std::size_t(n) > houses.size()) return nullptr;
  return &houses[std::size_t(n) - 1];
}

int add_saved_house(const HouseRecord* image) {
  if (!image || !house_on_grid(*image)) return 0;
  houses.push_back(*image);
  return 1;
}

void free_all_houses() { houses.clear(); }

#pragma once
// House and landmark records of the settlement. Until base building lands, a house is kept as
// its opaque 680-byte stored image, in the order the houses were added.
#include <array>
#include <cstddef>
#include <cstdint>

constexpr std::size_t house_record_size = 680;
// The house's place on the building grid: row and column (32-bit each) in the image.
constexpr std::size_t house_grid_row_offset = 392;
constexpr std::size_t house_grid_col_offset = 396;

struct HouseRecord {
  std::array<std::uint8_t, house_record_size> image{};
};

// 1 when the image's grid row and column lie on the building grid.
bool house_on_grid(const HouseRecord& house);
// The n-th house (1-based), or null past the last.
const HouseRecord* get_house_at(int n);
// Appends a copy of a saved house: 1, or 0 (nothing added) for a house off the grid.
int add_saved_house(const HouseRecord* image);
void free_all_houses();

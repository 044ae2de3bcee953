#pragma once
// build.DAT, read at start-up, and the settlement's saved state: the building grid and the
// formation's two escort monsters.
#include <cstddef>
#include <cstdint>

#include "data/item_data.h"

void open_build_data();
void close_build_data();

// The building grid: 13 rows of 14 cells, each 0 blocked, 1 free, 2 taken.
constexpr int build_grid_rows = 13;
constexpr int build_grid_cols = 14;
constexpr int build_grid_cells = build_grid_rows * build_grid_cols;
extern std::uint32_t BuildGrid[build_grid_cells];

constexpr int escort_count = 2;
extern ItemData escort_data[escort_count];

#pragma once
// BuildGrid: the settlement's 13 rows x 14 columns of cells, row-major (cell = row x 14 +
// column), each 0 blocked, 1 free or 2 taken by a house. Saved whole with the game.
#include <cstdint>

constexpr int build_grid_rows = 13;
constexpr int build_grid_cols = 14;
constexpr int build_grid_cells = build_grid_rows * build_grid_cols;
enum : std::int32_t { cell_blocked = 0, cell_free = 1, cell_taken = 2 };
extern std::int32_t BuildGrid[build_grid_cells];

constexpr bool grid_cell_on(int row, int col) {
  return row >= 0 && row < build_grid_rows && col >= 0 && col < build_grid_cols;
}

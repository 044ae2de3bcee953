#pragma once
// The role-variable rows (gmRoleVar): per role its script variables 1-8 (index 0-7) kept across
// map changes. Index 2 also holds the role's scale x 100, which is what a role reads back; saves
// rely on that double use. Rows are added at the first free row and never removed.
#include <cstddef>
#include <cstdint>

#include "data/record_image.h"

struct MapRole;

constexpr std::size_t role_var_row_size = 18;
constexpr int role_var_row_count = 7281;  // 131072 / 18

// One row as the block holds it: RoleID 0 marks a free row and ends every search.
struct RoleVarRow {
  std::uint16_t RoleID = 0;
  std::uint16_t value[8] = {};  // index i mirrors script variable i + 1
};

// The stored layout: one row per field (name, offset, member).
template <>
struct record_image::Layout<RoleVarRow> {
  static constexpr std::size_t size = role_var_row_size;
  static constexpr auto fields = std::tuple{
      field("RoleID", 0, &RoleVarRow::RoleID),
      field("value", 2, &RoleVarRow::value),
  };
};

// value[index] = value: 1 when the role had a row; 0 when a new row was made for it (or the
// block is full, which is reported, or the index is outside 0-7).
int set_role_var_row(std::uint16_t RoleID, std::uint16_t index, std::uint16_t value);
// value[index] += delta, saturating at 0xFFFF: 1; a new row with value[index] = delta: 0.
int add_role_var_row(std::uint16_t RoleID, std::uint16_t index, std::uint16_t delta);
// Index 2 = scale x 100 cut toward zero: 1 when the row existed, 0 for a new row.
int set_role_var_scale(std::uint16_t RoleID, float scale);
// Variables 1 and 2 and the scale back into a live role: 1, or 0 without a row.
int load_role_vars(MapRole* role);
// Restores a saved row (RoleID, indices 0-2): 1 when it replaced the role's row, 0 when it took
// a free one.
int put_role_var(const std::uint16_t row[4]);

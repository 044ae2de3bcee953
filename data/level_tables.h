#pragma once
// LEVEL.gll: one level table per party record (0-3), rows of per-level base-value increments, the
// art learned at the level and the experience needed to pass it, ended by a row of level 9905.
#include <cstdint>
#include <span>

#include "data/data_file.h"

struct RoleData;

extern DataPool gmExpPool;
constexpr int level_table_count = 4;
constexpr std::size_t level_row_size = 24;

void open_exp_data();   // loads once; again only after close_exp_data
void close_exp_data();
bool install_exp_data(std::span<const std::uint8_t> file);

// The experience field of the table's row for that level; 0 when there is none (or the table
// is not 0-3).
std::uint32_t get_level_exp(int table, std::uint16_t level);
// Applies the row of that level to a record whose level the caller has already set: base values
// from growth and level plus the row's increments, derived values, equipment bonuses again,
// *art_out = the row's art, the next-level experience. Always 1; without a row nothing changes.
int apply_level_up(int table, std::uint16_t level, RoleData* role, std::uint16_t* art_out);

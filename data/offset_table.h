#pragma once
// Offset tables at the start of a pool (Mission.gll, Name.gll): 32-bit offsets indexed by
// number - 1. The table has no count of its own; it ends where the first text begins.
#include <cstddef>
#include <cstdint>

#include "data/data_file.h"

// Number of entries before the earliest text any entry points at (bounded by the pool).
std::size_t count_offset_entries(const DataPool& pool);

// The text of entry n (1-based) of a table of `entries` entries; empty when n is 0 or past the
// table, or the offset lies outside the pool. With zero_is_none, an offset of 0 is no text.
PoolText offset_table_text(const DataPool& pool, std::size_t entries, std::uint16_t n, bool zero_is_none);

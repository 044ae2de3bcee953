#include "data/offset_table.h"

std::size_t count_offset_entries(const DataPool& pool) {
  ByteReader r = pool.reader();
  std::size_t limit = r.size();
  std::size_t i = 0;
  while (r.has(4 * i, 4) && 4 * (i + 1) <= limit) {
    std::int32_t off = r.i32_at(4 * i);
    if (off > 0 && static_cast<std::size_t>(off) >= 4 * (i + 1) && static_cast<std::size_t>(off) < limit)
      limit = static_cast<std::size_t>(off);
    ++i;
  }
  return i;
}

PoolText offset_table_text(const DataPool& pool, std::size_t entries, std::uint16_t n, bool zero_is_none) {
  if (!pool || n == 0 || n > entries) return {};
  ByteReader r = pool.reader();
  std::int32_t off = r.i32_at(4 * (std::size_t(n) - 1));
  if (off < 0 || static_cast<std::size_t>(off) >= r.size()) return {};
  if (off == 0 && zero_is_none) return {};
  return r.tail(static_cast<std::size_t>(off));
}

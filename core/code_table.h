#pragma once
// Tables of rows keyed by an opcode or a tag (member `code`), one row per code. A table is kept
// in ascending code order, which its owner checks at compile time with rows_ascending, so a
// lookup is a binary search and two rows can never claim the same code.
#include <algorithm>
#include <cstddef>

template <class Row, std::size_t N>
constexpr bool rows_ascending(const Row (&rows)[N]) {
  for (std::size_t k = 1; k < N; ++k)
    if (!(rows[k - 1].code < rows[k].code)) return false;
  return true;
}

// The row of code, or null when the table has none.
template <class Row, std::size_t N, class Code>
constexpr const Row* find_row(const Row (&rows)[N], Code code) {
  const Row* row = std::lower_bound(rows, rows + N, code, [](const Row& r, Code c) { return r.code < c; });
  return row != rows + N && row->code == code ? row : nullptr;
}

#include "gfx2d/big5_gb_table.h"

#include <algorithm>
#include <new>

#include "gfx2d/big5_gb_pairs.h"

namespace {

constexpr int kTableWords = 0x10000;

// From the general-purpose heap, not the guarded one: the table lives for the whole run.
std::uint16_t* big5_gb_table = nullptr;

}  // namespace

void init_big5_gb() {
  // A second start-up keeps the table it has rather than leaking it.
  if (!big5_gb_table) big5_gb_table = new (std::nothrow) std::uint16_t[kTableWords];
  if (!big5_gb_table) return;
  std::fill_n(big5_gb_table, kTableWords, kUnpairedGbCode);
  for (const std::uint8_t* p = big5_gb_pairs; p[0] != 0 || p[1] != 0; p += 4)
    big5_gb_table[(p[0] << 8) | p[1]] = static_cast<std::uint16_t>((p[2] << 8) | p[3]);
}

void free_big5_gb() {
  delete[] big5_gb_table;
  big5_gb_table = nullptr;
}

std::uint16_t big5_to_gb(std::uint16_t big5_code) {
  return big5_gb_table ? big5_gb_table[big5_code] : kUnpairedGbCode;
}

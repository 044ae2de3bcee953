// ObjData.GLL: the loader, the object count, read_Item over the numbers and read_monster.
#include <algorithm>
#include <cstdint>
#include <span>
#include <vector>

#include "data/item_data.h"
#include "data/object_db.h"
#include "fuzz/data_fuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  DataFuzzInput input;
  install_item_data(std::span<const std::uint8_t>(data, size));
  if (gmItemCount < 0 || gmItemCount > 0x7FFF) __builtin_trap();
  // The first numbers, and the last ones around the count (each failure writes a report, so
  // the walk is kept short).
  std::vector<int> numbers;
  for (int n = 0; n <= std::min(gmItemCount + 1, 256); ++n) numbers.push_back(n);
  for (int n = std::max(257, gmItemCount - 2); n <= gmItemCount + 1; ++n) numbers.push_back(n);
  for (int n : numbers) {
    ItemData item{};
    int ok = read_Item(static_cast<std::uint16_t>(n | (n & 1) << 15), &item);
    if (ok && item.object_id != n) __builtin_trap();
    if (ok || n > 0) {
      check_text_field(item.NAME);
      check_text_field(item.INFO);
      check_text_field(item.HELP);
    }
  }
  for (int n = 1; n <= std::min(gmItemCount, 64); ++n) {
    ItemData monster;
    read_monster(static_cast<std::uint16_t>(n), &monster);
  }
  close_item_data();
  return 0;
}

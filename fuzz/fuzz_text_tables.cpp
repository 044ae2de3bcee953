// Mission.gll and Name.gll: the loaders, the table bounds and the text copies.
#include <algorithm>
#include <cstdint>
#include <span>

#include "data/data_file.h"
#include "data/mission_name.h"
#include "fuzz/data_fuzz.h"

namespace {
// A text runs from inside its pool to the pool's end, and copies end with a NUL.
void check_inside(PoolText text, const DataPool& pool) {
  if (text.empty()) return;
  if (text.data() < pool.bytes || text.data() + text.size() != pool.bytes + pool.size) __builtin_trap();
  char out[256];
  read_Item_str(text, out, sizeof out);
  check_text_field(out);
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  DataFuzzInput input;
  std::span<const std::uint8_t> file(data, size);
  install_mission_data(file);
  install_Name_data(file);
  const std::size_t limit = std::min<std::size_t>(size / 4 + 2, 4096);
  for (std::size_t n = 0; n <= limit; ++n) {
    const auto number = static_cast<std::uint16_t>(n);
    check_inside(get_mission(number), gmMission);
    check_inside(get_Name(number), gmName);
  }
  get_mission(65535);
  get_Name(65535);
  close_mission_data();
  close_Name_data();
  return 0;
}

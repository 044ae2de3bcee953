// LEVEL.gll: the loader, the four table pointers, level lookups and level-ups.
#include <cstdint>
#include <span>

#include "core/byte_reader.h"
#include "data/level_tables.h"
#include "data/role_data.h"
#include "fuzz/data_fuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  DataFuzzInput input;
  install_exp_data(std::span<const std::uint8_t>(data, size));
  // Levels to look for: a few fixed ones and words taken from the input itself.
  ByteReader r(data, size);
  std::uint16_t levels[40] = {0, 1, 2, 60, 9905, 0xFFFF};
  for (std::size_t i = 6; i < std::size(levels); ++i) levels[i] = r.u16_at(16 + 24 * (i - 6));
  static RoleData role;
  for (int table = -1; table <= level_table_count; ++table) {
    for (std::uint16_t level : levels) {
      get_level_exp(table, level);
      role = RoleData{};
      role.stats[stat_level] = level;
      for (float& g : role.growth) g = static_cast<float>(level) / 7.0f;
      std::uint16_t art = 0;
      apply_level_up(table, level, &role, &art);
    }
  }
  close_exp_data();
  return 0;
}

// Battlefield.dat: records read by index from a file of any length and content.
#include <cstdint>
#include <fstream>

#include "battle/battlefield.h"
#include "core/byte_reader.h"
#include "fuzz/data_fuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  DataFuzzInput input;
  std::filesystem::create_directories("ACT");
  {
    std::ofstream out("ACT/Battlefield.dat", std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), std::streamsize(size));
  }
  init_fight_field((game_dir + "\\ACT").c_str());
  const ByteReader r(data, size);
  const std::uint16_t indices[] = {0, 1, 2, 999, 1000, 65535, r.u16_at(0), r.u16_at(size > 2 ? size - 2 : 0)};
  for (std::uint16_t index : indices) {
    BattlefieldRecord rec;
    if (load_field(&rec, index) && rec.enemy_count > battlefield_enemy_slots) __builtin_trap();
  }
  return 0;
}

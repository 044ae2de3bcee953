// Seeds for fuzz_game_map: the sample game's place table and one with a long name.
#include "fuzz/seeds.h"
#include "tests/fixtures/byte_writer.h"
#include "tests/fixtures/sample_maps.h"

namespace {
void place(kit::ByteWriter& w, std::uint16_t act, std::uint16_t x, std::uint16_t y, std::uint16_t flag,
           const std::string& name) {
  for (std::uint32_t v : {std::uint32_t(act), 0u, std::uint32_t(x), std::uint32_t(y), std::uint32_t(flag), flag + 1u}) w.u16(v);
  for (char c : name) w.u8(std::uint8_t(c));
  w.u8('%');
  w.u8('Q');
}

void write(std::vector<std::pair<std::string, fuzz_seeds::Bytes>>& seeds) {
  kit::ByteWriter w;
  place(w, kit::sample_village_place_act, 420, 300, kit::sample_village_place, "\xB2M\xA4\xF4\xA7\xF8");
  place(w, kit::sample_path_place_act, 860, 420, kit::sample_path_place, "\xAB\xE1\xA4s\xA4p\xAE|");
  w.u16(0xFFFF);
  seeds.emplace_back("sample", w.bytes);
  kit::ByteWriter l;
  place(l, kit::sample_village_place_act, 0, 0, 5, std::string(23, 'a') + "\xB2M" + std::string(10, 'b'));
  place(l, kit::sample_path_place_act, 65535, 65535, 6, "");
  l.u16(0xFFFF);
  seeds.emplace_back("long_name", l.bytes);
}
QORV_FUZZ_SEEDS("game_map", write);
}  // namespace

// Seeds for fuzz_path: a few paths as the game builds them.
#include "fuzz/seeds.h"

namespace {

fuzz_seeds::Bytes seed(int digits, std::uint32_t number, const std::string& path, const std::string& part) {
  fuzz_seeds::Bytes b;
  b.push_back(std::uint8_t(digits + 2));
  for (int shift = 0; shift < 32; shift += 8) b.push_back(std::uint8_t(number >> shift));
  for (char c : path) b.push_back(std::uint8_t(c));
  b.push_back(0);
  for (char c : part) b.push_back(std::uint8_t(c));
  return b;
}

void write_seeds(std::vector<std::pair<std::string, fuzz_seeds::Bytes>>& seeds) {
  seeds.emplace_back("tex.bin", seed(5, 7, "tex\\chr", "ALL_TEX.IDX"));
  seeds.emplace_back("map.bin", seed(5, 123456, "MAP\\WLD", ".MAP"));
  seeds.emplace_back("big5.bin", seed(8, 1, "\xA5\x5C\\", "\\map.DAT"));
  seeds.emplace_back("drive.bin", seed(0, 0xFFFFFFFFu, "D:\\Music\\", "01.mp3"));
  seeds.emplace_back("root.bin", seed(3, 42, "\\", "..\\Music"));
}

QORV_FUZZ_SEEDS("path", write_seeds);

}  // namespace

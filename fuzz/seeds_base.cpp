// Seeds of the base camp's targets: build.DAT files, house blocks and talk commands.
#include "fuzz/seeds.h"
#include "tests/fixtures/base_kit.h"

namespace {

void put_u16(fuzz_seeds::Bytes& b, std::uint32_t v) {
  b.push_back(std::uint8_t(v));
  b.push_back(std::uint8_t(v >> 8));
}

void build_dat_seeds(std::vector<std::pair<std::string, fuzz_seeds::Bytes>>& seeds) {
  seeds.emplace_back("good", fixtures::build_dat());
  seeds.emplace_back("long_header", fixtures::build_dat(4, {24, 25, 26, 27, 28, 29}, {1, 2, 3, 4, 5, 6, 7, 8}));
}

void house_block_seeds(std::vector<std::pair<std::string, fuzz_seeds::Bytes>>& seeds) {
  fuzz_seeds::Bytes grid;
  for (int i = 0; i < 182; ++i) put_u16(grid, 1), put_u16(grid, 0);
  fixtures::HouseImageSpec home;
  home.resident_count = 2;
  home.residents = {{134, 2}, {135, 0}};
  fixtures::HouseImageSpec shop;
  shop.id = 2, shop.kind = 16, shop.capacity = 2, shop.act = 9917, shop.level = 2;
  shop.grid_row = 0, shop.grid_col = 0, shop.footprint = {};
  shop.resident_count = 1;
  shop.residents = {{134, 1}, {0, 0}, {0, 0}, {0, 0}, {0, 0}, {0, 1}};
  fuzz_seeds::Bytes block = grid;
  for (const auto& house : {home, shop}) {
    const auto image = fixtures::house_image(house);
    block.insert(block.end(), image.begin(), image.end());
  }
  put_u16(block, 0xFFFF);
  seeds.emplace_back("two_houses", block);
  fuzz_seeds::Bytes empty = grid;
  put_u16(empty, 0xFFFF);
  seeds.emplace_back("no_houses", empty);
}

void base_talk_seeds(std::vector<std::pair<std::string, fuzz_seeds::Bytes>>& seeds) {
  const std::vector<std::vector<std::uint16_t>> commands = {{350, 3}, {351, 109, 104}, {352, 1, 4}, {353, 2, 9}};
  for (const auto& words : commands) {
    fuzz_seeds::Bytes b;
    for (std::uint16_t w : words) put_u16(b, w);
    seeds.emplace_back("op_" + std::to_string(words[0]), b);
  }
}

QORV_FUZZ_SEEDS("build_dat", build_dat_seeds);
QORV_FUZZ_SEEDS("house_block", house_block_seeds);
QORV_FUZZ_SEEDS("base_talk", base_talk_seeds);

}  // namespace

#include "fuzz/seeds.h"
#include "tests/fixtures/lzo_block_kit.h"
#include "tests/fixtures/rle_picture_kit.h"

namespace {
void write(std::vector<std::pair<std::string, fuzz_seeds::Bytes>>& seeds) {
  auto picture = kit::rle_picture(kit::sample_pixels(24, 16), 24, 16);
  seeds.emplace_back("picture_packed", kit::lzo_block(picture));
  seeds.emplace_back("picture_stored", kit::lzo_block(picture, kit::LzoPacking::Stored));
  std::vector<std::uint8_t> zeros(3000, 0);
  seeds.emplace_back("zeros_packed", kit::lzo_block(zeros));
  seeds.emplace_back("short_stored", kit::lzo_block(std::vector<std::uint8_t>{1, 2, 3}, kit::LzoPacking::Stored));
}
QORV_FUZZ_SEEDS("lzo_block", write);
}  // namespace

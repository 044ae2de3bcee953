// Seeds for fuzz_texture_picture: texture pictures written by the data kit.
#include "fuzz/seeds.h"
#include "tests/fixtures/texture_picture_kit.h"

namespace {

void write_seeds(std::vector<std::pair<std::string, fuzz_seeds::Bytes>>& seeds) {
  seeds.emplace_back("solid.rle", fixtures::rle_texture_picture(8, 8, [](int x, int y) { return 0x0100 + x + y; }));
  seeds.emplace_back("holes.rle", fixtures::rle_texture_picture(13, 5, [](int x, int y) {
                       return (x + y) % 4 == 0 ? -1 : 0x7C00 | x;
                     }));
  seeds.emplace_back("wide.rle", fixtures::rle_texture_picture(600, 2, [](int x, int) { return x & 0x7FFF; }));
  seeds.emplace_back("raw.pic", fixtures::raw_texture_picture(16, 4, 0x1234));
}

QORV_FUZZ_SEEDS("texture_picture", write_seeds);

}  // namespace

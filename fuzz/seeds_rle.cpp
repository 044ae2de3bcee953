// Seeds for fuzz_rle: pictures from the data kit with runs of every kind, 16 and 8 bits.
#include "fuzz/seeds.h"
#include "tests/fixtures/rle_writer.h"

namespace {

void write_seeds(std::vector<std::pair<std::string, fuzz_seeds::Bytes>>& seeds) {
  for (auto [w, h] : {std::pair{1, 1}, {7, 5}, {20, 14}, {64, 96}}) {
    auto pixels = fixtures::mixed_run_bitmap(w, h, std::uint32_t(w + h));
    seeds.push_back({"mixed_" + std::to_string(w) + "x" + std::to_string(h) + ".rle",
                     fixtures::rle_from_pixels(pixels, w, h)});
  }
  seeds.push_back({"paletted.rle", fixtures::RleWriter(6, 3, 8)
                                       .literal8({7, 200, 31})
                                       .transparent(2)
                                       .literal8({1})
                                       .end_row()
                                       .key2(1)
                                       .literal8({255, 0, 9, 4, 3})
                                       .end_row()
                                       .transparent(6)
                                       .end_row()
                                       .finish()});
  seeds.push_back({"short.rle", fixtures::RleWriter(3, 8).key2(3).end_row().finish()});
}

}  // namespace

QORV_FUZZ_SEEDS("rle", write_seeds);

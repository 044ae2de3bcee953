#include "fuzz/seeds.h"
#include "tests/fixtures/tsw_archive_kit.h"

namespace {
void write(std::vector<std::pair<std::string, fuzz_seeds::Bytes>>& seeds) {
  seeds.emplace_back("two_pictures", kit::tsw_archive({{1, kit::sample_tsw_picture(3, 12, 6, 1)},
                                                      {2999, kit::sample_tsw_picture(1, 5, 5, 2)}}));
  seeds.emplace_back("paletted", kit::tsw_archive({{3, kit::sample_paletted_picture(9, 4)}}));
  kit::TswPicture stored = kit::sample_tsw_picture(2, 6, 3, 3);
  for (auto& frame : stored.frames) frame.packing = kit::LzoPacking::Stored;
  seeds.emplace_back("stored_frames", kit::tsw_archive({{10, stored}}));
}
QORV_FUZZ_SEEDS("tsw_archive", write);
}  // namespace

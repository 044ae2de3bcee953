// Seeds for fuzz_level: LEVEL.gll files: the sample game's and tables without end rows.
#include "fuzz/seeds.h"
#include "tests/fixtures/level_writer.h"
#include "tests/fixtures/sample_data.h"

namespace {
using namespace fixtures;
using Seeds = std::vector<std::pair<std::string, fuzz_seeds::Bytes>>;

void level_seeds(Seeds& seeds) {
  seeds.emplace_back("sample.gll", sample_data_file("LEVEL.gll"));
  std::array<std::vector<LevelRow>, 4> tables;
  tables[2] = {{1, {1, 2, 3, 4, 5, 6, 7, 8}, 10, 100}, {60, {}, 0, 0xFFFFFFFF}};
  seeds.emplace_back("unended.gll", level_gll(tables, false));
}

QORV_FUZZ_SEEDS("level", level_seeds);

}  // namespace

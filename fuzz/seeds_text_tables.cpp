// Seeds for fuzz_text_tables: Mission.gll and Name.gll files: the sample game's and one with gaps and long texts.
#include "fuzz/seeds.h"
#include "tests/fixtures/sample_data.h"
#include "tests/fixtures/text_table_writer.h"

namespace {
using namespace fixtures;
using Seeds = std::vector<std::pair<std::string, fuzz_seeds::Bytes>>;

void text_table_seeds(Seeds& seeds) {
  seeds.emplace_back("mission.gll", sample_data_file("Mission.gll"));
  seeds.emplace_back("name.gll", sample_data_file("Name.gll"));
  seeds.emplace_back("gaps.gll", name_gll({{1, "one"}, {5, std::string(300, 'x')}, {9, "\xA4\x40%N"}}));
}

QORV_FUZZ_SEEDS("text_tables", text_table_seeds);

}  // namespace

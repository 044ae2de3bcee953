#include "fuzz/seeds.h"
#include "tests/fixtures/effect_dat_writer.h"
#include "tests/fixtures/sample_effects.h"

namespace {
void write(std::vector<std::pair<std::string, fuzz_seeds::Bytes>>& seeds) {
  seeds.emplace_back("sample_effect_dat", kit::effect_dat_file(kit::sample_effect_defs()));
  for (const auto& [type, def] : kit::sample_effect_defs())
    seeds.emplace_back("definition_" + std::to_string(type), kit::effect_def_bytes(def));
}
QORV_FUZZ_SEEDS("effect_dat", write);
}  // namespace

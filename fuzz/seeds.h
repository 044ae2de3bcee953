#pragma once
// Seed registry for the fuzz targets: each seeds_<name>.cpp registers a writer that puts a few
// valid files, made with the data kit, into the target's seed folder.
#include <cstdint>
#include <string>
#include <vector>

namespace fuzz_seeds {

using Bytes = std::vector<std::uint8_t>;
using SeedWriter = void (*)(std::vector<std::pair<std::string, Bytes>>& seeds);

// target is the fuzz target's name without the fuzz_ prefix.
bool register_writer(const char* target, SeedWriter writer);

}  // namespace fuzz_seeds

#define QORV_SEEDS_CAT2(a, b) a##b
#define QORV_SEEDS_CAT(a, b) QORV_SEEDS_CAT2(a, b)
#define QORV_FUZZ_SEEDS(target, writer) \
  static const bool QORV_SEEDS_CAT(qorv_seeds_, __LINE__) = ::fuzz_seeds::register_writer(target, writer)

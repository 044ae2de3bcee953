#include <algorithm>

#include "core/byte_reader.h"
#include "fuzz/seeds.h"
#include "tests/fixtures/texture_kit.h"

namespace {
fuzz_seeds::Bytes seed(const fuzz_seeds::Bytes& index, const fuzz_seeds::Bytes& tex) {
  fuzz_seeds::Bytes out(4 + index.size() + tex.size());
  put_u32le(out.data(), std::uint32_t(index.size()));
  std::copy(index.begin(), index.end(), out.begin() + 4);
  std::copy(tex.begin(), tex.end(), out.begin() + 4 + std::ptrdiff_t(index.size()));
  return out;
}

void write(std::vector<std::pair<std::string, fuzz_seeds::Bytes>>& seeds) {
  auto index = kit::texture_index("TX", {0, 1, 20000, 32767});
  seeds.emplace_back("index_and_texture", seed(index, kit::tex_file(kit::sample_texture(16, 12))));
  seeds.emplace_back("short_index_stored_texture",
                     seed(fuzz_seeds::Bytes(index.begin(), index.begin() + 80),
                          kit::tex_file(kit::sample_texture(5, 3, 1), kit::LzoPacking::Stored)));
}
QORV_FUZZ_SEEDS("texture_file", write);
}  // namespace

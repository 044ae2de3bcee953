#include "fuzz/seeds.h"
#include "tests/fixtures/byte_writer.h"
#include "tests/fixtures/wld_kit.h"

namespace {
void write(std::vector<std::pair<std::string, fuzz_seeds::Bytes>>& seeds) {
  kit::WldSpec world = kit::sample_world(1, 2, 3);
  seeds.emplace_back("sample_stored", kit::wld_file(world));
  seeds.emplace_back("sample_packed", kit::wld_file(world, kit::WldStorage::PackedLibrary));
  kit::WldSpec small = world;
  small.objects.resize(2);
  small.names = {"floor"};
  small.walls_first = true;
  small.unknown_section = true;
  small.objects[1].frames.push_back(kit::translation_matrix(0, 5, 0));
  small.objects[1].animated = {small.objects[1].vertices, small.objects[1].vertices};
  seeds.emplace_back("small_animated_stored", kit::wld_file(small));
  seeds.emplace_back("small_packed_literal", kit::wld_file(small, kit::WldStorage::PackedStored));
}
QORV_FUZZ_SEEDS("wld_world", write);
}  // namespace

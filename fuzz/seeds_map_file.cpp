// Seeds for fuzz_map_file: the sample game's two map files and one with many notes and
// placements.
#include "fuzz/seeds.h"
#include "tests/fixtures/map_file_writer.h"
#include "tests/fixtures/sample_maps.h"

namespace {
void write(std::vector<std::pair<std::string, fuzz_seeds::Bytes>>& seeds) {
  int n = 0;
  for (const auto& [name, bytes] : kit::sample_map_files()) seeds.emplace_back("sample_" + std::to_string(n++), bytes);
  kit::MapFileSpec s;
  s.map = 101;
  s.file_flags = 1;
  s.name = std::string(32, 'M');
  for (int i = 0; i < 5; ++i) {
    kit::MapNoteSpec note;
    note.event = i * 1000;
    note.x = float(i * 100);
    s.notes.push_back(note);
    s.placements.push_back({std::uint16_t(i), std::uint16_t(i), 1, 2, 3});
  }
  seeds.emplace_back("many", kit::map_file(s));
}
QORV_FUZZ_SEEDS("map_file", write);
}  // namespace

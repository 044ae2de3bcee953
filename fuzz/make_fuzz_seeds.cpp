// Writes every fuzz target's seeds into DIR/fuzz_<target>/.
#include "fuzz/seeds.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>

namespace fuzz_seeds {
namespace {
std::map<std::string, std::vector<SeedWriter>>& registry() {
  static std::map<std::string, std::vector<SeedWriter>> writers;
  return writers;
}
}  // namespace

bool register_writer(const char* target, SeedWriter writer) {
  registry()[target].push_back(writer);
  return true;
}

}  // namespace fuzz_seeds

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make-fuzz-seeds DIR\n");
    return 2;
  }
  namespace fs = std::filesystem;
  for (auto& [target, writers] : fuzz_seeds::registry()) {
    fs::path dir = fs::path(argv[1]) / ("fuzz_" + target);
    fs::create_directories(dir);
    std::vector<std::pair<std::string, fuzz_seeds::Bytes>> seeds;
    for (auto writer : writers) writer(seeds);
    for (auto& [name, bytes] : seeds) {
      std::ofstream out(dir / name, std::ios::binary);
      out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
      if (!out) {
        std::fprintf(stderr, "make-fuzz-seeds: cannot write %s\n", (dir / name).c_str());
        return 1;
      }
    }
  }
  return 0;
}

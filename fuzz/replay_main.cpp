// Replays a fuzz target's seed files through its entry point (used by the test builds, where
// libFuzzer is not linked). Arguments: files or folders of files.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {
int replay(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
  // Every prefix as well: the truncated files a reader must refuse cleanly.
  for (std::size_t n = 0; n < bytes.size(); n += 1 + bytes.size() / 64)
    LLVMFuzzerTestOneInput(bytes.data(), n);
  return 1;
}
}  // namespace

int main(int argc, char** argv) {
  int count = 0;
  for (int i = 1; i < argc; ++i) {
    std::filesystem::path p(argv[i]);
    if (std::filesystem::is_directory(p)) {
      for (auto& entry : std::filesystem::directory_iterator(p))
        if (entry.is_regular_file()) count += replay(entry.path());
    } else if (std::filesystem::exists(p)) {
      count += replay(p);
    }
  }
  std::printf("replayed %d seed files\n", count);
  return count > 0 ? 0 : 1;  // a target without seeds is a fault of the kit
}

// The path helpers and the host path resolution. Input: one byte of digit count, four bytes
// of number (little-endian), then a path and a part separated by the first NUL byte.
#include <cstdint>
#include <memory>
#include <string>

#include "core/byte_reader.h"
#include "core/paths.h"
#include "platform/files.h"
#include "tests/fixtures/temp_folder.h"

namespace {

// A small game folder to resolve against, with mixed case and a Big5 name.
const fixtures::TempFolder& game_folder() {
  static const std::unique_ptr<fixtures::TempFolder> folder = [] {
    auto f = std::make_unique<fixtures::TempFolder>();
    f->write("TEX/CHR/All_Tex.idx", "");
    f->write("\xA5\x5C/Map.dat", "");
    f->write("Music/01.mp3", "");
    return f;
  }();
  return *folder;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 5) return 0;
  int digits = data[0] % 12 - 2;
  int number = ByteReader(data, size).i32_at(1);
  std::string rest(reinterpret_cast<const char*>(data) + 5, size - 5);
  std::size_t nul = rest.find('\0');
  std::string path = rest.substr(0, nul);
  std::string part = nul == std::string::npos ? std::string() : rest.substr(nul + 1);

  std::string joined = path;
  if (append_path(joined, part)) {
    if (joined.size() > max_path_length) __builtin_trap();
  } else if (joined != path) {
    __builtin_trap();  // a refused join leaves the path as it was
  }
  std::string name = make_numbered_name(path, part, number, digits);
  if (name.size() < path.size() + part.size()) __builtin_trap();

  std::string under_game = game_folder().str();
  if (append_path(under_game, path)) platform::host_path(under_game);
  return 0;
}

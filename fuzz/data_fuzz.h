#pragma once
// Shared set-up of the game-data fuzz targets. While one input runs, a private folder is the
// current directory and the game directory, so the loaders' reports land in its debug.txt; the
// log starts fresh for every input so that it never grows without bound. The fuzzer's own
// current directory (where it writes its findings) is restored afterwards.
#include <filesystem>
#include <memory>

#include "core/log.h"
#include "core/paths.h"
#include "tests/fixtures/temp_folder.h"

class DataFuzzInput {
 public:
  DataFuzzInput() : previous_(std::filesystem::current_path()) {
    static const std::unique_ptr<fixtures::TempFolder> folder = std::make_unique<fixtures::TempFolder>();
    std::filesystem::current_path(folder->path());
    game_dir = folder->str();
    set_error_log_switch(1);
    reset_debug_log(nullptr);
  }
  ~DataFuzzInput() { std::filesystem::current_path(previous_); }
  DataFuzzInput(const DataFuzzInput&) = delete;
  DataFuzzInput& operator=(const DataFuzzInput&) = delete;

 private:
  std::filesystem::path previous_;
};

// A text field must stay NUL-terminated whatever the data.
template <std::size_t N>
inline void check_text_field(const char (&field)[N]) {
  for (std::size_t i = 0; i < N; ++i)
    if (field[i] == '\0') return;
  __builtin_trap();
}

#pragma once
// Shared set-up of the game-data fuzz targets: a private game directory as the current one (the
// data loaders report into its debug.txt), and a fresh log for every input so that it never
// grows without bound.
#include <memory>

#include "app/log.h"
#include "app/paths.h"
#include "tests/fixtures/temp_folder.h"

inline void begin_data_fuzz_input() {
  static const std::unique_ptr<fixtures::TempFolder> folder = [] {
    auto f = std::make_unique<fixtures::TempFolder>(true);
    game_dir = f->str();
    return f;
  }();
  set_error_log_switch(1);
  reset_debug_log(nullptr);
}

// A text field must stay NUL-terminated whatever the data.
template <std::size_t N>
inline void check_text_field(const char (&field)[N]) {
  for (std::size_t i = 0; i < N; ++i)
    if (field[i] == '\0') return;
  __builtin_trap();
}

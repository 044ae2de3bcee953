// make-sample-game [--debug-keys] DIR: writes the data kit's sample game into DIR; with
// --debug-keys its game.ini turns the developer keys on.
#include <cstdio>
#include <cstring>

#include "tests/fixtures/sample_game.h"

int main(int argc, char** argv) {
  const bool debug_keys = argc == 3 && std::strcmp(argv[1], "--debug-keys") == 0;
  if (argc != 2 && !debug_keys) {
    std::fprintf(stderr, "usage: make-sample-game [--debug-keys] OUTPUT_DIR\n");
    return 2;
  }
  const char* dir = argv[argc - 1];
  if (!fixtures::write_sample_game(dir, debug_keys)) {
    std::fprintf(stderr, "make-sample-game: cannot write the sample game into %s\n", dir);
    return 1;
  }
  return 0;
}

// make-sample-game DIR: writes the data kit's sample game into DIR.
#include <cstdio>

#include "tests/fixtures/sample_game.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make-sample-game OUTPUT_DIR\n");
    return 2;
  }
  if (!fixtures::write_sample_game(argv[1])) {
    std::fprintf(stderr, "make-sample-game: cannot write the sample game into %s\n", argv[1]);
    return 1;
  }
  return 0;
}

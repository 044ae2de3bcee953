// The effects' random numbers.
#include "g3d/effects/effect_random.h"

namespace {
std::uint32_t state = 1;
}

void effect_srand(std::uint32_t seed) { state = seed; }

int effect_rand() {
  state = state * 1103515245u + 12345u;
  return int((state / 65536u) % 32768u);
}

#pragma once
// The game's random numbers: an R250 shift register seeded by a linear congruential generator.
#include <cstdint>

void init_random(unsigned seed);
// Uniform in [0, n) for n 1..65535; 0 for n = 0; larger n are reduced to 65535 and never hang.
unsigned rand_below(unsigned n);

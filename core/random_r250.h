#pragma once
// The game's random numbers: an R250 shift register (x^250 + x^103 + 1 over 16-bit words)
// seeded by a linear congruential generator.
#include <cstdint>

// The register, the word the next step updates, and the seeding generator's state.
extern std::uint32_t r250_words[250];
extern int r250_index;
extern std::uint32_t lcg_state;

void init_random(unsigned seed);
// Uniform in [0, n) for n 1..65535; 0 for n = 0; larger n are reduced to 65535 and never hang.
unsigned rand_below(unsigned n);

// The steps the above are made of.
std::uint32_t r250_next();
void lcg_seed(std::uint32_t seed);
std::uint32_t lcg_next();  // 15 bits

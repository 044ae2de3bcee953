#pragma once
// The random numbers of the particle effects: a linear congruential generator with the range
// 0..32767 of the C library's rand() (the C standard's example generator), kept apart from the
// game's R250 numbers so that effects replay the same from a seed.
#include <cstdint>

constexpr int effect_rand_max = 32767;

void effect_srand(std::uint32_t seed);  // start-up and tests seed 1
int effect_rand();                      // 0..32767
// A fresh draw of (rand() mod 1000) / 1000: 0 .. 0.999.
inline float effect_r() { return float(effect_rand() % 1000) / 1000.0f; }

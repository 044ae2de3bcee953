#include "core/random_r250.h"

std::uint32_t r250_words[250];
int r250_index;
std::uint32_t lcg_state = 1;

namespace {
constexpr int register_size = 250;
constexpr int tap = 103;
constexpr unsigned largest_n = 0xFFFF;
}  // namespace

void lcg_seed(std::uint32_t seed) { lcg_state = seed; }

std::uint32_t lcg_next() {
  lcg_state = lcg_state * 0x015A4E35u + 1u;
  return (lcg_state >> 16) & 0x7FFFu;
}

void init_random(unsigned seed) {
  lcg_seed(seed);
  r250_index = 0;
  for (int i = 0; i < register_size; ++i) r250_words[i] = lcg_next();
  for (int i = 0; i < register_size; ++i)
    if (lcg_next() > 0x4000) r250_words[i] |= 0x8000;
  // A diagonal of set bits with zeros above it keeps the 16 bit columns independent.
  std::uint32_t mask = 0xFFFF, bit = 0x8000;
  for (int j = 0; j < 16; ++j) {
    int k = 11 * j + 3;
    r250_words[k] = (r250_words[k] & mask) | bit;
    mask >>= 1;
    bit >>= 1;
  }
}

std::uint32_t r250_next() {
  int j = r250_index < register_size - tap ? r250_index + tap : r250_index - (register_size - tap);
  std::uint32_t word = r250_words[r250_index] ^= r250_words[j];
  if (++r250_index >= register_size) r250_index = 0;
  return word;
}

unsigned rand_below(unsigned n) {
  if (n == 0) return 0;
  if (n > largest_n) n = largest_n;
  unsigned limit = (largest_n / n) * n;
  unsigned candidate;
  do {
    r250_next();  // each trial looks only at the second of two words
    candidate = r250_next();
  } while (candidate >= limit);
  return candidate % n;
}

#include "core/random_r250.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

std::vector<unsigned> draws(unsigned seed, unsigned n, int count) {
  init_random(seed);
  std::vector<unsigned> out;
  for (int i = 0; i < count; ++i) out.push_back(rand_below(n));
  return out;
}

TEST(Random, TheSeedingGeneratorIsTheClassicLcg) {
  lcg_seed(1);
  const std::uint32_t expected[] = {346, 130, 10982, 1090, 11656};
  for (std::uint32_t v : expected) EXPECT_EQ(lcg_next(), v);
}

TEST(Random, SeedingLeavesADiagonalOfSetBits) {
  for (unsigned seed : {0u, 1u, 12345u, 0xFFFFFFFFu}) {
    init_random(seed);
    EXPECT_EQ(r250_index, 0);
    for (int j = 0; j < 16; ++j) {
      std::uint32_t word = r250_words[11 * j + 3];
      std::uint32_t bit = 0x8000u >> j;
      EXPECT_NE(word & bit, 0u) << "seed " << seed << " word " << 11 * j + 3;
      EXPECT_EQ(word & ~(bit | (bit - 1)), 0u) << "seed " << seed << " word " << 11 * j + 3;
    }
    EXPECT_EQ(r250_words[168], 1u);
    for (std::uint32_t w : r250_words) ASSERT_LE(w, 0xFFFFu);
  }
}

TEST(Random, EachStepXorsTheWordWithItsTap) {
  init_random(99);
  std::uint32_t before[250];
  std::memcpy(before, r250_words, sizeof before);
  EXPECT_EQ(r250_next(), before[0] ^ before[103]);
  for (int i = 1; i < 147; ++i) r250_next();
  // From word 147 on the tap is 147 places back, at a word already stepped.
  EXPECT_EQ(r250_index, 147);
  EXPECT_EQ(r250_next(), before[147] ^ r250_words[0]);
  for (int i = 148; i < 250; ++i) r250_next();
  EXPECT_EQ(r250_index, 0);
}

TEST(Random, SameSeedSameSequence) {
  EXPECT_EQ(draws(1234, 37, 500), draws(1234, 37, 500));
  EXPECT_NE(draws(1234, 37, 500), draws(1235, 37, 500));
}

TEST(Random, ResultsStayBelowN) {
  init_random(7);
  for (unsigned n : {1u, 2u, 3u, 7u, 100u, 1000u, 40000u, 65535u}) {
    std::vector<int> seen(n < 8 ? n : 0);
    for (int i = 0; i < 3000; ++i) {
      unsigned r = rand_below(n);
      ASSERT_LT(r, n);
      if (!seen.empty()) seen[r] = 1;
    }
    for (int s : seen) EXPECT_EQ(s, 1) << n;  // small ranges are covered whole
  }
}

TEST(Random, EachTrialTakesTwoSteps) {
  init_random(5);
  int index = r250_index;
  EXPECT_EQ(rand_below(1), 0u);
  int steps = (r250_index - index + 250) % 250;
  EXPECT_EQ(steps % 2, 0);
  EXPECT_GE(steps, 2);
}

TEST(Random, ZeroAndTooLargeNNeverHang) {
  init_random(11);
  std::uint32_t before[250];
  std::memcpy(before, r250_words, sizeof before);
  EXPECT_EQ(rand_below(0), 0u);
  EXPECT_EQ(std::memcmp(before, r250_words, sizeof before), 0);  // nothing drawn
  for (unsigned n : {65536u, 70000u, 0x80000000u, 0xFFFFFFFFu})
    for (int i = 0; i < 100; ++i) ASSERT_LT(rand_below(n), 65535u);
}

}  // namespace

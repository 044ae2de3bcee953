#include "core/flags.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>

namespace {

class Flags : public ::testing::Test {
 protected:
  void SetUp() override {
    std::memset(flag_bytes, 0, sizeof flag_bytes);
    end_input_wait();
    talk_box_state = 0;
  }
};

TEST_F(Flags, BitLayoutAndTheMapFlagAlias) {
  global_flags[1] = 0x80;
  EXPECT_EQ(test_flag(15), 1);  // bit 7 reads as 1
  EXPECT_EQ(test_flag(14), 0);
  set_flag(0);
  set_flag(8191);
  EXPECT_EQ(global_flags[0], 0x01);
  EXPECT_EQ(global_flags[1023], 0x80);
  // Game flag 8192 + k is map flag k.
  set_flag(8200);
  EXPECT_EQ(map_flags[1], 0x01);
  EXPECT_EQ(test_map_flag(8), 1);
  set_map_flag(9);
  EXPECT_EQ(test_flag(8201), 1);
  clear_flag(8201);
  EXPECT_EQ(test_map_flag(9), 0);
  set_flag(16383);
  EXPECT_EQ(map_flags[1023], 0x80);
  clear_map_flag(8191);
  EXPECT_EQ(test_flag(16383), 0);
  clear_flag(15);
  EXPECT_EQ(global_flags[1], 0);
}

TEST_F(Flags, NumbersOutsideTheArraysReadZeroAndWriteNothing) {
  std::memset(flag_bytes, 0xFF, sizeof flag_bytes);
  struct Case {
    int n;
    bool game, map;  // valid as a game flag, as a map flag
  };
  const Case cases[] = {{-1, false, false},     {INT_MIN, false, false}, {8191, true, true},
                        {8192, true, false},    {16383, true, false},    {16384, false, false},
                        {INT_MAX, false, false}};
  for (const Case& c : cases) {
    EXPECT_EQ(test_flag(c.n), c.game ? 1 : 0) << c.n;
    EXPECT_EQ(test_map_flag(c.n), c.map ? 1 : 0) << c.n;
  }
  std::uint8_t copy[2048];
  std::memcpy(copy, flag_bytes, sizeof copy);
  for (int n : {-1, -8, INT_MIN, 16384, 20000, INT_MAX}) {
    clear_flag(n);
    clear_map_flag(n);
  }
  clear_map_flag(8192);
  EXPECT_EQ(std::memcmp(copy, flag_bytes, sizeof copy), 0);
  std::memset(flag_bytes, 0, sizeof flag_bytes);
  for (int n : {-1, 16384, INT_MAX}) set_flag(n);
  for (int n : {-1, 8192, INT_MAX}) set_map_flag(n);
  std::memset(copy, 0, sizeof copy);
  EXPECT_EQ(std::memcmp(copy, flag_bytes, sizeof copy), 0);
}

TEST_F(Flags, InputWaitCountsDownAndReleases) {
  struct Case {
    int frames;
    std::vector<int> results;  // tick_input_wait, call by call
  };
  const Case cases[] = {
      {3, {0, 0, 1, 1}}, {1, {1, 1}}, {0, {1, 1}}, {-5, {1, 1}}, {0xFFFE, {0, 0, 0}},
  };
  for (const Case& c : cases) {
    start_input_wait(c.frames);
    EXPECT_NE(talk_box_state & 0x8000, 0u);
    std::vector<int> got;
    for (std::size_t i = 0; i < c.results.size(); ++i) got.push_back(tick_input_wait());
    EXPECT_EQ(got, c.results) << c.frames;
    end_input_wait();
  }
  // 0xFFFF and more hold until the wait is ended, and leave the other state bits alone.
  talk_box_state = 0x0001;
  start_input_wait(0xFFFF);
  for (int i = 0; i < 100; ++i) ASSERT_EQ(tick_input_wait(), 0);
  EXPECT_EQ(input_wait_frames, 0xFFFF);
  end_input_wait();
  EXPECT_EQ(talk_box_state, 0x0001u);
  EXPECT_EQ(tick_input_wait(), 1);
}

}  // namespace

// The logical key queries over sequences of (time, down) updates, one update a frame.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/grp_input.h"

namespace {

struct Frame {
  std::uint32_t ms;
  bool down;
};

// What the five queries say after each update, as a string of five digits:
// press, double press, down, repeat, fast repeat.
std::vector<std::string> run(const std::vector<Frame>& frames, KeyCode k = key_space) {
  GrpInput in;
  std::vector<std::string> out;
  for (const Frame& f : frames) {
    in.update_key(f.ms, k, f.down);
    out.push_back(std::to_string(in.key_press(k)) + std::to_string(in.key_double_press(k)) +
                  std::to_string(in.key_down(k)) + std::to_string(in.key_repeat(k)) +
                  std::to_string(in.key_repeat_fast(k)));
  }
  return out;
}

struct Case {
  const char* name;
  std::vector<Frame> frames;
  std::vector<std::string> want;
};

// Frames 28 ms apart unless a case needs other times. A key has to be seen up once before a
// press counts; a press is quick (a double press) unless an up update saw the key released for
// more than 90 ms.
const Case cases[] = {
    {"held from start: repeats fire, press and down do not",
     {{1000, true}, {1028, true}},
     {"00011", "00000"}},
    {"single press after a release",
     {{1000, false}, {1028, false}, {1200, true}, {1228, true}, {1256, false}, {1284, false}},
     {"00000", "00000", "10111", "00100", "00100", "00000"}},
    {"down stays set in the frame of the release",
     {{1000, false}, {1200, true}, {1228, false}, {1256, false}},
     {"00000", "10111", "00100", "00000"}},
    {"re-press within the window is a double press",
     {{1000, false}, {1200, true}, {1228, false}, {1256, false}, {1284, true}, {1312, true}},
     {"00000", "10111", "00100", "00000", "01111", "00100"}},
    {"an up update exactly 90 ms after the release: still quick",
     {{1000, false}, {1200, true}, {1228, false}, {1318, false}, {1346, true}},
     {"00000", "10111", "00100", "00000", "01111"}},
    {"an up update 91 ms after the release: just outside, single again",
     {{1000, false}, {1200, true}, {1228, false}, {1319, false}, {1347, true}},
     {"00000", "10111", "00100", "00000", "10111"}},
    {"time that no up update saw does not count",
     {{1000, false}, {1200, true}, {1228, false}, {1256, false}, {1500, true}},
     {"00000", "10111", "00100", "00000", "01111"}},
    {"a quick series stays double",
     {{1000, false},
      {1200, true},
      {1228, false},
      {1256, false},
      {1284, true},
      {1312, false},
      {1340, false},
      {1368, true}},
     {"00000", "10111", "00100", "00000", "01111", "00100", "00000", "01111"}},
};

TEST(KeyState, QueriesOverPressSequences) {
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(run(c.frames), c.want);
  }
}

TEST(KeyState, RepeatSchedulesWhileHeld) {
  GrpInput in;
  in.update_key(1000, key_down, 0);
  std::vector<int> repeat, fast;
  for (int frame = 1; frame <= 30; ++frame) {
    in.update_key(1000 + 28 * frame, key_down, 1);
    if (in.key_repeat(key_down)) repeat.push_back(frame);
    if (in.key_repeat_fast(key_down)) fast.push_back(frame);
    EXPECT_EQ(in.key_press(key_down), frame == 1) << frame;
    EXPECT_EQ(in.key_down(key_down), 1) << frame;
  }
  EXPECT_EQ(repeat, (std::vector<int>{1, 15, 20, 25, 30}));
  EXPECT_EQ(fast, (std::vector<int>{1, 6, 9, 12, 15, 18, 21, 24, 27, 30}));
}

TEST(KeyState, UpdateReturnsTheHeldCount) {
  GrpInput in;
  EXPECT_EQ(in.update_key(1000, 'a', 1), 1);
  EXPECT_EQ(in.update_key(1028, 'a', 1), 2);
  EXPECT_EQ(in.update_key(1056, 'a', 0), 0);
  EXPECT_EQ(in.update_key(1084, 'a', 1), 1);
}

TEST(KeyState, KeysNothingFeedsAndCodesOutOfRangeReadZero) {
  GrpInput in;
  in.update_key(1000, key_escape, 0);
  in.update_key(1100, key_escape, 1);
  for (KeyCode k : {key_joy_left, key_joy_button1 + 3, key_pad_0, -1, key_code_count, 100000}) {
    EXPECT_EQ(in.key_press(k), 0) << k;
    EXPECT_EQ(in.key_double_press(k), 0) << k;
    EXPECT_EQ(in.key_down(k), 0) << k;
    EXPECT_EQ(in.key_repeat(k), 0) << k;
    EXPECT_EQ(in.key_repeat_fast(k), 0) << k;
  }
  EXPECT_EQ(in.update_key(1200, -3, 1), 0);
  EXPECT_EQ(in.update_key(1200, key_code_count, 1), 0);
}

TEST(KeyState, ClearKeysForgetsEveryPress) {
  GrpInput in;
  in.update_key(1000, key_enter, 0);
  in.update_key(1200, key_enter, 1);
  ASSERT_EQ(in.key_press(key_enter), 1);
  in.clear_keys();
  EXPECT_EQ(in.key_down(key_enter), 0);
  EXPECT_EQ(in.key_repeat(key_enter), 0);
  // After clearing, a key still held counts as held from start.
  in.update_key(1228, key_enter, 1);
  EXPECT_EQ(in.key_press(key_enter), 0);
  EXPECT_EQ(in.key_repeat(key_enter), 1);
}

}  // namespace

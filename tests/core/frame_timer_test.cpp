#include "core/frame_timer.h"

#include <gtest/gtest.h>

#include "platform/clock.h"

namespace {

class FrameTimer : public ::testing::Test {
 protected:
  void SetUp() override { start(1000); }
  void TearDown() override { platform::use_real_clock(); }
  void start(std::uint32_t ms) {
    platform::use_fake_clock(ms);
    set_frame_rate(35);
    reset_frame_timer();
    treasure_seconds = 0;
  }
  // Ticks with the clock advancing step ms before each tick; the ticks that made a frame due.
  int run(int ticks, std::uint32_t step = 1) {
    int due = 0;
    for (int i = 0; i < ticks; ++i) {
      platform::advance_fake_clock(step);
      tick_frame_timer();
      due += frame_due;
    }
    return due;
  }
};

TEST_F(FrameTimer, FrameRateSetsThePeriodAndZeroIsRefused) {
  EXPECT_EQ(frame_period_ms, 28u);
  set_frame_rate(1000);
  EXPECT_EQ(frame_period_ms, 1u);
  set_frame_rate(0);
  EXPECT_EQ(frame_period_ms, 1u);
  set_frame_rate(3);
  EXPECT_EQ(frame_period_ms, 333u);
}

TEST_F(FrameTimer, AFrameIsDueOnceMoreThanThePeriodHasPassed) {
  EXPECT_EQ(run(28), 0);  // 28 ms is not more than 28
  EXPECT_EQ(run(1), 1);   // 29 ms
  EXPECT_EQ(frame_elapsed_ms, 29u);
  EXPECT_EQ(game_clock, 1029u);
  EXPECT_EQ(run(28), 0);
  EXPECT_EQ(frame_due, 0);
  EXPECT_EQ(frame_elapsed_ms, 29u);  // ticks that are not due leave it alone
  EXPECT_EQ(run(1), 1);
  // At 1000 fps a frame is due every 2 ms.
  set_frame_rate(1000);
  EXPECT_EQ(run(10), 5);
}

TEST_F(FrameTimer, AStallGivesOneDueFrameAndWholeSecondsOfPlayTime) {
  EXPECT_EQ(run(1, 5000), 1);
  EXPECT_EQ(frame_elapsed_ms, 5000u);
  EXPECT_EQ(play_time, 5u);
  EXPECT_EQ(treasure_seconds, 5u);
  EXPECT_EQ(run(1), 0);  // the next tick is a normal one
  // The part second carries over: 1.5 s then 0.5 s make two seconds.
  EXPECT_EQ(run(1, 1499), 1);
  EXPECT_EQ(play_time, 6u);
  run(1, 500);
  EXPECT_EQ(play_time, 7u);
}

TEST_F(FrameTimer, TheClockWrappingChangesNothing) {
  start(0xFFFFFF00u);
  int due = run(2000);  // crosses 2^32 after 256 ticks
  EXPECT_EQ(due, 2000 / 29);
  EXPECT_EQ(play_time, 2u);
  EXPECT_EQ(frame_elapsed_ms, 29u);
  EXPECT_EQ(game_clock, 0xFFFFFF00u + 2000u);
}

TEST_F(FrameTimer, FrameRateCountsDueFramesOnly) {
  current_fps = 0;
  run(1000);  // not yet more than a second since the mark
  EXPECT_EQ(current_fps, 0.0f);
  run(2000);
  // A frame every 29 ms: about 34.5 frames a second.
  EXPECT_NEAR(current_fps, 1000.0 / 29.0, 0.5);
  float before = current_fps;
  run(28);
  EXPECT_EQ(current_fps, before);
}

}  // namespace

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

// The message loop sleeps ms_until_frame_due() between frames: sleeping exactly that long must
// land on the tick that makes the frame due, never one tick early or late, at any point of the
// period, across the clock's wrap and at other frame rates.
TEST_F(FrameTimer, TheWaitUntilDueEndsOnTheDueTick) {
  struct Case {
    std::uint32_t start;
    unsigned fps;
    std::uint32_t into_period;  // ms already run since the last due frame
  };
  const Case cases[] = {{1000, 35, 0},  {1000, 35, 1},       {1000, 35, 28},
                        {1000, 10, 57}, {0xFFFFFFF0u, 35, 5}, {0xFFFFFFF0u, 35, 20}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "start " << c.start << " fps " << c.fps << " into "
                                    << c.into_period);
    start(c.start);
    set_frame_rate(c.fps);
    platform::advance_fake_clock(c.into_period);
    std::uint32_t wait = ms_until_frame_due();
    EXPECT_EQ(wait, frame_period_ms + 1 - c.into_period);
    EXPECT_EQ(run(1, wait - 1), 0) << "one ms short of the wait is not yet due";
    EXPECT_EQ(ms_until_frame_due(), 1u);
    EXPECT_EQ(run(1), 1);
    EXPECT_EQ(ms_until_frame_due(), frame_period_ms + 1) << "a new period starts";
  }
  // Late (a slow frame): due at once, no wait.
  start(1000);
  platform::advance_fake_clock(100);
  EXPECT_EQ(ms_until_frame_due(), 0u);
}

}  // namespace

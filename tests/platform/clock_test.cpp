#include "platform/clock.h"

#include <gtest/gtest.h>

namespace {

TEST(Clock, FakeClockIsAdvancedByHandAndWraps) {
  platform::use_fake_clock(0xFFFFFFF0u);
  EXPECT_EQ(platform::time_ms(), 0xFFFFFFF0u);
  platform::advance_fake_clock(0x20);
  EXPECT_EQ(platform::time_ms(), 0x10u);
  platform::sleep_ms(5);  // a wait moves the fake time on instead of waiting
  EXPECT_EQ(platform::time_ms(), 0x15u);
  platform::set_fake_clock(7);
  EXPECT_EQ(platform::time_ms(), 7u);
  platform::use_real_clock();
  std::uint32_t a = platform::time_ms();
  std::uint32_t b = platform::time_ms();
  EXPECT_LT(std::uint32_t(b - a), 1000u);  // monotonic: never goes back (a wrap difference would be huge)
}

TEST(Clock, CalendarAndLocalTimeAreInRange) {
  EXPECT_GT(platform::time_seconds(), 1600000000u);
  platform::LocalTime t = platform::local_time();
  EXPECT_GE(t.year, 2020);
  EXPECT_TRUE(t.month >= 1 && t.month <= 12);
  EXPECT_TRUE(t.day >= 1 && t.day <= 31);
  EXPECT_TRUE(t.day_of_week >= 0 && t.day_of_week <= 6);
  EXPECT_TRUE(t.hour >= 0 && t.hour <= 23 && t.minute >= 0 && t.minute <= 59);
  EXPECT_TRUE(t.second >= 0 && t.second <= 60 && t.millisecond >= 0 && t.millisecond <= 999);
}

}  // namespace

#pragma once
// Time. The game reads a u32 millisecond clock (it wraps) and the local date and time.
// Tests replace the clock with a fake they advance by hand.
#include <cstdint>

namespace platform {

// Milliseconds of a monotonic clock, modulo 2^32.
std::uint32_t time_ms();
// Seconds since 1970 (the calendar time), truncated to 32 bits.
std::uint32_t time_seconds();

struct LocalTime {
  int year, month, day_of_week, day, hour, minute, second, millisecond;
};
LocalTime local_time();

// Sleeps about ms milliseconds (used only where the original waits on the system).
void sleep_ms(std::uint32_t ms);

// Fake clock for tests: while installed, time_ms() returns the fake value.
void use_fake_clock(std::uint32_t start_ms);
void advance_fake_clock(std::uint32_t ms);
void set_fake_clock(std::uint32_t ms);
void use_real_clock();

}  // namespace platform

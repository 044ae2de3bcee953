#include "platform/clock.h"

#include <time.h>

#include <atomic>
#include <cerrno>

namespace platform {
namespace {

std::atomic<bool> fake_installed{false};
std::atomic<std::uint32_t> fake_now{0};

std::uint64_t monotonic_ms() {
  timespec ts{};
  clock_gettime(CLOCK_MONOTONIC, &ts);
  return std::uint64_t(ts.tv_sec) * 1000u + std::uint64_t(ts.tv_nsec) / 1000000u;
}

}  // namespace

std::uint32_t time_ms() {
  if (fake_installed.load()) return fake_now.load();
  return static_cast<std::uint32_t>(monotonic_ms());
}

std::uint32_t time_seconds() { return static_cast<std::uint32_t>(::time(nullptr)); }

LocalTime local_time() {
  timespec ts{};
  clock_gettime(CLOCK_REALTIME, &ts);
  tm parts{};
  localtime_r(&ts.tv_sec, &parts);
  LocalTime t{};
  t.year = parts.tm_year + 1900;
  t.month = parts.tm_mon + 1;
  t.day_of_week = parts.tm_wday;
  t.day = parts.tm_mday;
  t.hour = parts.tm_hour;
  t.minute = parts.tm_min;
  t.second = parts.tm_sec;
  t.millisecond = int(ts.tv_nsec / 1000000);
  return t;
}

void sleep_ms(std::uint32_t ms) {
  // Under the fake clock a wait only moves the fake time on, so nothing waits for real.
  if (fake_installed.load()) {
    advance_fake_clock(ms);
    return;
  }
  timespec ts{time_t(ms / 1000), long(ms % 1000) * 1000000L};
  while (nanosleep(&ts, &ts) != 0 && errno == EINTR) {
  }
}

void use_fake_clock(std::uint32_t start_ms) {
  fake_now.store(start_ms);
  fake_installed.store(true);
}

void advance_fake_clock(std::uint32_t ms) { fake_now.fetch_add(ms); }
void set_fake_clock(std::uint32_t ms) { fake_now.store(ms); }
void use_real_clock() { fake_installed.store(false); }

}  // namespace platform

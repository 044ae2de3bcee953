#pragma once
// The talk timer: a countdown that queues a fixed talk when it runs out.
#include <cstdint>

constexpr std::uint16_t timer_speaker = 0xFF03;  // the speaker of the timer's event

struct TalkTimer {
  int running = 0;
  std::uint32_t duration = 0;  // milliseconds
  std::uint32_t start = 0;     // game_clock at the start
  std::uint32_t last_tick = 0;
  int seconds_left = 0;
  std::uint16_t talk = 0;
};
extern TalkTimer talk_timer;

// Starts (talk not 0) or stops (talk 0) the countdown.
void set_talk_timer(std::uint32_t ms, std::uint16_t talk);
// Once a frame after the talk events ran.
void tick_talk_timer();
int talk_timer_minutes();
void talk_timer_minutes(int x, int y);  // draws the minutes left at x, y

#include "core/frame_timer.h"

#include "platform/clock.h"

std::uint32_t game_clock;
std::uint32_t frame_period_ms = 1000 / 35;
int frame_due;
std::uint32_t frame_elapsed_ms;
std::uint32_t play_time;
std::uint32_t treasure_seconds;
float current_fps;

namespace {

// Every value is a u32 millisecond reading; differences are taken modulo 2^32, so the
// clock wrapping changes nothing.
std::uint32_t last_due_ms;
std::uint32_t previous_due_ms;
std::uint32_t second_mark_ms;
std::uint32_t fps_mark_ms;
std::uint32_t fps_frames;

// The frame rate over the due frames since the mark, once more than a second has passed.
void count_frame_rate(std::uint32_t now) {
  ++fps_frames;
  std::uint32_t span = now - fps_mark_ms;
  if (span <= 1000) return;
  current_fps = float(fps_frames) * 1000.0f / float(span);
  fps_mark_ms = now;
  fps_frames = 0;
}

}  // namespace

void set_frame_rate(unsigned fps) {
  if (fps == 0) return;
  frame_period_ms = 1000 / fps;
}

void reset_frame_timer() {
  std::uint32_t now = platform::time_ms();
  game_clock = now;
  last_due_ms = now;
  second_mark_ms = now;
  fps_mark_ms = now;
  fps_frames = 0;
  play_time = 0;
  previous_due_ms = platform::time_ms();
}

void tick_frame_timer() {
  std::uint32_t now = platform::time_ms();
  game_clock = now;
  frame_due = 0;

  std::uint32_t since_second = now - second_mark_ms;
  if (since_second >= 1000) {
    std::uint32_t seconds = since_second / 1000;
    treasure_seconds += seconds;
    play_time += seconds;
    second_mark_ms = now - since_second % 1000;  // the part second carries over
  }

  if (now - last_due_ms > frame_period_ms) {
    frame_elapsed_ms = now - previous_due_ms;
    previous_due_ms = now;
    last_due_ms = now;
    frame_due = 1;
    count_frame_rate(now);
  }
}

std::uint32_t ms_until_frame_due() {
  // A frame is due once more than the period has passed since the last due frame.
  std::uint32_t since = platform::time_ms() - last_due_ms;
  return since > frame_period_ms ? 0 : frame_period_ms + 1 - since;
}

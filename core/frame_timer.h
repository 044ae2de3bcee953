#pragma once
// The 35 fps frame timer and the millisecond game clock.
#include <cstdint>

extern std::uint32_t game_clock;
extern std::uint32_t frame_period_ms;
extern int frame_due;
extern std::uint32_t frame_elapsed_ms;
extern std::uint32_t play_time;
extern std::uint32_t treasure_seconds;
extern float current_fps;

// fps 0 is refused (the period stays as it was).
void set_frame_rate(unsigned fps);
void reset_frame_timer();
void tick_frame_timer();
// Milliseconds from now until tick_frame_timer marks the next frame due; 0 when it is due now.
// The message loop waits this long between frames instead of spinning.
std::uint32_t ms_until_frame_due();

#include "script/talk_timer.h"

#include "core/flags.h"
#include "core/frame_timer.h"
#include "core/game_flags.h"
#include "script/talk_queue.h"

TalkTimer talk_timer;

void set_talk_timer(std::uint32_t ms, std::uint16_t talk) {
  talk_timer.duration = ms;
  if (talk != 0) {
    set_flag(flag_talk_countdown);
    talk_timer.talk = talk;
    talk_timer.start = talk_timer.last_tick = game_clock;
    talk_timer.running = 1;
  } else {
    clear_flag(flag_talk_countdown);
    talk_timer.seconds_left = 0;
    talk_timer.talk = 0;
    talk_timer.running = 0;
  }
}

void tick_talk_timer() {
  if (!talk_timer.running) return;
  // Signed 64-bit: a long gap (a battle in between) still expires the timer.
  const std::int64_t left = std::int64_t(talk_timer.duration) + talk_timer.start - talk_timer.last_tick;
  const std::int64_t seconds = left / 1000;
  talk_timer.seconds_left = seconds < -0x7FFFFFFF ? -0x7FFFFFFF : static_cast<int>(seconds);
  if (seconds <= 0) {
    for (const MapRole& ev : TalkEventQueue)
      if (ev.RoleID != 0) {
        const MapRole copy = ev;
        del_talk_event(&copy);
      }
    gmTmpTalk = MapRole{};
    gmTmpTalk.RoleID = timer_speaker;
    gmTmpTalk.TALK = talk_timer.talk;
    add_talks_proc(&gmTmpTalk);
    clear_flag(flag_talk_countdown);
    talk_timer.seconds_left = 0;
    talk_timer.start = talk_timer.last_tick = 0;
    talk_timer.running = 0;
  }
  talk_timer.last_tick = game_clock;
}

int talk_timer_minutes() { return talk_timer.seconds_left / 60; }

void talk_timer_minutes(int, int) {}

// Talk opcodes of flow control, flags and waits.
#include "core/flags.h"
#include "core/frame_timer.h"
#include "core/game_flags.h"
#include "core/log.h"
#include "data/map_role.h"
#include "script/talk_ops.h"
#include "script/talk_timer.h"

namespace {
std::uint32_t rand_state = 1;
constexpr std::uint16_t wait_armed = 0x8000;

// Talk指令:%d 錯誤 , Talk%d
constexpr const char* table_message = "Talk\xAB\xFC\xA5O:%d \xBF\xF9\xBB~ , Talk%d";

SliceResult flag_jump(TalkRun& run, bool when_set) {
  const bool set = test_flag(run.cur.u16()) != 0;
  talk_jump_if(run, set == when_set);
  return SliceResult::GoOn;
}

// Opcodes 4 and 5: `all` jumps when every listed flag is set, otherwise when any is.
SliceResult list_jump(TalkRun& run, bool all) {
  const std::size_t list = run.cur.pos();
  const std::size_t n = run.cur.word_list();
  if (!run.cur.ok()) return SliceResult::EndSlice;
  if (n == 0 && all) {
    // An empty list has no flag to test: taken as false.
    report_error(table_message, run.op, run.ev->TALK);
    run.cur.skip(4);
    return SliceResult::EndSlice;
  }
  bool take = all;
  for (std::size_t i = 0; i < n; ++i) {
    const bool set = test_flag(run.cur.u16_at(list + 2 * i)) != 0;
    if (all && !set) take = false;
    if (!all && set) take = true;
    if (take != all) break;
  }
  talk_jump_if(run, take);
  return SliceResult::EndSlice;
}

SliceResult scene_bit(TalkRun& run, std::uint32_t bit) {
  if (run.cur.u16()) talk_scene_flags |= bit;
  else talk_scene_flags &= ~bit;
  return SliceResult::EndSlice;
}
}  // namespace

void talk_rand_seed(std::uint32_t seed) { rand_state = seed; }

int talk_rand() {
  rand_state = rand_state * 214013u + 2531011u;
  return static_cast<int>((rand_state >> 16) & 0x7FFF);
}

void talk_jump_here(TalkRun& run) {
  const std::size_t at = run.cur.pos();
  run.cur.jump(at, run.cur.i32());
}

void talk_jump_if(TalkRun& run, bool take) {
  if (take) talk_jump_here(run);
  else run.cur.skip(4);
}

SliceResult talk_nothing(TalkRun&) { return SliceResult::GoOn; }

SliceResult talk_jump(TalkRun& run) {
  talk_jump_here(run);
  return SliceResult::GoOn;
}

SliceResult talk_jump_if_set(TalkRun& run) { return flag_jump(run, true); }
SliceResult talk_jump_if_clear(TalkRun& run) { return flag_jump(run, false); }
SliceResult talk_jump_if_all(TalkRun& run) { return list_jump(run, true); }
SliceResult talk_jump_if_any(TalkRun& run) { return list_jump(run, false); }

SliceResult talk_set_flag(TalkRun& run) {
  set_flag(run.cur.u16());
  return SliceResult::GoOn;
}

SliceResult talk_clear_flag(TalkRun& run) {
  clear_flag(run.cur.u16());
  return SliceResult::GoOn;
}

SliceResult talk_set_timer(TalkRun& run) {
  const std::uint32_t time = run.cur.u16();
  const std::uint16_t talk = run.cur.u16();
  if (run.cur.ok()) set_talk_timer(time * 10, talk);
  return SliceResult::GoOn;
}

// The armed word is the event's own, so two events wait their own times.
SliceResult talk_timed_wait(TalkRun& run) {
  MapRole& ev = *run.ev;
  const std::uint16_t duration = run.cur.u16();
  if (!run.cur.ok()) return SliceResult::Wait;
  if (!(ev.talk_wait_word & wait_armed)) {
    ev.talk_wait_word = duration | wait_armed;
    ev.talk_wait_start = ev.talk_wait_now = game_clock;
    return SliceResult::Wait;
  }
  ev.talk_wait_word = static_cast<std::uint16_t>((ev.talk_wait_word & 0x7FFF) * 10);
  ev.talk_wait_now = game_clock;
  if (ev.talk_wait_now - ev.talk_wait_start >= ev.talk_wait_word || test_flag(flag_speed_up)) {
    ev.talk_wait_word = 0;
    return SliceResult::EndSlice;
  }
  ev.talk_wait_word = duration | wait_armed;
  return SliceResult::Wait;
}

SliceResult talk_running_flag(TalkRun& run) {
  if (run.cur.u16()) set_flag(flag_wall_test_off);
  else clear_flag(flag_wall_test_off);
  return SliceResult::EndSlice;
}

SliceResult talk_scene_effect(TalkRun& run) { return scene_bit(run, scene_extra_effect); }

SliceResult talk_player_free(TalkRun& run) {
  if (run.cur.u16()) {
    talk_scene_flags |= scene_player_free;
    if (player_role_index >= 0 && player_role_index < gmMapRoleCount)
      gmMapRole[player_role_index].STATE &= ~state_held;
  } else {
    talk_scene_flags &= ~scene_player_free;
  }
  return SliceResult::GoOn;
}

SliceResult talk_wait_path_on(TalkRun&) {
  set_flag(flag_talk_waits_path);
  return SliceResult::GoOn;
}

SliceResult talk_wait_path_off(TalkRun&) {
  clear_flag(flag_talk_waits_path);
  return SliceResult::EndSlice;
}

SliceResult talk_clear_flags(TalkRun& run) {
  const int first = run.cur.u16(), last = run.cur.u16();
  if (!run.cur.ok()) return SliceResult::GoOn;
  for (int f = first; f <= last; ++f) clear_flag(f);  // an int counter: 65535 ends the loop
  return SliceResult::GoOn;
}

SliceResult talk_draw_off(TalkRun& run) {
  if (run.cur.u16() == 1) set_flag(flag_scene_hidden);
  else clear_flag(flag_scene_hidden);
  return SliceResult::EndSlice;
}

SliceResult talk_random_jump(TalkRun& run) {
  const std::size_t n = run.cur.table_count();
  if (!run.cur.ok()) return SliceResult::EndSlice;
  if (n == 0) {
    report_error(table_message, 89, run.ev->TALK);
    run.cur.skip(4);
    return SliceResult::EndSlice;
  }
  talk_rand_seed(game_clock);
  const std::size_t entry = run.cur.pos() + 4 * (static_cast<std::size_t>(talk_rand()) % n);
  run.cur.jump(entry, run.cur.i32_at(entry));
  return SliceResult::EndSlice;
}

// Fight-talk commands: jumps, flag tests, waits.
#include "battle/fight_globals.h"
#include "battle/fight_man.h"
#include "battle/fight_talk_ops.h"
#include "core/flags.h"
#include "core/frame_timer.h"
#include "core/game_flags.h"
#include "core/log.h"
#include "core/random_r250.h"

namespace {
constexpr std::uint16_t flag_list_end = 0xFFFF;
constexpr char no_unit[] = "fight talk %d: command %d names unit %d, which no battle has";

SliceResult flag_test(FightTalkRun& run, bool when_set) {
  const std::uint16_t flag = run.cur.u16();
  return fight_talk_jump_if(run, (test_flag(flag) != 0) == when_set, SliceResult::GoOn);
}

// Flags of a list ended by 0xFFFF: how many there are and how many of them are set.
struct ListCount {
  int flags = 0, set = 0;
};
ListCount count_list(FightTalkRun& run) {
  ListCount c;
  for (std::uint16_t f = run.cur.u16(); run.cur.ok() && f != flag_list_end; f = run.cur.u16()) {
    ++c.flags;
    c.set += test_flag(f) != 0;
  }
  return c;
}
}  // namespace

FightMan* fight_talk_unit(FightTalkRun& run, std::uint16_t unit) {
  if (unit < fight_unit_slots) return &gmFightMan[unit];
  report_error(no_unit, int(fight_talk_current), int(run.op), int(unit));
  return nullptr;
}

SliceResult fight_talk_jump_if(FightTalkRun& run, bool taken, SliceResult on_pass) {
  const std::size_t at = run.cur.pos();
  const std::int32_t rel = run.cur.i32();
  if (!run.cur.ok()) return SliceResult::EndSlice;
  if (!taken) return on_pass;
  run.cur.jump(at, rel);
  return SliceResult::GoOn;
}

SliceResult fight_talk_goto(FightTalkRun& run) { return fight_talk_jump_if(run, true, SliceResult::GoOn); }
SliceResult fight_talk_if_flag(FightTalkRun& run) { return flag_test(run, true); }
SliceResult fight_talk_unless_flag(FightTalkRun& run) { return flag_test(run, false); }

// An empty list: every one of its (no) flags is set, and none is.
SliceResult fight_talk_if_all_flags(FightTalkRun& run) {
  const ListCount c = count_list(run);
  return fight_talk_jump_if(run, c.set == c.flags, SliceResult::EndSlice);
}

SliceResult fight_talk_if_any_flag(FightTalkRun& run) {
  const ListCount c = count_list(run);
  return fight_talk_jump_if(run, c.set > 0, SliceResult::EndSlice);
}

SliceResult fight_talk_set_flag(FightTalkRun& run) {
  const std::uint16_t flag = run.cur.u16();
  if (run.cur.ok()) set_flag(flag);
  return SliceResult::GoOn;
}

SliceResult fight_talk_clear_flag(FightTalkRun& run) {
  const std::uint16_t flag = run.cur.u16();
  if (run.cur.ok()) clear_flag(flag);
  return SliceResult::GoOn;
}

// The first run only notes the clock; every run ends the step.
SliceResult fight_talk_wait_time(FightTalkRun& run) {
  const std::uint16_t n = run.cur.u16();
  if (!fight_talk_timing) {
    fight_talk_timing = 1;
    fight_talk_wait_start = game_clock;
    return SliceResult::Wait;
  }
  fight_talk_wait_ms = std::uint32_t(n) * 10;
  if (game_clock - fight_talk_wait_start < fight_talk_wait_ms && !test_flag(flag_speed_up)) return SliceResult::Wait;
  fight_talk_timing = 0;
  return SliceResult::EndSlice;
}

SliceResult fight_talk_wait_turns(FightTalkRun& run) {
  const std::int32_t n = run.cur.i32();
  if (!run.cur.ok()) return SliceResult::EndSlice;
  if (!fight_talk_waiting) {
    fight_talk_waiting = 1;
    fight_turns_left = n;
    return SliceResult::Wait;
  }
  if (fight_turns_left != 0) return SliceResult::Wait;
  fight_talk_waiting = 0;
  return SliceResult::GoOn;
}

SliceResult fight_talk_if_chance(FightTalkRun& run) {
  const std::uint16_t p = run.cur.u16();
  if (!run.cur.ok()) return SliceResult::EndSlice;
  return fight_talk_jump_if(run, rand_below(100) <= p, SliceResult::GoOn);
}

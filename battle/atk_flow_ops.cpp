// ATK commands: flow, jumps and waits.
#include "battle/atk_ops.h"
#include "battle/fight_globals.h"
#include "battle/fight_man.h"
#include "core/flags.h"
#include "core/frame_timer.h"
#include "core/game_flags.h"
#include "sound/sfx_bank.h"

bool atk_first_time(AtkRun& run) {
  if (run.slot->waiting) return false;
  run.slot->waiting = 1;
  return true;
}

SliceResult atk_done(AtkRun& run) {
  run.slot->waiting = 0;
  return SliceResult::EndSlice;
}

namespace {
// A jump: its operand's place plus the operand; a landing outside the scripts fails the cursor.
void jump_from_operand(AtkRun& run) {
  const std::size_t at = run.cur.pos();
  const std::int32_t rel = run.cur.i32();
  if (run.cur.ok()) run.cur.jump(at, rel);
}

// A conditional jump: taken, the step continues; otherwise the command is passed and yields.
SliceResult jump_if(AtkRun& run, bool taken) {
  if (taken) {
    jump_from_operand(run);
    return SliceResult::GoOn;
  }
  run.cur.skip(4);
  return SliceResult::EndSlice;
}
}  // namespace

SliceResult atk_nothing(AtkRun&) { return SliceResult::GoOn; }

SliceResult atk_jump(AtkRun& run) {
  jump_from_operand(run);
  return SliceResult::GoOn;
}

SliceResult atk_wait_outcome(AtkRun&) {
  if (!(std::uint32_t(fight_command_outcome) & 0xD0000000u)) return SliceResult::Wait;
  fight_command_outcome = 0;
  return SliceResult::EndSlice;
}

SliceResult atk_wait_walk(AtkRun& run) {
  FightMan* a = atk_actor(run);
  if (a && a->GetState() == 56) return SliceResult::Wait;
  return SliceResult::GoOn;
}

SliceResult atk_wait_anim(AtkRun& run) {
  FightMan* a = atk_actor(run);
  if (a && !a->IsAnimDone() && a->body.resource) return SliceResult::Wait;
  return SliceResult::EndSlice;
}

SliceResult atk_wait_frame(AtkRun& run) {
  const std::uint16_t frame = run.cur.u16();
  FightMan* a = atk_actor(run);
  if (!a || !a->body.resource) return SliceResult::EndSlice;
  const bool reached = frame ? a->body.frame >= frame : a->IsAnimDone() != 0;
  return reached ? SliceResult::EndSlice : SliceResult::Wait;
}

SliceResult atk_wait_time(AtkRun& run) {
  const std::uint16_t n = run.cur.u16();
  if (atk_first_time(run)) {
    atk_shared.wait_start = game_clock;
    return SliceResult::Wait;
  }
  atk_shared.wait_ms = std::uint16_t(n * 10);
  if (game_clock - atk_shared.wait_start >= atk_shared.wait_ms || test_flag(flag_speed_up)) return atk_done(run);
  return SliceResult::Wait;
}

SliceResult atk_random_jump(AtkRun& run) {
  const std::size_t first = run.cur.pos();
  const std::size_t n = run.cur.table_count();
  if (!run.cur.ok()) return atk_bad_command(run);
  if (n < 1) {
    // An empty table is reported; the script goes on after its end mark.
    atk_report(run);
    run.cur.skip(4);
    return SliceResult::EndSlice;
  }
  // Its own generator seeded from the clock: the game's rolls never shift.
  const std::uint32_t v = ((game_clock * 214013u + 2531011u) >> 16) & 0x7FFF;
  const std::size_t k = v % n;
  const std::size_t entry = first + 4 * k;
  const std::int32_t rel = run.cur.i32_at(entry);
  run.cur.jump(entry, rel);
  return SliceResult::EndSlice;
}

SliceResult atk_scene_hidden(AtkRun& run) {
  if (run.cur.u16() == 1) {
    set_flag(flag_scene_hidden);
    return SliceResult::GoOn;
  }
  clear_flag(flag_scene_hidden);
  return SliceResult::EndSlice;
}

SliceResult atk_play_sound(AtkRun& run) {
  play_sfx(run.cur.u16(), 1);
  return SliceResult::EndSlice;
}

SliceResult atk_jump_if_branch(AtkRun& run) {
  FightMan* t = run.slot->targets[0];
  return jump_if(run, t && t->GetAtkBranchFlag() == 1);
}

namespace {
int guard_side(AtkRun& run) {
  FightMan* a = atk_actor(run);
  YinYangRecord r;
  if (!a || !a->GetYinYangGuard(&r)) return -1;
  return r.mark_side;
}
}  // namespace

SliceResult atk_jump_if_yang(AtkRun& run) { return jump_if(run, guard_side(run) == 1); }
SliceResult atk_jump_if_yin(AtkRun& run) { return jump_if(run, guard_side(run) == 0); }

SliceResult atk_jump_if_guest(AtkRun& run) {
  FightMan* a = run.slot->actor;
  return jump_if(run, a && a->IsGuest());
}

#include "script/ai_run.h"

#include "core/flags.h"
#include "core/frame_timer.h"
#include "core/log.h"
#include "core/random_r250.h"
#include "data/map_role.h"
#include "field/role_move.h"
#include "script/ai_file.h"
#include "script/msg_settings.h"
#include "script/script_messages.h"
#include "ui/talk_msg.h"

std::uint32_t ai_wait_start = 0;
std::uint32_t ai_wait_now = 0;
float ai_walk_speed = 5.0f;

namespace {
constexpr std::size_t table_end_size = 4;

SliceResult flag_jump(AiRun& run, bool when_set) {
  std::uint16_t flag = run.cur.u16();
  std::int32_t d = run.cur.i32();
  if ((test_flag(flag) != 0) == when_set) run.cur.jump(run.op_pos, d);
  return SliceResult::GoOn;
}
}  // namespace

void run_ai_script(AiRun& run, std::uint16_t number, std::uint32_t& start, std::uint32_t& offset,
                   std::span<const AiOpRow> table, AiStop stop, AiUnknown unknown, AiNoScript no_script) {
  if (start == 0) {
    const std::uint32_t first = ai_script_start(number);
    if (first == 0) {
      no_script(number);
      start = offset = 0;
      return;
    }
    start = offset = first;
  } else if (start == offset) {
    return;  // parked
  }
  run.cur = ai_cursor(offset);
  run.number = number;
  run.ai_start = &start;
  run.ai_offset = &offset;
  if (!run.cur.ok()) {
    report_error(ai_out_of_script_message, run.number, 0);
    stop(run);
    return;
  }
  run_ai_slice(run, table, stop, unknown);
}

void run_ai_slice(AiRun& run, std::span<const AiOpRow> table, AiStop stop, AiUnknown unknown) {
  for (int n = 0;; ++n) {
    if (n == slice_opcode_cap) {
      report_error(ai_runaway_message, run.number, slice_opcode_cap);
      stop(run);
      return;
    }
    run.op_pos = run.cur.pos();
    run.op = run.cur.u16();
    const AiOpRow* row = find_opcode(table, run.op);
    if (!row) {
      unknown(run);
      return;
    }
    SliceResult r = row->run(run);
    if (!run.cur.ok()) {
      report_error(ai_out_of_script_message, run.number, run.op);
      stop(run);
      return;
    }
    run.previous_op = run.op;
    switch (r) {
      case SliceResult::GoOn: continue;
      case SliceResult::EndSlice: *run.ai_offset = static_cast<std::uint32_t>(run.cur.pos()); return;
      case SliceResult::Wait: *run.ai_offset = static_cast<std::uint32_t>(run.op_pos); return;
      case SliceResult::EventGone: return;
    }
  }
}

SliceResult ai_nothing(AiRun&) { return SliceResult::GoOn; }

SliceResult ai_jump(AiRun& run) {
  run.cur.jump(run.op_pos, run.cur.i32());
  return SliceResult::GoOn;
}

SliceResult ai_jump_if_set(AiRun& run) { return flag_jump(run, true); }
SliceResult ai_jump_if_clear(AiRun& run) { return flag_jump(run, false); }

SliceResult ai_set_flag(AiRun& run) {
  set_flag(run.cur.u16());
  return SliceResult::GoOn;
}

SliceResult ai_clear_flag(AiRun& run) {
  clear_flag(run.cur.u16());
  return SliceResult::GoOn;
}

SliceResult ai_message_box(AiRun& run) {
  std::uint16_t speaker = run.cur.u16();
  std::uint16_t time = run.cur.u16();
  std::uint16_t words[5];
  for (std::uint16_t& w : words) w = run.cur.u16();
  std::uint16_t width = run.cur.u16(), height = run.cur.u16(), flags = run.cur.u16();
  std::span<const std::uint8_t> text = run.cur.text();
  if (!run.cur.ok()) return SliceResult::GoOn;
  std::uint16_t index = find_role(speaker);
  if (index == 0xFFFF) {
    report_error("%s", ai_no_speaker_message);
    return SliceResult::GoOn;
  }
  TalkMsg& m = run.box;
  m.speaker = index;
  m.duration = time;
  m.start_time = m.current_time = game_clock;
  m.flat_colour = talk_box_colour;
  m.cur_x = static_cast<std::int16_t>(words[0]);
  m.cur_y = static_cast<std::int16_t>(words[1]);
  m.target_x = static_cast<std::int16_t>(words[2]);
  m.target_y = static_cast<std::int16_t>(words[3]);
  m.open_speed = words[4];
  m.width = width;
  m.cur_w = float(m.width);
  m.height = height;
  m.cur_h = float(m.height);
  m.flags = flags;
  m.frame_act = msg_box_frame[0];
  m.margin_x = static_cast<std::uint16_t>(words[2] + 10);
  m.margin_y = static_cast<std::uint16_t>(words[3] + 10);
  m.char_spacing = 5;
  m.line_spacing = 5;
  m.text_colour = 0xFFFF;
  m.typing_delay = 2;
  m.typing_countdown = 2;
  // add_talkmsg copies the text into the box's own buffer; the script stays untouched.
  m.text = const_cast<char*>(reinterpret_cast<const char*>(text.data()));
  m.page_start = m.typed_end = m.text;
  m.text_length = static_cast<std::uint16_t>(text.size());
  talk_box_state = (flags & 1) ? 1 : 16;
  add_talkmsg(&m);
  return SliceResult::GoOn;
}

SliceResult ai_restart(AiRun& run) {
  *run.ai_start = 0;
  *run.ai_offset = 0;
  return SliceResult::EventGone;
}

SliceResult ai_park(AiRun& run) {
  *run.ai_start = *run.ai_offset = static_cast<std::uint32_t>(run.op_pos);
  return SliceResult::EventGone;
}

SliceResult ai_end(AiRun&) { return SliceResult::Wait; }

void ai_empty_table(AiRun& run) {
  report_error(ai_empty_table_message, 50, run.number);
  run.cur.skip(table_end_size);
}

bool ai_random_jump(AiRun& run) {
  std::size_t n = run.cur.table_count();
  if (!run.cur.ok()) return false;
  if (n == 0) {
    ai_empty_table(run);
    return false;
  }
  std::size_t k = rand_below(static_cast<unsigned>(n));
  std::size_t entry = run.cur.pos() + 4 * k;
  run.cur.jump(entry, run.cur.i32_at(entry));
  return true;
}

#include "script/talk_interpreter.h"

#include <cmath>

#include "base/base_talk.h"
#include "core/flags.h"
#include "core/game_flags.h"
#include "core/log.h"
#include "data/map_role.h"
#include "data/music_state.h"
#include "field/field_camera_state.h"
#include "field/role_move.h"
#include "field/role_path.h"
#include "field/role_walk.h"
#include "field/map_file.h"
#include "field/talk_view.h"
#include "g3d/renderer.h"
#include "script/script_messages.h"
#include "script/talk_files.h"
#include "script/talk_ops.h"
#include "script/talk_queue.h"
#include "script/text_slots.h"

std::uint32_t talk_scene_flags = 0;

namespace {
// Talk[%d] 找不到對話劇本
constexpr const char* no_script_message = "Talk[%d] \xA7\xE4\xA4\xA3\xA8\xEC\xB9\xEF\xB8\xDC\xBC@\xA5\xBB";
constexpr std::uint16_t base_not_known = 0xFFFF;
constexpr std::uint16_t base_not_finished = 0;
constexpr std::uint16_t role_id_system = 0xFF00;


MapRole* player_role() {
  return player_role_index >= 0 && player_role_index < gmMapRoleCount ? &gmMapRole[player_role_index] : nullptr;
}

void clear_speaker_marks(std::uint16_t speaker) {
  if (MapRole* r = role_by_id(speaker)) r->STATE &= ~(state_in_talk | state_held);
}

// The first call: the script's start and the speaker's marks. False when the event was dropped.
bool start_event(MapRole* ev) {
  const std::uint32_t start = talk_script_start(ev->TALK);
  if (start == 0) {
    report_error(no_script_message, ev->TALK);
    del_talk_event(ev);
    return false;
  }
  ev->talk_start = ev->talk_offset = start;
  ev->talk_base = talk_slot(ev->TALK);
  MapRole* speaker = role_by_id(ev->RoleID);
  if (!speaker) {
    report_error("%s", talk_no_speaker_message);
    return false;  // started: the script runs from the next call, without the marks
  }
  speaker->STATE |= state_in_talk | state_held;
  clear_role_path_flags(ev->RoleID, state_bit_30);
  if (!(talk_scene_flags & scene_player_free))
    if (MapRole* p = player_role()) p->STATE |= state_held;
  return true;
}

// Opcodes of no group of their own go to the base-building commands.
SliceResult base_path(TalkRun& run) {
  ScriptCursor at = run.cur;
  at.seek(run.op_pos);
  const std::uint16_t answer = run_base_talk_cmd(run.op, at);
  if (answer == base_not_known) {
    report_error(talk_illegal_message, run.ev->TALK, run.op);
    drop_talk_event(run);
    return SliceResult::EventGone;
  }
  if (answer == base_not_finished) return SliceResult::Wait;
  run.cur.seek(run.op_pos + answer);
  return SliceResult::GoOn;
}

// Roles that turned to the speaker turn back, and lose the QQ of the talk.
void turn_roles_back(std::uint16_t speaker) {
  for (int i = 0; i < gmMapRoleCount; ++i) {
    MapRole& r = gmMapRole[i];
    if (r.RoleID == 0 || r.RoleID >= role_id_system) continue;
    if (!(r.flagEx & 1)) {
      // The talk's expressions end with it, unless the role was told to keep its looks.
      r.expression_anim = ActInstance{};
      r.expression_saved_key = 0;
    }
    if (!(r.STATE & state_turns_back) || (r.flagEx & 1)) continue;
    if (r.RoleID == speaker) {
      if (r.turned_to_talk == 1) {
        r.STATE |= state_turn_steps;
        r.turn_dir = std::fmod(r.kept_dir, 360.0f);
        set_role_turn(&r);
      } else {
        r.turn_dir = r.kept_dir;
        r.DIR = r.turn_dir;
      }
      r.turned_to_talk = 0;
    }
    if (!(r.STATE & state_keep_qq)) r.anim.qq = 0;
  }
}
}  // namespace

MapRole* role_by_id(std::uint16_t id) {
  const std::uint16_t i = find_role(id);
  return i == 0xFFFF ? nullptr : &gmMapRole[i];
}

void report_talk_role(const TalkRun& run, const char* message, std::uint16_t id) {
  report_error(message, run.ev->TALK, run.op, id);
}

bool TalkRun::event_gone() const { return slot >= 0 && talk_queue_generation[slot] != generation; }

void drop_talk_event(TalkRun& run) {
  clear_speaker_marks(run.ev->RoleID);
  del_talk_event(run.ev);
}

SliceResult talk_end(TalkRun& run) {
  const std::uint16_t speaker = run.ev->RoleID;
  clear_speaker_marks(speaker);
  run.ev->talk_wait_word = 0;
  text_slot_count = 0;
  if (MapRole* p = player_role()) p->STATE &= ~(state_held | state_bit_5 | state_rising);
  clear_flag(flag_wall_test_off);
  if (expression_mark) {
    renderer.release_textures();
    expression_mark = 0;
  }
  turn_roles_back(speaker);
  if (run_mode.on()) {
    run_mode.flags[0] = run_mode.flags[1] = 1;
    run_mode.speeds[0] = run_mode.speeds[1] = 14.0f;
  }
  if (fixed_eye.on & 1) {
    field_camera.set_mode(4);
    field_camera.set_eye_xyz(map_record.fixed_eye.x, map_record.fixed_eye.y, map_record.fixed_eye.z);
  }
  del_talk_event(run.ev);
  apply_minimap_mode();
  talk_music_mark = 0;
  clear_flag(flag_input_captured);
  end_input_wait();
  if (MapRole* p = player_role()) p->STATE &= ~(state_bit_5 | state_held);
  clear_flag(flag_cursor_hidden);
  return SliceResult::EventGone;
}

void run_talk(MapRole* ev) {
  if (test_flag(flag_talk_frozen)) return;
  if (ev->talk_start == 0 && !start_event(ev)) return;
  TalkRun run;
  run.ev = ev;
  run.slot = talk_queue_slot(ev);
  if (run.slot >= 0) run.generation = talk_queue_generation[run.slot];
  run.cur = talk_cursor(ev->talk_base, ev->talk_offset);
  if (!run.cur.ok()) {
    report_error(talk_out_of_script_message, ev->TALK, 0);
    drop_talk_event(run);
    return;
  }
  const std::span<const TalkOpRow> table = talk_opcodes();
  for (int n = 0;; ++n) {
    if (n == slice_opcode_cap) {
      report_error(talk_runaway_message, ev->TALK, slice_opcode_cap);
      drop_talk_event(run);
      return;
    }
    run.op_pos = run.cur.pos();
    run.op = run.cur.u16();
    run.row = find_opcode(table, run.op);
    const SliceResult r = run.row ? run.row->run(run) : base_path(run);
    if (r == SliceResult::EventGone || run.event_gone()) return;
    if (!run.cur.ok()) {
      report_error(talk_out_of_script_message, ev->TALK, run.op);
      drop_talk_event(run);
      return;
    }
    switch (r) {
      case SliceResult::GoOn: continue;
      case SliceResult::EndSlice: ev->talk_offset = static_cast<std::uint32_t>(run.cur.pos()); return;
      case SliceResult::Wait: ev->talk_offset = static_cast<std::uint32_t>(run.op_pos); return;
      case SliceResult::EventGone: return;
    }
  }
}

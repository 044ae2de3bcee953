#include "script/talk_marks.h"

#include "data/map_role.h"
#include "script/talk_files.h"
#include "script/talk_interpreter.h"
#include "script/talk_ops.h"
#include "script/talk_queue.h"

namespace {
constexpr std::uint16_t self_marking[] = {164, 202, 210, 211, 212};
}

bool is_marked_talk_opcode(std::uint16_t word) {
  for (std::uint16_t plain : self_marking)
    if (word == plain + talk_mark_bit) return true;
  return false;
}

void undo_talk_marks(const MapRole& ev) {
  if (const int slot = talk_queue_slot(&ev); slot >= 0) {
    undo_camera_marks(slot);
    undo_view_marks(slot);
  }
  if (ev.RoleID == 0 || ev.talk_start == 0) return;
  ScriptCursor at = talk_cursor(ev.talk_base, ev.talk_offset);
  if (!at.ok()) return;
  const std::uint16_t word = at.u16_at(ev.talk_offset);
  if (at.ok() && is_marked_talk_opcode(word)) at.put_u16(ev.talk_offset, word - talk_mark_bit);
  if (!at.ok()) return;
  undo_fade_marks(at, ev.talk_offset, word);
  undo_video_mark(word);
}

TalkMarkOwner talk_mark_owner(const TalkRun& run) { return {run.slot, run.generation}; }

bool talk_mark_owner_live(const TalkMarkOwner& owner) {
  if (owner.slot < 0 || owner.slot >= talk_queue_capacity) return true;
  return talk_queue_generation[owner.slot] == owner.generation;
}

bool talk_mark_owned_by(const TalkMarkOwner& owner, int slot) {
  return owner.slot == slot && talk_queue_generation[slot] == owner.generation;
}

#pragma once
// Running marks in the loaded talk scripts: an opcode that waits over several slices marks its
// own opcode word by adding 0x2000, and puts the plain number back when it is done. An event that
// leaves the queue while it waits on a marked opcode must put it back too, or the next run of the
// script would take the marked form for its own and skip the opcode's set-up.
#include <cstddef>
#include <cstdint>

struct MapRole;
struct TalkRun;
class ScriptCursor;

constexpr std::uint16_t talk_mark_bit = 0x2000;
// True for the marked forms of the opcodes that mark themselves (164, 202, 210-212).
bool is_marked_talk_opcode(std::uint16_t word);
// Puts back the plain number of a marked opcode on which the event waits; nothing otherwise.
void undo_talk_marks(const MapRole& ev);

// A mark that every event shares (talk_camera_busy, shade_busy ...) remembers the event that set
// it: its queue slot and the slot's generation then. The mark goes with its event when the event
// leaves the queue, so a dropped event never leaves the next one waiting on a stale goal.
struct TalkMarkOwner {
  int slot = -1;  // -1: an event outside the queue
  unsigned generation = 0;
};
TalkMarkOwner talk_mark_owner(const TalkRun& run);
// True while the owner is still the event in its slot (an event outside the queue always is).
bool talk_mark_owner_live(const TalkMarkOwner& owner);
// True when the owner is the event now in the slot, which is about to leave.
bool talk_mark_owned_by(const TalkMarkOwner& owner, int slot);
// The marks of the fades (51's running bit, 53's global mark) and of the video (90) that an
// event waiting at offset on that word holds.
void undo_fade_marks(ScriptCursor& at, std::size_t offset, std::uint16_t word);
void undo_video_mark(std::uint16_t word);

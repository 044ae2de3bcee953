#pragma once
// The talk interpreter: run_talk runs one slice of a queued talk event, opcode after opcode,
// until one ends the slice (it waits, opened a box, or lets a frame pass) or the script ends.
#include <cstdint>
#include <span>

#include "script/opcode_row.h"
#include "script/script_cursor.h"
#include "ui/talk_msg.h"

struct MapRole;

struct TalkRun {
  MapRole* ev = nullptr;
  int slot = -1;            // queue slot of the event, -1 for an event outside the queue
  unsigned generation = 0;  // the slot's generation when the run began
  ScriptCursor cur;
  std::uint16_t op = 0;
  std::size_t op_pos = 0;
  const OpcodeRow<TalkRun>* row = nullptr;  // the opcode's row, null on the base-building path
  TalkMsg box{};  // the message-box template, zeroed for every call
  // True once the event was replaced or dropped during the run.
  bool event_gone() const;
};
using TalkOpRow = OpcodeRow<TalkRun>;

// The map role of a RoleID, or null when none is on the map.
MapRole* role_by_id(std::uint16_t id);
// Reports a role an opcode needs and does not find: the message takes the talk number, the
// opcode and the RoleID.
void report_talk_role(const TalkRun& run, const char* message, std::uint16_t id);

// talk_scene_flags bits (opcodes 58 and 59).
constexpr std::uint32_t scene_extra_effect = 0x2;
constexpr std::uint32_t scene_player_free = 0x4;  // new talks no longer hold the player
extern std::uint32_t talk_scene_flags;

constexpr std::uint16_t narrator_role = 0xFF01;

void run_talk(MapRole* ev);
// The talk opcode table, sorted by number.
std::span<const TalkOpRow> talk_opcodes();

// Drops the running event after a report: the speaker's talk marks go, the slot is freed.
void drop_talk_event(TalkRun& run);
// The end opcode.
SliceResult talk_end(TalkRun& run);
// Stand-in of an opcode whose group does not run yet: steps over its operands.
SliceResult talk_skip_go_on(TalkRun& run);
SliceResult talk_skip_end_slice(TalkRun& run);

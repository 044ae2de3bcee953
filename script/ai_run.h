#pragma once
// What the field and battle AI interpreters share: one run of a script slice, the opcodes both
// carry out, the wait clock, the walk speed, and the slice loop over an opcode table.
#include <cstdint>
#include <span>

#include "script/opcode_row.h"
#include "script/script_cursor.h"
#include "ui/talk_msg.h"

struct MapRole;
class FightMan;

struct AiRun {
  ScriptCursor cur;
  std::uint16_t op = 0;
  std::size_t op_pos = 0;
  std::uint16_t previous_op = 0;  // the opcode before this one in this run, 0 for the first
  std::uint16_t number = 0;       // the AI number
  std::uint32_t* ai_start = nullptr;
  std::uint32_t* ai_offset = nullptr;
  MapRole* role = nullptr;   // field AI
  FightMan* unit = nullptr;  // battle AI
  TalkMsg box{};             // the message-box template, zeroed for every run
};
using AiOpRow = OpcodeRow<AiRun>;

// The one wait clock of field opcode 16, shared by every role and by the battle's ATK scripts.
extern std::uint32_t ai_wait_start;
extern std::uint32_t ai_wait_now;
// The speed every later AI path takes.
extern float ai_walk_speed;

// How an interpreter stops a script: parks it (field) or resets it (battle).
using AiStop = void (*)(AiRun& run);
// How an interpreter handles an opcode outside its table.
using AiUnknown = void (*)(AiRun& run);

// Runs opcodes from the cursor until one ends the slice; the state words follow.
void run_ai_slice(AiRun& run, std::span<const AiOpRow> table, AiStop stop, AiUnknown unknown);

// How an interpreter reports a number that has no script (0 on AI 0 as well).
using AiNoScript = void (*)(std::uint16_t number);
// Runs one slice of AI script `number` whose start and offset the unit keeps (start 0: not
// started yet). Without a script both stay 0; a parked script (offset back at its start) does
// nothing; an offset outside the script is reported and the script stopped. run.role or
// run.unit is set by the caller.
void run_ai_script(AiRun& run, std::uint16_t number, std::uint32_t& start, std::uint32_t& offset,
                   std::span<const AiOpRow> table, AiStop stop, AiUnknown unknown, AiNoScript no_script);

// Opcodes of both tables.
SliceResult ai_nothing(AiRun& run);        // 0, 0x4000
SliceResult ai_jump(AiRun& run);           // 1
SliceResult ai_jump_if_set(AiRun& run);    // 11
SliceResult ai_jump_if_clear(AiRun& run);  // 12
SliceResult ai_set_flag(AiRun& run);       // 13
SliceResult ai_clear_flag(AiRun& run);     // 14
SliceResult ai_message_box(AiRun& run);    // 17
SliceResult ai_restart(AiRun& run);        // 99
SliceResult ai_park(AiRun& run);           // 0x8000
SliceResult ai_end(AiRun& run);            // 0xFFFF
// Opcode 50's draw: the cursor moves to the entry drawn; false (reported, the cursor past the
// empty table) when there is nothing to draw.
bool ai_random_jump(AiRun& run);
// Reports an empty jump table of opcode 50 or 500 and steps past it.
void ai_empty_table(AiRun& run);

#pragma once
// Fight-talk scripts (FigTalk.GLL): the director of each battle. Battle n runs script n beside
// the fight, stepped once a frame before the turn logic: it shows dialogue boxes over the
// units, waits for turns, effects and choices, tests and sets flags, changes units and the
// battlefield, gives and takes items, and sets the battle's rules (no escape, may be lost,
// victory allowed). A script that cannot run, or stops on a bad command, lets the battle be
// won.
#include <cstdint>
#include <span>
#include <vector>

#include "battle/battlefield.h"
#include "script/opcode_row.h"
#include "script/script_cursor.h"

constexpr int fight_talk_step_cap = 1000;  // commands of one step; more is a runaway script

// The pool: FigTalk.GLL from byte 16 on (the offset table, then the scripts).
extern std::vector<std::uint8_t> gmfTalkHead;
extern std::size_t fight_talk_pc;         // offset of the current command in the pool
extern std::uint16_t fight_talk_current;  // the running script's number
extern int fight_talk_running;            // 0: no script, or it stopped on an error
extern int fight_talk_waiting;            // a multi-frame command (22, 23, 153) has started
extern int fight_talk_timing;             // the timed wait (9) runs
extern std::uint32_t fight_talk_wait_start, fight_talk_wait_ms;
extern BattlefieldRecord fight_talk_field;  // the record of the battlefield change (214)
extern std::uint16_t fight_talk_cam_atk;    // the last camera script started (23)
extern std::uint16_t fight_music_id;        // the battle music (52); 0 means 2
// The dialogue boxes' settings (11, 14-16).
extern std::uint32_t fight_talk_colour;
extern std::uint16_t fight_talk_speed;

void open_fight_talk_data();
void free_fight_talk_data();
// Installs a pool from a file image (tests and fuzzing): what open_fight_talk_data reads.
void install_fight_talk_data(std::span<const std::uint8_t> file);
// Scripts in the table: the least table offset / 4 (0 without a pool).
std::uint16_t fight_talk_script_count();
// Starts script n; a number that names no script is reported and lets the battle be won.
void fight_talk_start(std::uint16_t n);
// Runs commands until one ends the step.
void fight_talk_step();
// Moves the script by delta bytes (reported and stopped when it leaves the scripts).
void fight_talk_jump(int delta);
// Clears the interpreter's per-battle state (battle set-up and tests).
void fight_talk_reset();

// One command being run: the cursor after the opcode word, the opcode and its place.
struct FightTalkRun {
  ScriptCursor cur;
  std::uint16_t op = 0;
  std::size_t op_pos = 0;
};
using FightTalkOpRow = OpcodeRow<FightTalkRun>;
// The opcode table, sorted by number; handlers in fight_talk_*_ops.cpp by group.
std::span<const FightTalkOpRow> fight_talk_opcodes();

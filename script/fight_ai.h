#pragma once
// The battle AI interpreter: monsters and guests pick their action by running an AI.gll script
// on their turn, and an act opcode carries out the decision.
#include <cstdint>
#include <span>

#include "script/ai_run.h"

class FightMan;

// The decision, shared by all units.
extern std::uint16_t ai_side;       // 1 opponents, 2 own side, 3 the unit itself, 0 the last range
extern std::uint16_t ai_criterion;
extern std::uint16_t ai_act;        // 1 attack, 2 end the turn, 3-7 action slots, 8 flee, 20 call
extern std::uint16_t ai_companion;
extern std::uint16_t ai_hp_percent;
extern std::uint16_t ai_talisman_element;
extern std::uint16_t ai_talisman_count;
extern std::uint16_t ai_turn_divisor;
extern std::int16_t ai_range_first;  // target slots: first included, end excluded
extern std::int16_t ai_range_end;
extern std::uint8_t ai_last_pick;    // the repetition guard of the random choice
extern std::uint8_t ai_pick_repeats;

// Runs the unit's script for its turn.
void run_fight_ai(FightMan* unit);
// A unit slot, or -1; for the condition criteria 414-418, 1 when it holds and -1 when not.
int select_ai_target(FightMan* unit);
// 1 when the action was taken, 0 otherwise.
int do_ai_action(FightMan* unit);
// Clears the decision words and the companion (not the range nor the repetition guard).
void reset_fight_ai();
// The battle AI's opcode table, sorted by number.
std::span<const AiOpRow> fight_ai_opcodes();

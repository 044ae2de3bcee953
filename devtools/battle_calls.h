#pragma once
// The battle's developer tools the console and the developer keys call. The battle defines
// them; until its definitions link, the weak stand-ins of battle_calls.cpp answer.
#include <cstdint>

// Enemy n (from 1) runs ATK script atk on ally 0.
void fight_debug_atk(std::uint16_t n, std::uint16_t atk);
// Writes every fame record to the trace log.
void dump_fame();

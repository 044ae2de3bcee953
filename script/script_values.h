#pragma once
// The 32 script values saved with the game. Talk scripts write value 0 (read by the battle
// set-up) and values 1-8 (a battle sequence: battles left, then the seven maps in which it
// holds); a role variable can be loaded from any of them.
#include <cstdint>

constexpr int script_value_count = 32;
constexpr int script_value_battles_left = 1;
constexpr int script_value_first_map = 2;
constexpr int script_value_map_count = 7;
extern std::int32_t script_values[script_value_count];

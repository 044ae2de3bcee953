#pragma once
// The 32 script values: the first 32 of the engine-state words the save keeps whole, as the
// talk scripts see them. Talk scripts write value 0 (read by the battle set-up) and values 1-8
// (a battle sequence: battles left, then the seven maps in which it holds); a role variable can
// be loaded from any of them.
#include <cstdint>

#include "core/game_state_words.h"

constexpr int script_value_count = 32;
constexpr int script_value_battles_left = state_word_battles_left;
constexpr int script_value_first_map = state_word_battle_maps;
constexpr int script_value_map_count = battle_sequence_map_count;
static_assert(script_value_count <= game_state_word_count);
extern std::int32_t (&script_values)[script_value_count];

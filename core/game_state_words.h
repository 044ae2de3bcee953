#pragma once
// The 64 words of engine state that a save keeps whole (the battle sequence, the minimap's
// display setting and others). Words nobody reads are stored and restored as they are.
#include <cstdint>

constexpr int game_state_word_count = 64;
extern std::uint32_t game_state_words[game_state_word_count];

// Word indices read by more than one unit.
constexpr int state_word_minimap_mode = 15;  // 0 opaque, 1 translucent, 2 hidden

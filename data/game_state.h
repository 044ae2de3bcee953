#pragma once
// Engine state kept with the game: 64 words whose users each own a few (word 1 the battles left in
// a battle sequence, words 2-8 its maps, word 16 the play seconds toward the next treasure
// growth, the minimap setting ...), stored and restored whole by saves; and the world map's
// current place.
#include <cstdint>

constexpr int game_state_word_count = 64;
extern std::uint32_t game_state_words[game_state_word_count];

// The current world-map place: the number of the flag that unlocks it.
extern std::uint16_t game_map_place;

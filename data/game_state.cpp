// Engine state kept with the game.
#include "data/game_state.h"

std::uint32_t game_state_words[game_state_word_count] = {};
std::uint16_t game_map_place = 0;

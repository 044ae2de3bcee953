// The saved engine-state words.
#include "core/game_state_words.h"

std::uint32_t game_state_words[game_state_word_count] = {};

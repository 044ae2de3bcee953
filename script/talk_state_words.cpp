// Talk-interpreter state kept with the game.
#include "script/talk_state_words.h"

std::uint32_t talk_state_words[talk_state_word_count] = {};

#pragma once
// Talk-interpreter state stored in save files after the trailer mark: 54 words that the save
// keeps whole and the new-game reset zeroes.
#include <cstdint>

constexpr int talk_state_word_count = 54;
extern std::uint32_t talk_state_words[talk_state_word_count];

#include "script/script_values.h"

// Signed and unsigned ints of one size may name the same storage.
std::int32_t (&script_values)[script_value_count] =
    *reinterpret_cast<std::int32_t(*)[script_value_count]>(game_state_words);

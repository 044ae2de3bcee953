#pragma once
// The monster summoning list, opened over the field by a talk script.
#include <cstdint>

constexpr std::uint32_t summon_open = 0x1;  // bit 0 of summon_state: the list is open
extern std::uint32_t summon_state;

// Opens the list: it holds the input (game flag 8015) until it is closed.
void open_summon();
// Closes the list and gives the input back.
void close_summon();

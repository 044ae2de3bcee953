#pragma once
// Battle messages: timed boxes at (320, 40) with user value 2, shown after every open box is
// closed; a format with a unit's or an object's name.
#include <cstdint>

void fight_message(const char* text, std::uint32_t duration_10ms);
void fight_message_name(const char* format, const char* name, std::uint32_t duration_10ms);

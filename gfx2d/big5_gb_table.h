#pragma once
// The Big5-to-GB2312 lookup table. A two-byte character is handled as the little-endian word of
// its two bytes as they lie in the string (low byte the lead byte), for Big5 and GB2312 alike.
#include <cstdint>

// The code word of an unpaired character: the two bytes "..", drawn as two full stops.
constexpr std::uint16_t kUnpairedGbCode = 0x2E2E;

// Fills the 65,536-entry table from the stored pairs. A second call refills the same table.
void init_big5_gb();
// Frees the table; big5_to_gb gives kUnpairedGbCode afterwards.
void free_big5_gb();
// The GB2312 code word of a Big5 code word; kUnpairedGbCode when unpaired or without a table.
std::uint16_t big5_to_gb(std::uint16_t big5_code);

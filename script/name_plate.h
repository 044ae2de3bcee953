#pragma once
// The name plate of a talk box: a pending speaker name, with the default names of party
// characters 0 and 1 replaced by their current names.
#include <cstddef>
#include <cstdint>
#include <span>

constexpr std::size_t name_plate_bytes = 16;

// The names a new game gives party characters 0 and 1 are party_default_names (ui/talk_text.h).

// Builds the plate (at most 16 bytes, cut on a Big5 character boundary, NUL-ended) from the
// pending text (up to its "%Q"); empty when nothing is pending.
void make_name_plate(std::span<const std::uint8_t> pending, char (&out)[name_plate_bytes + 2]);

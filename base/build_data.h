#pragma once
// build.DAT, read at start-up: a header whose length in 16-byte units is the word at offset 8,
// then the pool, which begins with six offsets of its sections. Nothing reads the sections.
#include <cstddef>
#include <cstdint>
#include <span>

#include "data/data_file.h"

constexpr int build_section_count = 6;
extern DataPool gmBudPool;
// The six sections (null while no pool is loaded).
extern const std::uint8_t* build_sections[build_section_count];

// Loads the file; a missing or malformed file is reported and leaves no pool: 0.
int open_build_data();
// The same from the file's bytes (the loader and the fuzz target).
int open_build_data_image(std::span<const std::uint8_t> file);
void close_build_data();

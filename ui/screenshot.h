#pragma once
// Screen snapshots and screenshot files.
#include <cstdint>

// Writes a 24-bit BMP of width x height pixels to the (already reserved) file; 1 on success.
// This first version writes nothing and returns 0.
int write_bmp(const std::uint16_t* pixels, int width, int height, const char* file_name);
void free_snapshot();

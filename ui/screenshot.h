#pragma once
// Screenshots: a 24-bit BMP of the screen, rows bottom-up, each channel the 5-bit value shifted
// up by 3 (white reads 248).
#include <cstdint>
#include <vector>

constexpr int bmp_header_size = 54;
constexpr int bmp_max_side = 16384;

// The BMP file of width x height pixels in the screen's format, taken row by row pitch bytes
// apart. Empty when the sizes are not those of a picture (width above the pitch, a side of 0
// or above bmp_max_side).
std::vector<std::uint8_t> bmp_file_image(const std::uint16_t* pixels, int pitch, int width, int height);
// Writes that file through a temporary file: 1 when written, 0 (no file) when not.
int write_bmp(const std::uint16_t* pixels, int pitch, int width, int height, const char* file_name);
// The length of a BMP row: width x 3 rounded up to a multiple of 4.
constexpr int bmp_row_size(int width) { return (width * 3 + 3) & ~3; }

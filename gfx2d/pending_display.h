#pragma once
// PENDING (display): local stand-ins for the RLE picture validator and the pixel conversions
// of the display work, so that the sprite and texture caches run before it lands. When it
// lands, delete this file and pending_display.cpp, call its validator from picture_check.cpp
// and include its header for the conversions below.
#include <cstddef>
#include <cstdint>

#include "gfx2d/tsw_pic.h"

// Magic, depth 16 or 8, width at most 16380, every row and run inside the block, each row's
// runs summing to the width and its stored length matching its codes, at most height rows, a
// final zero word. The depth (16 or 8) through *depth.
bool pending_rle_image_is_valid(const std::uint8_t* bytes, std::size_t size, int* depth);

// RGB555 to the screen format (RGB565 here), in place.
void rgb555_to_screen(std::uint16_t* pixels, int n);
// Converts the literal pixels of a 16-bit picture of size bytes in place; 1 when it was one.
int convert_rle_image(RleImage* image, std::size_t size, std::uint16_t* width, std::uint16_t* height,
                      std::uint16_t* depth);
// A 16-bit picture is converted in place, an 8-bit one expanded through its palette; once only.
void convert_tsw_picture(TswPic* picture);

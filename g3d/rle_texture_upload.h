#pragma once
// Pictures into texture texels. A run-length picture (u16 0xFFFF, width, height, depth, then rows
// of run codes) has its literal runs copied and its transparent and second-key runs left as the
// texture was filled; a raw picture (u16 width, height, depth, then width x height pixels) is
// copied row by row. Both are written at the texture's own pitch, never past its width and
// height, and never read past the picture's size.
#include <cstddef>
#include <cstdint>
#include <limits>

// The size of a picture held in memory, checked when it was loaded, whose byte count the caller
// does not have.
constexpr std::size_t picture_size_unknown = std::numeric_limits<std::size_t>::max();

struct PictureHeader {
  int width = 0, height = 0, bits = 0;
  bool rle = false;
  bool keyed = false;         // a run-length picture drawn with a colour key
  std::uint16_t key = 0;      // the key colour the texture gets
};

// Reads the header of a picture of the given size. False for a picture too short for its header
// or with a zero width or height.
bool read_picture_header(const std::uint8_t* picture, std::size_t size, bool rle, PictureHeader& out);

// Writes the picture's pixels into texels (width x height, pitch texels a row). False when the
// picture ends early or is malformed; what was decoded stays.
bool upload_picture(const std::uint8_t* picture, std::size_t size, bool rle, std::uint16_t* texels, int width,
                    int height, int pitch);

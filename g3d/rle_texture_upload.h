#pragma once
// Pictures into texture texels. A run-length picture (u16 0xFFFF, width, height, depth, then rows
// of run codes) has its literal runs copied and its transparent and second-key runs left as the
// texture was filled; a raw picture (u16 width, height, depth, then width x height pixels) is
// copied row by row. Both are written at the texture's own pitch, never past its width and
// height, and never read past the picture's size.
#include <cstddef>
#include <cstdint>

struct PictureHeader {
  int width = 0, height = 0, bits = 0;
  bool rle = false;
  bool keyed = false;         // a run-length picture drawn with a colour key
  std::uint16_t key = 0;      // the key colour the texture gets
};

// Reads the header of a picture of the given size (0: size unknown, only the header's own bytes
// are trusted). False for a picture too short for its header or with a zero size.
bool read_picture_header(const std::uint8_t* picture, std::size_t size, bool rle, PictureHeader& out);

// Writes the picture's pixels into texels (width x height, pitch texels a row). With size 0 the
// picture is walked without a bound of its own (pictures held in memory, checked on loading).
// False when the picture ends early or is malformed; what was decoded stays.
bool upload_picture(const std::uint8_t* picture, std::size_t size, bool rle, std::uint16_t* texels, int width,
                    int height, int pitch);

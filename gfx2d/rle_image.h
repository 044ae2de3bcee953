#pragma once
// RleImage, the run-length sprite picture. Little-endian, the same in files and in memory:
//   u16 magic 0xFFFF, u16 width, u16 height, u16 depth (bits 0-14: 16, or 8 for a paletted
//   picture; bit 15: the picture has a transparent run), then the rows, then a u16 0.
// A row: u16 header (bits 0-14: the row's length in bytes from this header to the next row's;
// bit 15: the row begins with a literal run), run codes, and a closing code 0. A run code's
// count is bits 0-13; bits 15,14 give its kind: 0,0 literal (n pixels follow: u16 each, or one
// palette byte each at depth 8), 1,1 transparent, 1,0 the second key colour, 0,1 never written
// (a run without data, drawn as transparent).
// Pictures are single blocks of the guarded heap (MemMgr_Alloc); the holder frees them.
#include <cstddef>
#include <cstdint>

struct RleImage;  // the first byte of a picture block
struct TswPic;

constexpr std::uint16_t rle_image_magic = 0xFFFF;
constexpr std::uint16_t rle_literal_run = 0x0000;
constexpr std::uint16_t rle_transparent_run = 0xC000;
constexpr std::uint16_t rle_key2_run = 0x8000;
// The widest picture whose row of literals still fits the 15-bit row length.
constexpr std::uint32_t rle_max_width = 16380;

// Encodes width x height RGB555 pixels (rows without padding); depth must be 16. Null, with a
// report, for sizes the format cannot hold (a width above rle_max_width, a height above 0xFFFF,
// a row longer than the 15-bit row length).
RleImage* encode_rle_image(const std::uint16_t* pixels, int* out_size, std::uint32_t width,
                           std::uint32_t height, int depth);

// Converts the literal pixels of a 16-bit picture of size bytes from RGB555 to the screen's
// layout, in place. Stores width, height and depth (each pointer may be null) once the magic
// is seen. 1 when converted; 0 for another magic, a depth other than 16 or a malformed picture
// (reported), which are left unchanged. A picture must be converted once only.
int convert_rle_image(RleImage* image, std::size_t size, std::uint16_t* width, std::uint16_t* height,
                      std::uint16_t* depth);

// Puts a sprite picture into the screen format: converts a 16-bit picture, or expands a paletted
// 8-bit one into a new 16-bit picture through its palette. Does nothing for a picture already
// converted or one that is malformed (reported).
void convert_tsw_picture(TswPic* picture);

inline std::uint16_t rle_load16(const void* p) {
  std::uint16_t v;
  __builtin_memcpy(&v, p, 2);
  return v;
}

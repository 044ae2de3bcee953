#pragma once
// The texture file cache as the device texture cache reads it: the picture of a texture number
// (type 1 raw, 2 run-length) and the calls that empty, open and close it.
#include <cstddef>
#include <cstdint>

struct TexturePicture {
  const std::uint8_t* data = nullptr;
  std::size_t size = 0;
  int type = 0;  // 1 raw, 2 run-length
};

// False when the texture number cannot be had.
bool texture_file_picture(std::uint32_t tex_no, TexturePicture& out);
void texture_file_cache_init();
void texture_file_cache_clear();
void texture_file_cache_close();
// Tests put pictures in place of texture files (null data removes the number).
void texture_file_set_test_picture(std::uint32_t tex_no, const TexturePicture* picture);

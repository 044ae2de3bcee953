#pragma once
// The sprite picture that the sprite cache hands out and the blitter draws.
#include <cstdint>

struct RleImage;  // a run-length picture: a heap block (MemMgr) read through its byte layout

struct TswPic {
  RleImage* image = nullptr;            // in the screen format once loaded
  const std::uint16_t* palette = nullptr;  // 256 RGB555 colours of an 8-bit image; null once loaded
  std::uint16_t width = 0;
  std::uint16_t height = 0;
  std::uint32_t size = 0;  // the image's byte size, counted against the cache budget
};

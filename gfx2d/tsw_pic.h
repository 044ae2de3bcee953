#pragma once
// TswPic, the picture record the sprite cache hands out.
#include <cstdint>

struct RleImage;

struct TswPic {
  RleImage* image = nullptr;        // in the screen format once loaded
  void* spare = nullptr;            // always null; freed with the picture
  std::uint16_t* palette = nullptr;  // 256 RGB555 colours of an 8-bit picture; null once loaded
  std::uint16_t width = 0, height = 0;
  std::uint32_t size = 0;           // the image's size in bytes
  // Set once the picture is in the screen format, so that it is never converted twice.
  bool converted = false;
};

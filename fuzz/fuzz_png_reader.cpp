// The PNG reader of the reference images on any bytes.
#include <cstdint>
#include <vector>

#include "platform/png_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::vector<std::uint16_t> pixels;
  int width = -1, height = -1;
  if (platform::decode_png_rgb565(data, size, pixels, width, height)) {
    if (width < 1 || height < 1 || width > platform::kPngMaxSide || height > platform::kPngMaxSide)
      __builtin_trap();
    if (pixels.size() != static_cast<std::size_t>(width) * height) __builtin_trap();
  } else if (!pixels.empty() || width != 0 || height != 0) {
    __builtin_trap();  // a refused file leaves nothing behind
  }
  return 0;
}

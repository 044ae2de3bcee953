// Texture pictures as the device texture cache decodes them into texels: the header reader and
// the decoder of run-length and raw pictures, with the texture sized from the header as the
// cache makes it and a second, smaller texture that the picture overruns.
#include <cstdint>
#include <vector>

#include "g3d/rle_texture_upload.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  for (bool rle : {true, false}) {
    PictureHeader h;
    if (!read_picture_header(data, size, rle, h)) continue;
    if (std::size_t(h.width) * std::size_t(h.height) > (1u << 22)) continue;
    std::vector<std::uint16_t> texels(std::size_t(h.width) * std::size_t(h.height) + 8);
    upload_picture(data, size, rle, texels.data(), h.width, h.height, h.width);
    std::vector<std::uint16_t> small(4 * 3);
    upload_picture(data, size, rle, small.data(), 3, 3, 4);
  }
  return 0;
}

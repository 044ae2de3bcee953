#include "platform/png_reader.h"

#include <png.h>

#include <fstream>
#include <iterator>

namespace platform {

bool decode_png_rgb565(const std::uint8_t* data, std::size_t size,
                       std::vector<std::uint16_t>& pixels, int& width, int& height) {
  pixels.clear();
  width = height = 0;
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (!data || !png_image_begin_read_from_memory(&image, data, size)) return false;
  if (image.width < 1 || image.height < 1 || image.width > kPngMaxSide ||
      image.height > kPngMaxSide) {
    png_image_free(&image);
    return false;
  }
  image.format = PNG_FORMAT_RGB;
  std::vector<png_byte> rgb(PNG_IMAGE_SIZE(image));
  if (!png_image_finish_read(&image, nullptr, rgb.data(), 0, nullptr)) {
    png_image_free(&image);
    return false;
  }
  width = static_cast<int>(image.width);
  height = static_cast<int>(image.height);
  pixels.resize(static_cast<std::size_t>(width) * height);
  for (std::size_t i = 0; i < pixels.size(); ++i) {
    const png_byte* p = &rgb[i * 3];
    pixels[i] = static_cast<std::uint16_t>((p[0] >> 3) << 11 | (p[1] >> 2) << 5 | p[2] >> 3);
  }
  return true;
}

bool read_png_rgb565(const std::string& host_path, std::vector<std::uint16_t>& pixels, int& width,
                     int& height) {
  std::ifstream in(host_path, std::ios::binary);
  std::vector<std::uint8_t> bytes;
  if (in) bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return decode_png_rgb565(bytes.data(), bytes.size(), pixels, width, height);
}

}  // namespace platform

// Reference images through libpng.
#include "tests/platform/raster/reference_image.h"

#include <png.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace test_support {
namespace {

std::vector<std::uint8_t> to_rgb(const Frame565& f) {
  std::vector<std::uint8_t> rgb(std::size_t(f.width) * f.height * 3);
  for (std::size_t i = 0; i < f.pixels.size(); ++i) {
    const std::uint16_t p = f.pixels[i];
    const int r = p >> 11, g = (p >> 5) & 63, b = p & 31;
    rgb[i * 3] = std::uint8_t((r << 3) | (r >> 2));
    rgb[i * 3 + 1] = std::uint8_t((g << 2) | (g >> 4));
    rgb[i * 3 + 2] = std::uint8_t((b << 3) | (b >> 2));
  }
  return rgb;
}

bool write_rgb(const std::string& path, int width, int height, const std::vector<std::uint8_t>& rgb) {
  FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return false;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  bool ok = false;
  if (png && info && !setjmp(png_jmpbuf(png))) {
    png_init_io(png, file);
    png_set_IHDR(png, info, png_uint_32(width), png_uint_32(height), 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int y = 0; y < height; ++y)
      png_write_row(png, const_cast<png_bytep>(rgb.data() + std::size_t(y) * width * 3));
    png_write_end(png, nullptr);
    ok = true;
  }
  png_destroy_write_struct(&png, &info);
  return std::fclose(file) == 0 && ok;
}

std::string reference_path(const std::string& name) {
  return std::string(QORV_SOURCE_DIR) + "/tests/g3d/reference/" + name + ".png";
}

}  // namespace

bool write_png(const std::string& path, const Frame565& frame) {
  return write_rgb(path, frame.width, frame.height, to_rgb(frame));
}

bool read_png(const std::string& path, int& width, int& height, std::vector<std::uint8_t>& rgb) {
  png_image image;
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&image, path.c_str())) return false;
  image.format = PNG_FORMAT_RGB;
  rgb.assign(PNG_IMAGE_SIZE(image), 0);
  if (!png_image_finish_read(&image, nullptr, rgb.data(), 0, nullptr)) {
    png_image_free(&image);
    return false;
  }
  width = int(image.width);
  height = int(image.height);
  return true;
}

std::string compare_with_reference(const std::string& name, const Frame565& frame) {
  const std::string ref = reference_path(name);
  const char* update = std::getenv("QORV_UPDATE_REFERENCE");
  if (update && std::strcmp(update, "1") == 0) {
    if (!write_png(ref, frame)) return "cannot write reference " + ref;
    return {};
  }
  const std::vector<std::uint8_t> actual = to_rgb(frame);
  int w = 0, h = 0;
  std::vector<std::uint8_t> expected;
  std::string failure;
  int differing = 0;
  std::vector<std::uint8_t> diff(actual.size(), 0);
  if (!read_png(ref, w, h, expected)) {
    failure = "no readable reference " + ref + " (QORV_UPDATE_REFERENCE=1 writes it)";
  } else if (w != frame.width || h != frame.height) {
    failure = "reference " + ref + " has another size";
  } else {
    for (std::size_t i = 0; i < actual.size(); i += 3) {
      const bool same = std::memcmp(&actual[i], &expected[i], 3) == 0;
      if (!same) ++differing;
      diff[i] = same ? std::uint8_t(actual[i] / 4) : 255;
      diff[i + 1] = same ? std::uint8_t(actual[i + 1] / 4) : 0;
      diff[i + 2] = same ? std::uint8_t(actual[i + 2] / 4) : 0;
    }
    if (differing == 0) return {};
    failure = std::to_string(differing) + " pixels differ from " + ref;
  }
  const std::string actual_path = name + ".actual.png", diff_path = name + ".diff.png";
  write_rgb(actual_path, frame.width, frame.height, actual);
  if (differing > 0) write_rgb(diff_path, frame.width, frame.height, diff);
  return failure + "; wrote " + actual_path + (differing > 0 ? " and " + diff_path : std::string());
}

}  // namespace test_support

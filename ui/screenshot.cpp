// Screenshots.
#include "ui/screenshot.h"

#include <cstring>

#include "core/byte_reader.h"
#include "gfx2d/pixel_format.h"
#include "platform/files.h"

std::vector<std::uint8_t> bmp_file_image(const std::uint16_t* pixels, int pitch, int width, int height) {
  if (!pixels || width <= 0 || height <= 0 || width > bmp_max_side || height > bmp_max_side ||
      std::int64_t(width) * 2 > pitch)
    return {};
  const std::size_t row_size = std::size_t(bmp_row_size(width));
  std::vector<std::uint8_t> file(bmp_header_size + row_size * std::size_t(height), 0);
  std::uint8_t* h = file.data();
  h[0] = 'B';
  h[1] = 'M';
  put_u32le(h + 2, std::uint32_t(file.size()));
  put_u32le(h + 10, bmp_header_size);
  put_u32le(h + 14, 40);
  put_u32le(h + 18, std::uint32_t(width));
  put_u32le(h + 22, std::uint32_t(height));  // positive: rows stored bottom-up
  put_u16le(h + 26, 1);
  put_u16le(h + 28, 24);
  std::vector<std::uint16_t> row(static_cast<std::size_t>(width));
  const auto* base = reinterpret_cast<const std::uint8_t*>(pixels);
  for (int y = 0; y < height; ++y) {
    std::memcpy(row.data(), base + std::size_t(height - 1 - y) * std::size_t(pitch), row.size() * 2);
    screen_to_rgb555(row.data(), width);
    std::uint8_t* out = h + bmp_header_size + std::size_t(y) * row_size;
    for (std::uint16_t p : row) {
      *out++ = std::uint8_t((p & 0x1F) << 3);
      *out++ = std::uint8_t(((p >> 5) & 0x1F) << 3);
      *out++ = std::uint8_t(((p >> 10) & 0x1F) << 3);
    }
  }
  return file;
}

int write_bmp(const std::uint16_t* pixels, int pitch, int width, int height, const char* file_name) {
  std::vector<std::uint8_t> file = bmp_file_image(pixels, pitch, width, height);
  if (file.empty() || !file_name) return 0;
  return platform::write_file_atomic(file_name, file.data(), file.size()) ? 1 : 0;
}

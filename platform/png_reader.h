#pragma once
// PNG files read back as RGB565 frames: the reference images that tests compare their frames
// with (written by write_png_rgb565).
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace platform {

// The largest picture accepted, in pixels per side.
constexpr int kPngMaxSide = 4096;

// Decodes a PNG held in memory into width x height RGB565 pixels (top row first, 8-bit channels
// reduced to 5-6-5 bits). False, with pixels emptied, for anything that is not a readable PNG
// or is larger than kPngMaxSide on a side.
bool decode_png_rgb565(const std::uint8_t* data, std::size_t size,
                       std::vector<std::uint16_t>& pixels, int& width, int& height);
// The same for a file at a host path.
bool read_png_rgb565(const std::string& host_path, std::vector<std::uint16_t>& pixels, int& width,
                     int& height);

}  // namespace platform

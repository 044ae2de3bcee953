#pragma once
// PNG files of RGB565 frames (screen shots of the headless backend, reference images of tests).
#include <cstdint>
#include <string>

namespace platform {

// Writes width x height RGB565 pixels (top row first, pitch in pixels) as an 8-bit RGB PNG at a
// host path: a temporary file in the same folder, renamed over the target after a complete
// write. False on any failure, the old file then untouched.
bool write_png_rgb565(const std::string& host_path, const std::uint16_t* pixels, int width, int height,
                      int pitch_pixels);

}  // namespace platform

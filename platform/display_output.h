#pragma once
// Inside the platform layer: where a shown frame goes. The software display keeps its surfaces
// in memory and hands each frame shown on the primary surface to the backend's output.
#include "platform/display.h"

#include <cstdint>

namespace platform {

class DisplayOutput {
 public:
  virtual ~DisplayOutput() = default;
  // A frame of 16-bit pixels in the given layout; pitch in bytes.
  virtual void show(Window* window, const std::uint16_t* pixels, int pitch, int width, int height,
                    const PixelMasks& masks) = 0;
  virtual void confine_cursor(Window* window, const Rect* rect) = 0;
  virtual void desktop_size(int& width, int& height) = 0;
};

// The output of the backend picked at start.
DisplayOutput& display_output();
DisplayOutput& sdl_display_output();
DisplayOutput& headless_display_output();

// Copies a frame of any 16-bit layout into RGB565, top row first.
void frame_to_rgb565(const std::uint16_t* pixels, int pitch, int width, int height,
                     const PixelMasks& masks, std::uint16_t* out);

}  // namespace platform

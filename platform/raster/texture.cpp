// RGB565 textures.
#include "platform/raster/raster.h"

namespace platform::raster {

std::unique_ptr<Texture> Texture::create(int width, int height) {
  if (width <= 0 || height <= 0 || width > (1 << 24) || height > (1 << 24) ||
      std::int64_t(width) * height > (std::int64_t(1) << 24))
    return nullptr;
  return std::unique_ptr<Texture>(new Texture(width, height));
}

Texture::Texture(int width, int height)
    : width_(width),
      height_(height),
      pow2_((width & (width - 1)) == 0 && (height & (height - 1)) == 0),
      // One texel more than the texture holds: wide loops read texels two at a time, and the
      // last texel's pair reads the padding (and never uses it).
      texels_(std::size_t(width) * std::size_t(height) + 1, 0) {}

Texture::~Texture() { finish_all_devices(); }

std::uint16_t* Texture::texels() {
  finish_all_devices();
  return texels_.data();
}

}  // namespace platform::raster

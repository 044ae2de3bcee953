#include "gfx2d/picture_check.h"

#include "gfx2d/rle_validator.h"

bool picture_is_sound(const std::uint8_t* bytes, std::size_t size, PictureDepth allowed) {
  RleInfo info;
  if (validate_rle_image(bytes, size, &info) != RleCheck::Ok) return false;
  return info.depth == 16 || (info.depth == 8 && allowed == PictureDepth::Rgb16OrPaletted8);
}

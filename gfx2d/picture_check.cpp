#include "gfx2d/picture_check.h"

#include "gfx2d/pending_display.h"

bool picture_is_sound(const std::uint8_t* bytes, std::size_t size, PictureDepth allowed) {
  int depth = 0;
  if (!pending_rle_image_is_valid(bytes, size, &depth)) return false;
  return depth == 16 || (depth == 8 && allowed == PictureDepth::Rgb16OrPaletted8);
}

// Slot thumbnails on arbitrary bytes: the check and the conversion to the screen format.
#include <cstddef>
#include <cstdint>

#include "ui/saves/save_thumbnail.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (RleImage* picture = convert_thumbnail({data, size})) free_thumbnail(picture, thumbnail_key_first);
  return 0;
}

// Unpacked save images on arbitrary bytes: the parser and the summary reader.
#include <cstddef>
#include <cstdint>

#include "ui/saves/save_image.h"
#include "ui/saves/save_summary.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  SaveImage image;
  if (parse_save_image({data, size}, image) == SaveParse::Ok) write_save_image(image);
  SaveSummary summary;
  save_summary_from_image({data, size}, &summary);
  return 0;
}

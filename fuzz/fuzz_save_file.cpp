// Slot files on arbitrary bytes: unpacked, parsed and summarised as the load and the slot lists do.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "ui/saves/save_file.h"
#include "ui/saves/save_summary.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::vector<std::uint8_t> image;
  if (unpack_save_file({data, size}, image) != SaveUnpack::Ok) return 0;
  SaveSummary summary;
  save_summary_from_image(image, &summary);
  SaveImage parsed;
  parse_save_image(image, parsed);
  return 0;
}

// Slot files on arbitrary bytes: unpacked, parsed and summarised as the load and the slot lists do;
// a parsed image's escort and magic blocks decoded into their records as the load applies them.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "data/magic_study.h"
#include "data/party.h"
#include "ui/saves/save_file.h"
#include "ui/saves/save_summary.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::vector<std::uint8_t> image;
  if (unpack_save_file({data, size}, image) != SaveUnpack::Ok) return 0;
  SaveSummary summary;
  save_summary_from_image(image, &summary);
  SaveImage parsed;
  if (parse_save_image(image, parsed) != SaveParse::Ok) return 0;
  for (const ItemDataImage& e : parsed.escort) {
    ItemData escort{};
    item_data_from_image(e, escort);
  }
  MagicStudy study{};
  magic_study_from_image(parsed.study, study);
  for (const MagicStudyImage& m : parsed.studies) magic_study_from_image(m, study);
  if (parsed.party_magic.size() == party_magic_image_size)
    party_magic_from_image(std::span<const std::uint8_t, party_magic_image_size>(parsed.party_magic.data(),
                                                                                 party_magic_image_size));
  return 0;
}

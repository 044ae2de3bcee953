// Slot summaries.
#include "ui/saves/save_summary.h"

#include <cstring>
#include <vector>

#include "core/byte_reader.h"
#include "core/flags.h"
#include "core/game_flags.h"
#include "data/data_file.h"
#include "ui/saves/save_file.h"
#include "ui/saves/save_header.h"
#include "ui/saves/save_image.h"
#include "ui/saves/save_thumbnail.h"

int save_summary_from_image(std::span<const std::uint8_t> image, SaveSummary* summary) {
  SaveHeader h;
  if (!summary || !parse_save_header(image, h)) return 0;
  const std::size_t name_length = strnlen(h.map_name, sizeof h.map_name);
  copy_text_cut(reinterpret_cast<const std::uint8_t*>(h.map_name), name_length, summary->map_name,
                sizeof summary->map_name);
  summary->play_time = int(h.play_time);
  std::memcpy(summary->time, h.time, sizeof summary->time);
  summary->money = h.resources[0];
  summary->wood = h.resources[1];
  summary->metal = h.resources[2];
  summary->coal = h.resources[3];
  for (int i = 0; i < save_party_size; ++i) {
    summary->members[i] = int(h.party_members[i]);
    summary->levels[i] = int(h.party_levels[i]);
  }
  return save_version_allowed(h.version) ? 1 : 0;
}

int read_save_summary(const char* file_name, SaveSummary* summary) {
  std::vector<std::uint8_t> image;
  if (!chang_lzo2save(file_name, image)) return 0;
  return save_summary_from_image(image, summary);
}

int load_save_thumbnail(const char* file_name, RleImage** out) {
  if (out) *out = nullptr;
  std::vector<std::uint8_t> image;
  if (!chang_lzo2save(file_name, image)) return 0;
  ByteReader r(image);
  r.seek(save_header_size);
  const std::uint32_t n = r.u32();
  const std::uint8_t* picture = r.bytes(n);
  if (out && picture && n) *out = convert_thumbnail({picture, n});
  return 1;
}

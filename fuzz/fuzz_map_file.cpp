// Map files on arbitrary bytes: the checked image, then load_map on the same bytes as a file of
// the game directory (no caches open, so no world loads: its failure path runs too), the notes
// it keeps tested against a role, and the release.
#include <cstddef>
#include <cstdint>
#include <fstream>

#include "data/map_role.h"
#include "field/map_file.h"
#include "field/map_file_image.h"
#include "field/map_notes.h"
#include "fuzz/data_fuzz.h"
#include "g3d/effects/effect_list.h"
#include "script/talk_queue.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  DataFuzzInput input;
  MapFileImage image;
  if (parse_map_file(std::span<const std::uint8_t>(data, size), image)) check_text_field(image.name);

  std::filesystem::create_directories("MAP");
  {
    std::ofstream out("MAP/WLD00101.MAP", std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), std::streamsize(size));
  }
  load_map(&map_record, 101);
  check_text_field(map_record.name);
  MapRole role;
  role.anim.box = {{-50, 0, -50, 0}, {50, 100, 50, 0}};
  for (const MapNote* n = map_record.notes; n; n = n->next) {
    role.X = n->x, role.Y = n->y, role.Z = n->z;
    check_map_notes(&role);
    rearm_map_note(std::uint16_t(n->event));
  }
  free_map(&map_record);
  del_all_effect_list();
  for (MapRole& ev : TalkEventQueue) ev = MapRole{};
  return 0;
}

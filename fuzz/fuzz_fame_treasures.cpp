// The save file's treasure block on arbitrary bytes: the records rebuilt from their images,
// then fed growth points, experience and events by the rest of the input, and settled.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "battle/fame.h"
#include "core/byte_reader.h"
#include "core/flags.h"
#include "data/object_db.h"
#include "data/party.h"
#include "fuzz/data_fuzz.h"
#include "tests/fixtures/fame_kit.h"
#include "ui/talk_msg.h"

namespace {
// Objects 1-8: treasures of codes 53-60; 9: one without a level scale.
void install_treasures() {
  static const bool installed = [] {
    std::vector<fixtures::ObjectRecord> objects;
    for (std::uint16_t code = 53; code <= 60; ++code) objects.push_back(kit::treasure_object(code));
    objects.push_back(kit::treasure_object(55, 5));
    const fixtures::Bytes file = fixtures::objdata_gll(objects);
    return install_item_data(file);
  }();
  (void)installed;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  DataFuzzInput input;
  install_treasures();
  ByteReader r(data, size);
  std::vector<FameImage> images;
  // The block: whole images until the end mark, as the save reader takes them.
  while (r.remaining() >= 2 && r.u16_at(r.pos()) != 0xFFFF && r.remaining() >= fame_node_image_size) {
    FameImage image;
    r.copy_at(r.pos(), image.data(), image.size());
    r.skip(image.size());
    images.push_back(image);
  }
  r.skip(2);
  fame_load_treasures(images);
  for (int c = 0; c < party_member_count; ++c) {
    set_flag(party_member_flags[c]);
    gmRoleData[c].equip[4] = std::uint16_t(1 + r.u8() % 9);
    gmRoleData[c].equip[5] = std::uint16_t(1 + r.u8() % 9);
    gmRoleData[c].stats[stat_level] = r.u8();
  }
  while (r.remaining() >= 6) {
    const std::uint16_t what = r.u16(), a = r.u16(), b = r.u16();
    if (what & 1) treasure_event(std::uint16_t(what >> 1), a, b);
    else fame_add(std::uint16_t(1 + (what >> 1) % 10), a, b, fame_type_treasure);
  }
  treasure_apply();
  for (std::uint16_t n = 0; const FameNode* node = fame_find_nth(fame_type_treasure, n); ++n)
    if (node->level < 1 || node->level > 10) __builtin_trap();
  free_fame();
  del_all_talkmsg();
  return 0;
}

#include "data/party.h"

#include <algorithm>

#include "core/flags.h"
#include "core/game_flags.h"
#include "data/item_list.h"
#include "data/magic_study.h"

RoleData gmRoleData[party_record_count];
ItemNode party_bag;
int party_bag_count = 0;
std::int32_t party_money = 0;
ItemNode party_magic[party_magic_records];

void party_magic_to_image(std::span<std::uint8_t, party_magic_image_size> out) {
  std::fill(out.begin(), out.end(), std::uint8_t{0});
  record_image::write_value(party_magic, out, 0);
}

void party_magic_from_image(std::span<const std::uint8_t, party_magic_image_size> in) {
  record_image::read_value(ByteReader(in), 0, party_magic);
  for (ItemNode& record : party_magic) record.next = nullptr;
}

int present_party_members(int out[party_member_count]) {
  int n = 0;
  for (int slot = 0; slot < party_member_count; ++slot)
    if (test_flag(party_member_flags[slot])) out[n++] = slot;
  return n;
}

int has_party_item(std::uint16_t object, std::uint16_t n) {
  if (get_item_num(&party_bag, object) >= n) return 1;
  if (n != 1) return 0;
  for (int m = 0; m < 3; ++m)
    for (std::uint16_t slot : gmRoleData[m].equip)
      if (slot == object) return 1;
  return 0;
}

void free_party_items() {
  free_item_list(&party_bag);
  party_bag_count = 0;
  for (RoleData& role : gmRoleData) free_item_list(&role.arts);
  free_magic_study();
}

#include "data/maps_init.h"

#include "core/log.h"
#include "data/equip_bonus.h"
#include "data/item_list.h"
#include "data/maps_db.h"
#include "data/party.h"

namespace {
// read_maps_init(...) 指令不合法
constexpr const char* bad_command_message = "read_maps_init(...) \xAB\xFC\xA5O\xA4\xA3\xA6X\xAAk";

// Calls f(object) for each word of a 0xFFFF-ended list at p; returns the position after the end.
template <class F>
std::size_t each_object(const ByteReader& t, std::size_t p, F&& f) {
  for (; t.has(p, 2) && t.u16_at(p) != end_mark; p += 2) f(t.u16_at(p));
  return p + 2;
}
}  // namespace

void read_maps_init() {
  ByteReader t = maps_table(maps_start_list);
  std::size_t p = 0;
  while (t.has(p, 2) && t.u16_at(p) != end_mark) {
    const std::uint16_t command = t.u16_at(p);
    p += 2;
    switch (command) {
      case 0: case 6: case 10:
        break;
      case 1:
        party_money = t.i16_at(p);
        p += 2;
        break;
      case 2:
        p = each_object(t, p, [](std::uint16_t object) { add_item(&party_bag, object, 1, 1); });
        sort_item_list(&party_bag);
        break;
      case 3: case 4: case 5: {
        RoleData& role = gmRoleData[command - 3];
        int slot = 0;
        // More than eight objects do not fit the equipment words: the extras are ignored.
        p = each_object(t, p, [&](std::uint16_t object) {
          if (slot < 8) role.equip[slot++] = object;
        });
        add_equip_bonus(&role, -1);
        break;
      }
      case 7: case 8: case 9: {
        ItemNode* arts = &gmRoleData[command - 7].arts;
        p = each_object(t, p, [&](std::uint16_t object) { add_item(arts, object, 1, 1); });
        sort_item_list(arts);
        break;
      }
      default:
        report_error("%s", bad_command_message);
        break;
    }
  }
}

#include "data/equip_bonus.h"

#include <algorithm>

#include "battle/fame.h"
#include "data/object_db.h"
#include "data/party.h"
#include "data/saturate.h"

namespace {
constexpr std::uint16_t fame_treasure = 1;
constexpr std::uint16_t max_treasure_level = 10;

std::int8_t add_clamped(std::int8_t a, std::uint8_t b, int sign) {
  int v = a + sign * static_cast<std::int8_t>(b);
  return static_cast<std::int8_t>(std::clamp(v, 0, 127));
}

// Applies one slot's object with sign +1 or -1; false when the object cannot be read.
bool apply_slot(RoleData* role, int slot, int sign) {
  ItemData item;
  std::uint16_t object = role->equip[slot];
  if (!read_Item(object, &item)) return false;
  auto add16 = [sign](std::uint16_t& field, std::uint16_t bonus) {
    field = static_cast<std::uint16_t>(field + sign * bonus);
  };
  add16(role->stats[stat_attack], item.attack);
  add16(role->stats[stat_defence], item.defence);
  add16(role->stats[stat_speed], item.speed);
  add16(role->stats[stat_magic_attack], item.magic_attack);
  add16(role->stats[stat_magic_defence], item.magic_defence);
  role->equip_byte_a = add_clamped(role->equip_byte_a, item.byte_242, sign);
  role->equip_byte_b = add_clamped(role->equip_byte_b, item.bytes_251[0], sign);
  if (slot == 0 && sign > 0) role->stats[stat_weapon_attack] = item.attack;
  if (slot >= 4) add_treasure_bonus(role, object, sign > 0 ? 1 : 0);
  return true;
}

void apply_slots(RoleData* role, int slot, int sign) {
  if (slot >= 0 && slot < equip_slot_count) {
    if (role->equip[slot] != 0) apply_slot(role, slot, sign);
    return;
  }
  if (slot != -1) return;
  for (int k = 0; k < equip_slot_count; ++k)
    if (role->equip[k] != 0 && !apply_slot(role, k, sign)) return;
}
}  // namespace

void add_equip_bonus(RoleData* role, int slot) { apply_slots(role, slot, +1); }
void del_equip_bonus(RoleData* role, int slot) { apply_slots(role, slot, -1); }

void add_treasure_bonus(RoleData* role, std::uint16_t object, int add) {
  const FameNode* entry = fame_find(object, fame_treasure);
  if (!entry) return;
  const int sign = add == 1 ? 1 : -1;
  const std::int16_t* g = entry->bonus;
  role->max_hp = saturate_i32(static_cast<double>(role->max_hp) + sign * g[0]);
  role->max_mp = static_cast<std::int16_t>(role->max_mp + sign * g[1]);
  role->max_sp = static_cast<std::int16_t>(role->max_sp + sign * g[2]);
  role->stats[stat_attack] = static_cast<std::uint16_t>(role->stats[stat_attack] + sign * g[3]);
  role->stats[stat_defence] = static_cast<std::uint16_t>(role->stats[stat_defence] + sign * g[4]);
  role->stats[stat_magic_attack] = static_cast<std::uint16_t>(role->stats[stat_magic_attack] + sign * g[5]);
  role->stats[stat_magic_defence] = static_cast<std::uint16_t>(role->stats[stat_magic_defence] + sign * g[6]);
  role->stats[stat_speed] = static_cast<std::uint16_t>(role->stats[stat_speed] + sign * g[7]);
}

void raise_treasure_levels(std::uint16_t n) {
  for (int m = 0; m < 3; ++m) {
    for (int slot = 4; slot <= 5; ++slot) {
      std::uint16_t object = gmRoleData[m].equip[slot];
      // An empty slot (or a treasure that cannot be registered) is passed over; the member's
      // other slot still counts.
      if (object == 0) continue;
      FameNode* entry = fame_find(object, fame_treasure);
      if (!entry && fame_add(object, 0, 0, fame_treasure)) entry = fame_find(object, fame_treasure);
      if (!entry) continue;
      int level = entry->level + n;
      if (level >= max_treasure_level) {
        entry->level = max_treasure_level;
        entry->exp = 0;
        entry->maxed = 1;
      } else {
        entry->level = static_cast<std::uint16_t>(level);
      }
    }
  }
}

// The rules of using an item on a party member.
#include "ui/menu/item_recovery.h"

#include <algorithm>
#include <cstdint>
#include <limits>

#include "data/item_list.h"
#include "data/level_tables.h"
#include "data/party.h"
#include "data/role_data.h"

namespace {

template <typename T>
void add_clamped(T& field, int amount) {
  const long long v = static_cast<long long>(field) + amount;
  field = static_cast<T>(std::clamp<long long>(v, std::numeric_limits<T>::min(), std::numeric_limits<T>::max()));
}

// HP, MP or SP raised by the amount, never past the maximum.
template <typename T>
bool restore(T& value, T maximum, int amount) {
  const long long v = std::min<long long>(static_cast<long long>(value) + amount, maximum);
  value = static_cast<T>(std::clamp<long long>(v, std::numeric_limits<T>::min(), std::numeric_limits<T>::max()));
  return true;
}

}  // namespace

int item_is_usable(const ItemData& d) {
  const std::uint8_t context = item_use_context(d);
  return (d.kind == object_type_consumable && context == 1) || context == 0 ? 1 : 0;
}

int raise_member_level(int slot) {
  if (slot < 0 || slot >= 3) return 0;
  RoleData& r = gmRoleData[slot];
  if (r.stats[stat_level] >= max_member_level) return 0;
  r.stats[stat_level] = std::uint16_t(r.stats[stat_level] + 1);
  r.exp = r.next_exp;
  std::uint16_t art = 0;
  apply_level_up(slot, r.stats[stat_level], &r, &art);
  r.flags &= ~std::int32_t(member_knocked_out);
  if (art != 0) {
    add_item(&r.arts, art, 1, 1);
    sort_item_list(&r.arts);
  }
  return 1;
}

int apply_recovery(RoleData& r, const ItemData& item) {
  const int hp = std::int16_t(item.hp_amount), mp = std::int16_t(item.mp_amount), sp = std::int16_t(item.sp_amount);
  bool effect = (hp > 0 && r.hp < r.max_hp) || (mp > 0 && r.mp < r.max_mp) || (sp > 0 && r.sp < r.max_sp);
  if (item_revives(item) && (r.flags & member_knocked_out)) {
    r.flags &= ~std::int32_t(member_knocked_out);
    effect = true;
  }
  if (!effect || (r.flags & member_knocked_out)) return 0;
  restore(r.hp, r.max_hp, hp);
  restore(r.mp, r.max_mp, mp);
  restore(r.sp, r.max_sp, sp);
  return 1;
}

void apply_permanent_boost(RoleData& r, const ItemData& item) {
  const int hp = std::int16_t(item.hp_amount), mp = std::int16_t(item.mp_amount), sp = std::int16_t(item.sp_amount);
  add_clamped(r.hp_bonus, hp);
  add_clamped(r.max_hp, hp);
  add_clamped(r.hp, hp);
  add_clamped(r.mp_bonus, mp);
  add_clamped(r.max_mp, mp);
  add_clamped(r.mp, mp);
  add_clamped(r.sp_bonus, sp);
  add_clamped(r.max_sp, sp);
  add_clamped(r.sp, sp);
  const int attack = std::int16_t(item.attack), defence = std::int16_t(item.defence);
  const int magic_attack = std::int16_t(item.magic_attack), magic_defence = std::int16_t(item.magic_defence);
  add_clamped(r.attack_bonus, attack);
  add_clamped(r.stats[stat_attack], attack);
  add_clamped(r.defence_bonus, defence);
  add_clamped(r.stats[stat_defence], defence);
  add_clamped(r.magic_attack_bonus, magic_attack);
  add_clamped(r.stats[stat_magic_attack], magic_attack);
  add_clamped(r.magic_defence_bonus, magic_defence);
  add_clamped(r.stats[stat_magic_defence], magic_defence);
}

int apply_item_to_member(int slot, const ItemData* item) {
  if (!item || slot < 0 || slot >= 3) return 0;
  if (item->object_id == object_level_up_item) return raise_member_level(slot);
  if (item_is_permanent_boost(*item)) {
    apply_permanent_boost(gmRoleData[slot], *item);
    return 1;
  }
  return apply_recovery(gmRoleData[slot], *item);
}

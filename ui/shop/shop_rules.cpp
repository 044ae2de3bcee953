// The shop's rules.
#include "ui/shop/shop_rules.h"

#include <cstdint>
#include <new>

#include "battle/fame.h"
#include "core/log.h"
#include "data/item_list.h"
#include "data/object_db.h"
#include "data/party.h"
#include "data/saturate.h"
#include "ui/menu/menu_equip.h"

ShopState shop;

namespace {

constexpr int counted_equip_slots = 6;  // the weapon, the armour, two accessories, two treasures

// 無法配制 lpProp->next 記憶體
constexpr const char* no_memory_text = "\xB5L\xAAk\xB0t\xA8\xEE lpProp->next \xB0O\xBE\xD0\xC5\xE9";

std::uint16_t tab_kind(const ShopState& s) { return shop_tab_kinds[s.tab & (shop_tab_count - 1)]; }

const ItemNode* bag_node(std::uint16_t object) {
  return object ? find_item(&party_bag, object) : nullptr;
}

}  // namespace

int shop_can_equip(const ItemData& item, int slot) {
  if (slot < 0 || slot >= party_member_count) return 0;
  return (piece_class_mask(item) & member_class_bits[slot]) ? 1 : 0;
}

int count_equipped(std::uint16_t object) {
  int members[party_member_count];
  const int n = present_party_members(members);
  int count = 0;
  for (int i = 0; i < n; ++i)
    for (int k = 0; k < counted_equip_slots; ++k)
      if (gmRoleData[members[i]].equip[k] == object) ++count;
  return count;
}

void add_shop_goods(ShopState& s) {
  s.goods_list.clear();
  for (std::uint16_t object : s.goods) {
    ItemData item{};
    if (!read_Item(object, &item)) continue;
    try {
      s.goods_list.push_back(item);
    } catch (const std::bad_alloc&) {
      report_error("%s", no_memory_text);
    }
  }
}

int shop_count_rows(ShopState& s) {
  const std::uint16_t kind = tab_kind(s);
  int rows = 0;
  if (s.selling) {
    for (const ItemNode* n = party_bag.next; n && rows < shop_row_cap; n = n->next)
      if (n->item.kind == kind) s.row_object[std::size_t(rows++)] = n->object;
    return rows;
  }
  for (const ItemData& item : s.goods_list)
    if (item.kind == kind && rows < shop_row_cap) ++rows;
  return rows;
}

const ItemData* shop_row_item(const ShopState& s, int row) {
  if (row < 0 || row >= shop_row_cap || row >= s.list.item_count) return nullptr;
  if (s.selling) {
    const ItemNode* n = bag_node(s.row_object[std::size_t(row)]);
    return n ? &n->item : nullptr;
  }
  const std::uint16_t kind = tab_kind(s);
  int seen = 0;
  for (const ItemData& item : s.goods_list)
    if (item.kind == kind && seen++ == row) return &item;
  return nullptr;
}

int shop_row_held(const ShopState& s, int row) {
  const ItemData* item = shop_row_item(s, row);
  return item ? get_item_num(&party_bag, item->object_id) : 0;
}

int shop_unit_price(std::int32_t price, bool selling) { return selling ? price / 2 : price; }

int shop_sum_total(const ShopState& s) {
  long long total = 0;
  for (int row = 0; row < s.list.item_count && row < shop_row_cap; ++row) {
    const int q = s.quantity[std::size_t(row)];
    if (q == 0) continue;
    if (const ItemData* item = shop_row_item(s, row)) total += (long long)q * shop_unit_price(item->price, s.selling);
  }
  return total > INT32_MAX ? INT32_MAX : total < INT32_MIN ? INT32_MIN : int(total);
}

long long shop_balance(const ShopState& s) {
  return s.selling ? (long long)party_money + s.total : (long long)party_money - s.total;
}

ShopChange shop_change_quantity(ShopState& s, int row, int direction) {
  const ItemData* item = shop_row_item(s, row);
  if (!item) return ShopChange::unchanged;
  std::uint16_t& q = s.quantity[std::size_t(row)];
  const std::uint16_t before = q;
  if (direction < 0) {
    if (q > 0) --q;
  } else if (!s.selling) {
    if (party_money < (long long)s.total + item->price) return ShopChange::no_money;
    ++q;
    if (q + shop_row_held(s, row) > shop_max_owned) --q;
  } else if (q < shop_row_held(s, row)) {
    ++q;
  }
  s.total = shop_sum_total(s);
  return q == before ? ShopChange::unchanged : ShopChange::changed;
}

void shop_clear_quantities(ShopState& s) {
  s.quantity.fill(0);
  s.total = 0;
}

int shop_treasure_amount(int total) { return total & 0xFFFF; }

namespace {

ShopDeal buy(ShopState& s) {
  if (s.total <= 0) {
    s.step = shop_step_quantity;
    return ShopDeal::nothing_to_buy;
  }
  for (int row = 0; row < s.list.item_count && row < shop_row_cap; ++row) {
    const std::uint16_t q = s.quantity[std::size_t(row)];
    const ItemData* item = q ? shop_row_item(s, row) : nullptr;
    if (item) add_item(&party_bag, item->object_id, q, 1);
  }
  treasure_event(shop_treasure_event, shop_treasure_amount(s.total), 0);
  party_money -= s.total;
  if (tab_kind(s) == shop_kind_consumable) return ShopDeal::bought;
  s.equip_now = 1;
  s.step = shop_step_equip_now;
  return ShopDeal::bought_ask_equip;
}

ShopDeal sell(ShopState& s) {
  // The rows name their objects, so taking pieces cannot shift a later row onto another object.
  set_item_move_front(0);
  for (int row = 0; row < s.list.item_count && row < shop_row_cap; ++row) {
    const std::uint16_t q = s.quantity[std::size_t(row)];
    if (q) del_item(&party_bag, s.row_object[std::size_t(row)], q);
  }
  set_item_move_front(1);
  s.list.item_count = shop_count_rows(s);
  party_money = saturate_i32(double(party_money) + s.total);
  s.list.cursor_row = s.list.top_item = 0;
  s.step = shop_step_quantity;
  return s.total > 0 ? ShopDeal::sold : ShopDeal::sold_nothing;
}

}  // namespace

ShopDeal shop_confirm(ShopState& s) {
  const ShopDeal deal = s.selling ? sell(s) : buy(s);
  shop_clear_quantities(s);
  return deal;
}

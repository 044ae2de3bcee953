// House costs, refunds and limits.
#include "base/house_costs.h"

#include <cstdio>
#include <cstring>

#include "base/house_kinds.h"
#include "base/houses.h"
#include "base/resources.h"
#include "data/item_data.h"
#include "data/object_db.h"
#include "data/party.h"
#include "ui/talk_msg.h"

int cost_enough[4] = {};

namespace {

constexpr int message_x = 224, message_y = 196, message_h = 64, message_user = 2;

// The object record of a kind at a level, or null when the database has none.
bool read_kind_record(int kind, int level, ItemData& out) { return read_Item(house_level_object(kind, level), &out) == 1; }

void show_message(const char* text, int width) { add_txt_msg(message_x, message_y, width, message_h, 0, 0, text, message_user); }

}  // namespace

void refund_house(int kind) {
  ItemData costs{};
  if (!read_kind_record(kind, 1, costs)) return;
  party_metal += costs.cost_metal / 2;
  party_wood += costs.cost_wood / 2;
  party_coal += costs.cost_coal / 2;
  party_money += costs.cost_money / 2;
}

int check_build_cost(const ItemData& costs) {
  cost_enough[0] = party_metal >= costs.cost_metal;
  cost_enough[1] = party_wood >= costs.cost_wood;
  cost_enough[2] = party_coal >= costs.cost_coal;
  cost_enough[3] = party_money >= costs.cost_money;
  return cost_enough[0] && cost_enough[1] && cost_enough[2] && cost_enough[3];
}

int pay_house_cost(int kind, int level) {
  ItemData costs{};
  if (!read_kind_record(kind, level, costs) || !check_build_cost(costs)) return 0;
  party_metal -= costs.cost_metal;
  party_wood -= costs.cost_wood;
  party_coal -= costs.cost_coal;
  party_money -= costs.cost_money;
  return 1;
}

int check_house_limit(int kind, int show) {
  const int count = count_houses_of_kind(kind);
  ItemData costs{};
  if (!read_kind_record(kind, 1, costs) || !check_build_cost(costs)) {
    if (show) show_message("\xAB\xD8\xB3\x79\xBB\xDD\xA8\x44\xB8\xEA\xB7\xBD\xA4\xA3\xA8\xAC%Q", 225);  // 建造需求資源不足
    return 0;
  }
  const int limit = house_kind_row(kind).limit;
  if (count < limit) return 1;
  if (show) {
    char text[96];
    std::snprintf(text, sizeof text, "%%C9%s%%C0 \xAD\xAD\xA8\xEE%d\xBC\x6C%%Q", costs.NAME, limit);  // 限制%d幢
    show_message(text, 5 * int(std::strlen(text)) + 115);
  }
  return 0;
}

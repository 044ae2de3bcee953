// Fame records.
#include "battle/fame.h"

#include <deque>

#include "data/object_db.h"

namespace {
std::deque<FameNode> fame_list;  // a deque keeps the entries in place as it grows
}

int fame_add(std::uint16_t object, int, int, std::uint16_t type) {
  ItemData item;
  if (!read_Item(object, &item)) return 0;
  FameNode* node = fame_find(object, type);
  if (!node) {
    fame_list.push_back(FameNode{});
    node = &fame_list.back();
    node->object = object;
    node->type = type;
    if (type == 1) node->level = 1;
  }
  if (type == 0) ++node->count;
  return 1;
}

FameNode* fame_find(std::uint16_t object, std::uint16_t type) {
  for (FameNode& node : fame_list)
    if (node.object == object && node.type == type) return &node;
  return nullptr;
}

void free_fame() { fame_list.clear(); }

std::uint16_t fame_cleared = 0;

// fame.dat's layout comes with the battle's collection screens; until then nothing is written.
void save_fame() {}

// The growth rules come with the battle's treasures; until then an event changes nothing.
void treasure_event(std::uint16_t, int, std::uint16_t) {}

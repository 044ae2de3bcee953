// The battle's spoils: what the bag received, listed for the results screen.
#include <cstring>

#include "battle/fight_globals.h"
#include "battle/fight_man.h"
#include "battle/fight_result.h"
#include "data/item_list.h"
#include "data/party.h"

SpoilEntry fight_spoils[spoils_max];
std::uint16_t fight_spoil_count = 0;

void clear_spoils() {
  for (SpoilEntry& e : fight_spoils) e = SpoilEntry{};
  fight_spoil_count = 0;
}

void add_spoil(std::uint16_t id, std::uint16_t count) {
  const ItemNode* node = add_item(&party_bag, id, count, 1);
  for (int i = 0; i < fight_spoil_count; ++i) {
    if (fight_spoils[i].id != id) continue;
    fight_spoils[i].count = std::uint16_t(fight_spoils[i].count + count);
    return;
  }
  if (!node || fight_spoil_count >= spoils_max) return;
  SpoilEntry& e = fight_spoils[fight_spoil_count++];
  e.id = id;
  e.count = count;
  // The list keeps its own copy: the bag's node may be merged or freed before the screen shows it.
  std::memcpy(e.name, node->item.NAME, sizeof e.name - 1);
  e.name[sizeof e.name - 1] = '\0';
}

void roll_monster_drops() {
  if ((fight_flags & fight_victory_pose_22) || flee_granted) return;
  for (int k = fight_first_enemy; k < fight_first_enemy + fight_enemy_count && k < fight_unit_slots; ++k)
    if (const std::uint16_t drop = gmFightMan[k].RollDrop()) add_spoil(drop, 1);
}

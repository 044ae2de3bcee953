#pragma once
// The party's records and possessions: the four character records, the shared bag and the
// money, with the party-wide item helpers.
#include <cstdint>

#include "data/item_node.h"
#include "data/role_data.h"

constexpr int party_record_count = 4;  // members 0-2 are the party; all four are saved

extern RoleData gmRoleData[party_record_count];
extern ItemNode party_bag;      // owner of the shared bag
extern int party_bag_count;     // the bag's node count when the game is saved
extern std::int32_t party_money;

// 1 when the bag holds at least n pieces, or n is 1 and member 0-2 has the object equipped.
int has_party_item(std::uint16_t object, std::uint16_t n);
// Frees the bag, the art lists of all four records and the magic study list.
void free_party_items();

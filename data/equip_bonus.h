#pragma once
// Equipment and treasure bonuses on a party character's combat values.
#include <cstdint>

struct RoleData;

constexpr int equip_slot_count = 8;

// Adds (removes) the bonuses of the object in one slot (0-7), or of every slot for -1; an object
// that cannot be read ends the walk over all slots. Treasures in slots 4-7 add (remove) their
// collection growth bonuses too.
void add_equip_bonus(RoleData* role, int slot);
void del_equip_bonus(RoleData* role, int slot);
// Adds (add = 1) or subtracts (any other value) a treasure's growth bonuses to the maxima and
// combat values; nothing when the treasure has no collection entry.
void add_treasure_bonus(RoleData* role, std::uint16_t object, int add);
// Raises by n the collection level (at most 10) of the treasures in slots 4 and 5 of members 0-2.
void raise_treasure_levels(std::uint16_t n);

#pragma once
// Random battles and the battle-side chance rolls from the map database: the current map's
// battle areas, the encounter roll, and the rage-strike, excitement and mood rolls.
#include <cstdint>

struct MapRole;

// A node of the current map's battle-area list: the area's box and the pool offset of its
// enemy-group list (u16 count, then the group numbers).
struct BtlArea {
  float corner1[4];  // x, y, z, spare
  float corner2[4];
  std::int32_t groups;
  BtlArea* next;
};

// The current map's list: a sentinel whose next field is the head. The map change frees the
// old list and builds the new one.
extern BtlArea btl_area_head;

// Pushes one node (from MemMgr_Alloc) per battle-area row of the map at the head of the list, so
// the list runs in reverse table order.
void GetBtlAreaTable(std::uint16_t map, BtlArea* sentinel);
// The enemy group to fight for a role at a step counter, 0 for no battle.
std::uint16_t roll_encounter(MapRole* role, int counter, int force);
// 1 when the trigger fires.
int roll_rage_strike(std::uint16_t row, std::uint8_t counter, std::uint16_t percent_bonus,
                     std::uint16_t chance_bonus, int force);
int roll_excite(std::uint16_t row, std::uint8_t counter);
int roll_mood(std::uint16_t row, std::uint8_t counter);

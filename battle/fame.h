#pragma once
// Fame records (fame.dat): the collection entries of objects met, obtained and grown.
#include <cstdint>

// One collection entry.
struct FameNode {
  std::uint16_t object = 0;
  std::uint16_t type = 0;
  std::uint16_t level = 0;
  std::uint16_t progress = 0;     // toward the next level
  std::uint32_t max_reached = 0;  // 1 once the level reached 10
  std::int16_t growth[8] = {};    // a treasure's growth bonuses (type 1)
  std::int32_t count = 0;         // type 0: how often it was counted
};

// Adds or updates the entry of (object, type): type 0 counts one more, type 1 starts a treasure
// growth entry at level 1, types 2 and 3 are entered once. 0 when the object cannot be read.
int fame_add(std::uint16_t object, int exp, int growth, std::uint16_t type);
// The entry of that object and type, or null.
FameNode* fame_find(std::uint16_t object, std::uint16_t type);
void free_fame();

// The fame file's cleared word: 1 once the story was finished (a talk script sets it).
extern std::uint16_t fame_cleared;
// Writes the fame records and the cleared word to fame.dat.
void save_fame();
// Treasure growth of an event for the treasures the present party members have equipped.
void treasure_event(std::uint16_t event, int amount, std::uint16_t level);

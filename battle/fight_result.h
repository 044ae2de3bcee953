#pragma once
// The battle's results: the spoils list the results screen shows, and the rules of the
// results screen (experience shares, experience and money counting, level-ups).
#include <cstdint>

// The spoils of the battle: up to ten entries shown on the results screen; the bag gets every
// piece even when the list is full.
constexpr int spoils_max = 10;
struct SpoilEntry {
  std::uint16_t id = 0;
  std::uint16_t count = 0;
  char name[32] = {};
};
extern SpoilEntry fight_spoils[spoils_max];
extern std::uint16_t fight_spoil_count;

void clear_spoils();
// Adds pieces to the party bag and to the spoils list (an entry of that object gets more).
void add_spoil(std::uint16_t id, std::uint16_t count);
// Each enemy's drop roll adds one piece; nothing after a granted flight or with 0x10000000.
void roll_monster_drops();

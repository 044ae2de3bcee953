#pragma once
// The settlement's residents: monsters living in the resident slots of the dwellings. The
// building screens make dwellings active as they are built.
#include <cstdint>

constexpr int dwelling_capacity = 16;
constexpr int dwelling_slots = 4;
struct Dwelling {
  bool active = false;
  std::uint16_t resident[dwelling_slots] = {};  // monster numbers, 0 = empty
};
extern Dwelling dwellings[dwelling_capacity];

// 1 when some active dwelling has an empty resident slot.
int has_free_resident_slot();
// Puts the monster into the first empty slot of an active dwelling: 1 placed, 0 full.
int add_resident(std::uint16_t monster);
// Removes the monster from its dwelling: 1 when found.
int del_resident(std::uint16_t monster);
// 1 when the monster lives in a dwelling.
int is_resident(std::uint16_t monster);

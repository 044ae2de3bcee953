#include "base/residents.h"

Dwelling dwellings[dwelling_capacity];

namespace {
// The slot holding `monster` in an active dwelling (0 finds an empty one); null when none.
std::uint16_t* find_slot(std::uint16_t monster) {
  for (Dwelling& d : dwellings) {
    if (!d.active) continue;
    for (std::uint16_t& r : d.resident)
      if (r == monster) return &r;
  }
  return nullptr;
}
}  // namespace

int has_free_resident_slot() { return find_slot(0) ? 1 : 0; }

int add_resident(std::uint16_t monster) {
  std::uint16_t* slot = monster ? find_slot(0) : nullptr;
  if (!slot) return 0;
  *slot = monster;
  return 1;
}

int del_resident(std::uint16_t monster) {
  std::uint16_t* slot = monster ? find_slot(monster) : nullptr;
  if (!slot) return 0;
  *slot = 0;
  return 1;
}

int is_resident(std::uint16_t monster) { return monster && find_slot(monster) ? 1 : 0; }

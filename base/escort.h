#pragma once
// The formation grounds' escort records: one ItemData per formation house (the first two in
// list order), built from its main guard and strengthened by its reserves. Battle calls them
// as guardians; the save file stores them whole.
#include <cstdint>

#include "data/item_data.h"

constexpr int escort_count = 2;
constexpr int escort_members = 6;
extern ItemData escort_data[escort_count];

// The work record of one formation house, rebuilt with escort_data.
struct EscortScratch {
  std::int32_t house_id;
  std::uint16_t members[escort_members];
  std::int32_t max_hp[escort_members], max_mp[escort_members], max_sp[escort_members];
  std::uint16_t attack[escort_members], defence[escort_members], speed[escort_members];
  std::uint16_t magic_attack[escort_members], magic_defence[escort_members], magic_hit[escort_members];
};
extern EscortScratch escort_scratch[escort_count];

void build_escort_data();

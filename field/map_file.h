#pragma once
// The current map's record and what it owns.
#include <cstdint>

struct MapRecord {
  std::uint16_t map_number = 0;
};
extern MapRecord map_record;

void free_map(MapRecord* record);  // frees the record's lists and buffers
void free_map_tex();

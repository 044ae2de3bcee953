#pragma once
// The current map's record and what it owns.
#include <cstdint>

struct MapRecord {
  std::uint16_t map_number = 0;
  std::uint16_t map_flags = 0;      // from the map's MapIndex row
  std::uint16_t encounter_set = 0;  // 0: no random battles
  std::uint16_t uv_set = 0;         // texture scroll set; 0: none
  std::uint16_t uv_tex[32] = {};    // scroll texture numbers, then world texture indices
  std::uint16_t sky_set = 0;
  std::uint16_t sky_tex = 0;
  float uv_rate_u[32] = {};
  float uv_rate_v[32] = {};
  float sky_rate_u = 0.0f;
  float sky_rate_v = 0.0f;
};
extern MapRecord map_record;

void free_map(MapRecord* record);  // frees the record's lists and buffers
void free_map_tex();

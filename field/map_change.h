#pragma once
// Map change: entering a map, releasing the current one, and loading it again after a battle or
// the base camp.
#include <cstdint>

// Where the controlled role enters the map; read_maps_role places it there, the save restores it.
struct MapEntryPos {
  float x = 0, y = 0, z = 0, dir = 0;
};
extern MapEntryPos map_entry_pos;
// map_load_in_progress (1 while enter_map loads) sits with the loading picture in ui/screen_extras.h.

void enter_map(std::uint16_t map, float x, float y, float z, float direction);
void unload_map();
void reload_map();
void free_btl_area_table();

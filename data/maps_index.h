#pragma once
// A map's environment from the map database: its MapIndex row (encounter set, map flags, texture
// scroll set, sky set), its scrolling textures (table 15) and its sky row (table 16). The values
// go into the current map record.
#include <cstddef>
#include <cstdint>

// 1 and the map's row taken into the current map (then read_maps_uv); 0 when the map has no row.
int read_MapIndex(std::uint16_t map);
// Loads the current map's scroll slots and sky row; always 1.
int read_maps_uv(std::uint16_t map);
// Turn the scroll and sky texture numbers into indices in the loaded world's (or sky model's)
// texture list, given as the list's texture numbers in order; null numbers means no world.
void resolve_map_uv_tex(const std::uint32_t* texture_numbers, std::size_t count);
void resolve_sky_uv_tex(const std::uint32_t* texture_numbers, std::size_t count);

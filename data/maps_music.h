#pragma once
// The map database's music rows (table 3: per map two music ids with their parameters, edited by
// talk scripts and restored from saves) and music file names (table 4, name n for id n).
#include <cstddef>
#include <cstdint>

// Takes the map's music row into entries 0 and 1 of music_ids and music_params: 1 when the
// music changes, -1 when the map has no row or both its ids are 0 (silence), 2 when the current
// music stays (a talk holds its music, or the ids are already current).
int read_music_id(std::uint16_t map);
// Copies music name n into out (out_size bytes, cut on a Big5 boundary): 1, or 0 for n = 0 and
// for a name the table does not hold (reported).
int read_maps_music(char* out, std::size_t out_size, int n);
// Rewrites every music row of the map.
void set_music_id(std::uint16_t map, std::uint16_t id1, std::uint16_t param1, std::uint16_t id2, std::uint16_t param2);

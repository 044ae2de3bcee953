#pragma once
// The small lookups of the map database: production lists, keyed texts, map groups, ACT rows,
// no-fight rows, role scales, the summon list and the place list. All take 16-bit keys, scan
// their table from the start and fail softly.
#include <cstddef>
#include <cstdint>

struct MapRole;

// Production lists 0-3 (tables 10-13): select a list, then take one object number per call
// from the records of the key whose game flag is set; 0 when the list is used up.
void select_maps_recipe(std::uint16_t list);
std::uint16_t read_maps_recipe(std::uint16_t key);

// Keyed texts copied into out (out_size bytes, cut on a Big5 boundary): 1 found, 0 not.
int read_maps_type_name(std::uint16_t key, char* out, std::size_t out_size);
int read_maps_hint(std::uint16_t key, char* out, std::size_t out_size);
int read_maps_name(std::uint16_t map, char* out, std::size_t out_size);

// 1 when a map group lists the map, *talk then holding the group's talk number.
int read_maps_group_talk(std::uint16_t map, std::uint16_t* talk);
// The ACT's rows: out[0] = 1 and the 3 x 3 block (stored column by column) in out[1..9]. 0 for
// ACT 0; 1 otherwise, out unchanged when no row matched.
int read_maps_act(std::uint16_t act, std::uint16_t out[10]);
// The state of the map's no-fight game flag (1 = no random battles); 0 without a row.
int check_maps_nofight(std::uint16_t map);
// Scale and opacity of the role from its scale rows (the last matching row wins); 1.
int apply_maps_role_scale(MapRole* role);

// The summon list: entries before the end mark; entry n as (game flag, or 0xFFFF while that flag
// is clear; monster object; egg cost), all zero for n outside the list.
int count_maps_summon();
std::uint16_t* read_maps_summon(std::uint16_t out[3], int n);
// The place list: entries before the end mark; entry n, 0 outside the list.
int count_maps_place();
std::uint16_t read_maps_place(int n);

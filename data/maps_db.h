#pragma once
// The map database maps.dat: 26 tables located by an offset directory at the start of the body.
// Loaded whole at start-up and at every new game and load; the placement rows (table 2) and the
// music rows (table 3) are edited in place, so reloading restores the file's values.
#include <cstddef>
#include <cstdint>
#include <span>

#include "data/data_file.h"

extern DataPool gmMapsPool;
// The role-variable rows (131072 bytes), zeroed at every load of maps.dat.
extern std::uint8_t* gmRoleVar;
constexpr std::size_t role_var_block_size = 131072;

enum MapsTable {
  maps_start_list = 1, maps_role_rows, maps_music_rows, maps_music_names, maps_index_rows,
  maps_encounter_sets, maps_battle_areas, maps_type_names, maps_rage_rows, maps_recipes_0,
  maps_recipes_1, maps_recipes_2, maps_recipes_3, maps_world_places, maps_uv_rows, maps_sky_rows,
  maps_excite_rows, maps_map_groups, maps_act_rows, maps_hint_texts, maps_nofight_rows,
  maps_scale_rows, maps_map_names, maps_summon_list, maps_place_list, maps_mood_rows,
  maps_table_count = 26
};

// Always closes first, then loads maps.dat, allocates gmRoleVar and builds the world-map places.
void open_maps_data();
void close_maps_data();
// Loads a file image already in memory (the fuzz target and the tests use it).
bool install_maps_data(std::span<const std::uint8_t> file);

// The header length of a maps.dat image: the 16-bit word at offset 8, in 16-byte units
// (0 when the image is too short to hold it).
std::size_t maps_header_length(std::span<const std::uint8_t> file);

// Pool offset where table k (1-26) starts; -1 when the file is not loaded or the table's offset
// lies outside the pool.
long maps_table_start(int k);
// Table k from its start to the end of the pool (empty when absent). Positions in the reader
// are relative to the table start.
ByteReader maps_table(int k);

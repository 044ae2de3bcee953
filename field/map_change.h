#pragma once
// Map change: entering a map, releasing the current one, and loading it again after a battle or
// the base camp.
#include <cstdint>

#include "field/role_draw.h"  // shadow_act

// Where the controlled role enters the map; read_maps_role places it there, the save restores it.
struct MapEntryPos {
  float x = 0, y = 0, z = 0, dir = 0;
};
extern MapEntryPos map_entry_pos;
// map_load_in_progress (1 while enter_map loads) sits with the loading picture in ui/screen_extras.h.

// The camera looks at a point this far above the player's feet; a map whose eye follows the
// player's height keeps its fixed eye this far above them.
constexpr float look_at_height = 100.0f;
constexpr float eye_above_player = 1400.0f;

void enter_map(std::uint16_t map, float x, float y, float z, float direction);
void unload_map();
void reload_map();
void free_btl_area_table();

// The rules of a map change, apart from the change itself.

// The mount the controlled role takes on entering a map; act 0: it walks.
struct MountChoice {
  std::uint16_t act = 0;
  float scale = 0.0f;
  bool state_bit_7 = false;  // the role's STATE bit 7 is set
  bool remembers_act = false;  // the walking ACT is remembered and the role's first word cleared
};
MountChoice choose_mount(std::uint16_t map, std::uint16_t map_flags, bool mechanism_1, bool mechanism_2);

// Where a map's picture sits in the minimap box.
struct MinimapOffset {
  int x = 0, y = 0;
};
MinimapOffset minimap_picture_offset(std::uint16_t map);

// Whether a map change to `map` ends a running battle sequence: it does unless the map is one of
// the sequence's seven.
bool ends_battle_sequence(std::uint16_t map);

// The horse (the other mount, mount_act, is role movement's) and what the map change gives a role entering a map.
constexpr std::uint16_t mount_horse_act = 50;
constexpr std::uint16_t walk_act = 1;
constexpr std::uint16_t map_small_roles = 12116;  // the party is drawn at 0.6 of its size
constexpr std::uint32_t state_bit_7 = 0x80;

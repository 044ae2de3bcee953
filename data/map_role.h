#pragma once
// The live roles of the current map: gmMapRole, rebuilt from the placement rows whenever a map
// is entered. Entries 0-3 are the party (RoleIDs 0xFF01-0xFF04) and survive map changes.
#include <cstdint>

#include "g3d/act_animation.h"

struct MapRole {
  std::uint16_t act_rows[10] = {};  // ACT block: [0] 1 when a row was found, then the 3 x 3 block
  // Role variables, which scripts address by number: 1-6 here, 7 `RoleID`, 8 `TALK`, 9 `AI`,
  // 10-16 in var_high (see role_var).
  std::uint16_t var[6] = {};
  std::uint16_t RoleID = 0;
  std::uint16_t TALK = 0;
  std::uint16_t AI = 0;
  std::uint16_t var_high[7] = {};
  std::uint32_t STATE = 0;
  std::uint16_t flagEx = 0;
  float kept_dir = 0.0f;
  float DIR = 0.0f;
  float turn_dir = 0.0f;
  float X = 0.0f, Y = 0.0f, Z = 0.0f;
  float collision_radius = 0.0f;
  float head_height = 0.0f;
  float scale = 0.0f;  // 0: normal size
  float anim_size = 0.0f;
  std::uint8_t fade_alpha = 0;
  ActInstance anim;  // its ACT and QQ are the role's
  void* cap = nullptr;  // no Cap record is ever attached
  std::uint8_t opacity = 0;  // 0 draws normally, other values below 255 translucent
};

// Role variable v (1-16) of a role; null for any other number.
std::uint16_t* role_var(MapRole& role, int v);

constexpr int map_role_capacity = 256;
constexpr std::uint16_t party_role_first = 0xFF01;
constexpr std::uint16_t party_role_limit = 0xFF00;  // RoleIDs above belong to the party (or are retired)
constexpr std::uint32_t state_player = 0x8000;

extern MapRole gmMapRole[map_role_capacity];
extern int gmMapRoleCount;
extern int player_role_index;
extern float player_entry_pos[3];

// Rebuilds the table for a map from its placement rows; 1.
int read_maps_role(std::uint16_t map);
// Moves one role to a map and appends it to the live table: 0 for RoleID 0, else 1.
int add_maps_role(std::uint16_t map, std::uint16_t RoleID);
// A role's current state, live (whole record) or from its placement row (*map_out = its map);
// 1 found, 0 not.
int get_maps_role(std::uint16_t RoleID, MapRole* out, std::uint16_t* map_out);
// The Cap step of a talk opcode: reports that the role is absent or has no Cap record.
void apply_cap(std::uint16_t RoleID, std::uint16_t step);

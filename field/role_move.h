#pragma once
// Role movement on the field map.
#include <cstdint>

struct MapRole;

// The rectangle a talk script keeps the player in (its five operands), switched off by the map
// change.
struct RoleBounds {
  float min_x = 0, min_z = 0, max_x = 0, max_z = 0;
  int on = 0;
};
extern RoleBounds role_bounds;

// 1 while the party rides its mount; the map change sets and clears it.
extern int party_riding;

// The mount is this role animation.
constexpr std::uint16_t mount_act = 51;

// The index in gmMapRole of the role with that RoleID among the entries in use; 0xFFFF when none.
std::uint16_t find_role(std::uint16_t RoleID);
// Moves a role over the map mesh; 1 moved, 0 blocked. With no map loaded yet, the role stays
// where it is.
int move_role(MapRole* role, float dx, float dy, float dz);

#pragma once
// Role movement on the field map.
#include <cstdint>

struct MapRole;

// 1 while the party rides its mount (set and cleared by the map change).
extern int party_riding;

// The index in gmMapRole of the role with that RoleID among the entries in use; 0xFFFF when none.
std::uint16_t find_role(std::uint16_t RoleID);
// Moves a role over the map mesh; 1 moved, 0 blocked. With no map loaded yet, the role stays
// where it is.
int move_role(MapRole* role, float dx, float dy, float dz);

// Role movement.
#include "field/role_move.h"

#include "data/map_role.h"

int party_riding = 0;

std::uint16_t find_role(std::uint16_t RoleID) {
  for (int i = 0; i < gmMapRoleCount; ++i)
    if (gmMapRole[i].RoleID == RoleID) return static_cast<std::uint16_t>(i);
  return 0xFFFF;
}

int move_role(MapRole*, float, float, float) { return 1; }

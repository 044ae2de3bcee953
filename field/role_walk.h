#pragma once
// Role moves with collisions, grid-cell counts and gradual turns.
struct MapRole;

// Moves a role with role and map collisions: the touched role's index, -1 moved freely, -2
// blocked.
int walk_role(MapRole* role, float dx, float dy, float dz);
// Starts a gradual turn of DIR toward turn_dir the shorter way.
void set_role_turn(MapRole* role);

#pragma once
// Role moves with collisions, grid-cell counts and gradual turns.
struct MapRole;

// Moves a role with role and map collisions: the touched role's index, -1 moved freely, -2
// blocked.
int walk_role(MapRole* role, float dx, float dy, float dz);
// Lowers the role count of the map grid cell under the point; 0 while the map has no cell-count
// block.
int dec_map_cell_count(float x, float y, float z);
// Starts a gradual turn of DIR toward turn_dir the shorter way.
void set_role_turn(MapRole* role);

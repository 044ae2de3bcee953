#pragma once
// Role moves with role-to-role collisions: blocking, touching, pushing, standing on and stepping
// away from other roles, then the move against the map (role_move.h).
struct MapRole;

// The gmMapRole index of the role touched, pushed or blocking; -1 moved freely (or stood still
// under STATE 0x10000); -2 the map blocked it.
int walk_role(MapRole* role, float dx, float dy, float dz);
// 1 when a's collision box moved by (dx, dy, dz) overlaps b's box at its place.
int test_role_overlap(const MapRole* a, float dx, float dy, float dz, const MapRole* b);
// 1 when pushed moved by (dx, dz) or climbed onto another role.
int push_role(MapRole* pusher, float dx, float dy, float dz, MapRole* pushed);
// 1 when a was set on top of b.
int stand_on_role(MapRole* a, MapRole* b, float dx, float dy, float dz);
// move_role's result for a step of 3 units straight away from b; 0 when that step would
// overlap a third role.
int step_away_from_role(MapRole* a, float dy, MapRole* b);
// Starts a gradual turn of DIR toward turn_dir: +5 or -5 degrees a frame, the shorter way.
void set_role_turn(MapRole* role);

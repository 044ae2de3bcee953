#pragma once
// Role movement against the map: the floor of the collision mesh, the wall boxes, the grid's
// edge and the player's bounds rectangle. Roles against one another are role_walk.h's.
#include <cstdint>
#include <span>

#include "g3d/g3d_math.h"

struct MapRole;
struct CollTri;

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

// STATE bits of role movement.
constexpr std::uint32_t state_pushable = 0x2;
constexpr std::uint32_t state_pass_through = 0x4;
constexpr std::uint32_t state_touch_talk = 0x10;
constexpr std::uint32_t state_floats = 0x40;
constexpr std::uint32_t state_no_floor_probe = 0x80;
constexpr std::uint32_t state_stand_on = 0x800;
constexpr std::uint32_t state_no_block = 0x10000;
constexpr std::uint32_t state_standing_on_role = 0x400000;
constexpr std::uint32_t state_push_armed = 0x800000;
constexpr std::uint32_t state_jumping = 0x1000000;
constexpr std::uint32_t state_walking = 0x40000000;
// flagEx bit: ignored by the other roles' collision tests (a scripted path walks it).
constexpr std::uint16_t flagex_no_collide = 0x2;

// The index in gmMapRole of the first role with that RoleID; 0xFFFF when none.
std::uint16_t find_role(std::uint16_t RoleID);
// Moves a role against the map: 1 moved, 0 refused (the position unchanged).
int move_role(MapRole* role, float dx, float dy, float dz);
// The yaw in degrees of the ground direction from b to a, in [0, 360); 0 when they coincide.
float calc_dir_angle(G3dVector a, G3dVector b);
// The yaw of a ground direction (0 faces -z, 90 faces +x); false for the zero vector.
bool ground_yaw(float vx, float vz, float* yaw);

// The collision cell under a ground point; false outside the grid, without a grid or with a
// cell size of 0 or less.
bool map_cell_at(float x, float z, int* ix, int* iz);
// The collision triangle indices listed in a cell found by map_cell_at.
std::span<const std::uint32_t> map_cell_tris(int ix, int iz);
// The world's collision triangle of an index from a cell list.
const CollTri& map_coll_tri(std::uint32_t index);

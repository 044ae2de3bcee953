// Role movement against the map's collision mesh.
#include "field/role_move.h"

#include <algorithm>
#include <cmath>

#include "core/flags.h"
#include "core/game_flags.h"
#include "data/map_role.h"
#include "field/map_file.h"
#include "g3d/geometry.h"
#include "g3d/ground_math.h"
#include "g3d/wld_world.h"


namespace {
constexpr float floor_window = 100.0f;       // how far above and below the feet a floor is found
constexpr float mount_look_below = 500.0f;   // the mount finds floor this far below its height
constexpr int mount_look_steps = 51;         // and this many steps ahead
constexpr float leader_shadow_outdoor = 16.0f, riding_shadow = 40.0f;
constexpr std::uint16_t leader_role_id = 1;

const CollArray* coll_array() {
  return map_world && map_world->lpCollArray && !map_world->lpCollArray->lpColl.empty() ? map_world->lpCollArray.get()
                                                                                         : nullptr;
}

// Cell index along one axis, compared in float so that a far point never overflows an int.
bool axis_cell(float v, float origin, float cell, int count, int* out) {
  if (!(cell > 0.0f) || count <= 0) return false;
  const float f = std::floor((v - origin) / cell);
  if (!(f >= 0.0f && f < float(count))) return false;
  *out = int(f);
  return true;
}

bool outdoor_map() { return (map_record.map_flags & map_outdoor) != 0; }

// The first listed triangle that the vertical segment from top down to bottom crosses.
const CollTri* first_floor(float x, float z, float top, float bottom, G3dVector* hit) {
  int ix = 0, iz = 0;
  if (!map_cell_at(x, z, &ix, &iz)) return nullptr;
  const G3dVector p0{x, top, z, 0}, p1{x, bottom, z, 0};
  for (std::uint32_t t : map_cell_tris(ix, iz))
    if (g3d_line_hit_tri(&p0, &p1, &map_coll_tri(t), hit)) return &map_coll_tri(t);
  return nullptr;
}

void shadow_on_tri(MapRole& role, const CollTri& tri, G3dVector centre, float size) {
  const float corners[9] = {tri.k0[0], tri.k0[1], tri.k0[2], tri.k1[0], tri.k1[1],
                            tri.k1[2], tri.k2[0], tri.k2[1], tri.k2[2]};
  G3dVector n{};
  calc_tri_normal(&n, corners);
  make_normal_quad(&n, &centre, size, role.shadow_quad);
}

bool hits_wall(const G3dVector& p) {
  if (test_flag(flag_wall_test_off) || !map_world) return false;
  const auto& boxes = map_world->MaskBpx.lpBox;
  return g3d_role_hit_boxes(boxes.data(), int(boxes.size()), p.x, p.y, p.z) != 0;
}

float shadow_size(const MapRole& role) {
  if (outdoor_map() && role.RoleID == leader_role_id) return party_riding == 1 ? riding_shadow : leader_shadow_outdoor;
  return role.anim_size;
}

float cell_centre_of(float v, float cell) { return cell > 0.0f ? std::floor(v / cell) * cell + cell / 2 : v; }

// A floating role: the shadow follows the floor under its target, if any.
void probe_floating_shadow(MapRole& role, float x, float y, float z) {
  int ix = 0, iz = 0;
  if (!map_cell_at(x, z, &ix, &iz)) return;
  const G3dVector p0{x, y + role.anim.box.max.y + 50.0f, z, 0}, p1{x, map_grid_origin[1], z, 0};
  G3dVector hit{};
  for (std::uint32_t t : map_cell_tris(ix, iz))
    if (g3d_line_hit_tri(&p0, &p1, &map_coll_tri(t), &hit))
      shadow_on_tri(role, map_coll_tri(t), G3dVector{hit.x, hit.y + 1.0f, hit.z, 0}, shadow_size(role));
}

// The mount glides on at its height over a gap when floor lies within its look-ahead.
int glide_mount(MapRole& role, float dx, float dy, float dz) {
  for (int k = 2; k <= mount_look_steps; ++k) {
    const float x = role.X + float(k) * dx, z = role.Z + float(k) * dz;
    int ix = 0, iz = 0;
    if (x < 0.0f || z < 0.0f || !map_cell_at(x, z, &ix, &iz)) return 0;
    G3dVector hit{};
    const CollTri* tri = first_floor(x, z, role.Y + dy + floor_window, role.Y - mount_look_below, &hit);
    if (!tri) continue;
    if (hits_wall(hit)) return 0;
    role.X += dx;
    role.Z += dz;
    shadow_on_tri(role, *tri, G3dVector{role.X, hit.y + 1.0f, role.Z, 0}, riding_shadow);
    return 1;
  }
  return 0;
}
}  // namespace

bool map_cell_at(float x, float z, int* ix, int* iz) {
  const CollArray* a = coll_array();
  if (!a) return false;
  const int nx = std::min(map_grid_count[0], int(a->nx)), nz = std::min(map_grid_count[2], int(a->nz));
  if (!axis_cell(x, map_grid_origin[0], map_grid_cell[0], nx, ix)) return false;
  if (!axis_cell(z, map_grid_origin[2], map_grid_cell[2], nz, iz)) return false;
  return std::size_t(*iz) * a->nx + std::size_t(*ix) < a->lpColl.size();
}

std::span<const std::uint32_t> map_cell_tris(int ix, int iz) {
  const CollArray* a = coll_array();
  const CollCell& c = a->lpColl[std::size_t(iz) * a->nx + std::size_t(ix)];
  return std::span<const std::uint32_t>(a->lpTotFaceList).subspan(c.first, c.count);
}

const CollTri& map_coll_tri(std::uint32_t index) { return map_world->Mask.lpCollTri[index]; }

RoleBounds role_bounds;
int party_riding = 0;


std::uint16_t find_role(std::uint16_t RoleID) {
  for (int i = 0; i < gmMapRoleCount; ++i)
    if (gmMapRole[i].RoleID == RoleID) return static_cast<std::uint16_t>(i);
  return 0xFFFF;
}

bool ground_yaw(float vx, float vz, float* yaw) {
  const float len = std::sqrt(vx * vx + vz * vz);
  if (!(len > 0.0f)) return false;
  const G3dVector ahead{0, 0, -1, 0}, v{vx / len, 0, vz / len, 0};
  const float a = vec_angle_deg(ahead, v);
  *yaw = vx < 0.0f ? 360.0f - a : a;
  return true;
}

float calc_dir_angle(G3dVector a, G3dVector b) {
  float yaw = 0.0f;
  if (!ground_yaw(a.x - b.x, a.z - b.z, &yaw)) return 0.0f;
  return std::fmod(yaw, 360.0f);
}

int move_role(MapRole* role, float dx, float dy, float dz) {
  MapRole& r = *role;
  if (test_flag(flag_collisions_off) && (r.STATE & state_player)) {
    r.X += dx;
    r.Y += dy;
    r.Z += dz;
    return 1;
  }
  if ((r.STATE & state_floats) && !(r.STATE & state_jumping)) {
    if (!(r.STATE & state_no_floor_probe)) probe_floating_shadow(r, r.X + dx, r.Y + dy, r.Z + dz);
    r.X += dx;
    r.Y += dy;
    r.Z += dz;
    return 1;
  }
  const float x = r.X + dx, z = r.Z + dz;
  int ix = 0, iz = 0;
  if (x < 0.0f || z < 0.0f || !map_cell_at(x, z, &ix, &iz)) return 0;
  if (role_bounds.on && (r.STATE & state_player) &&
      !(role_bounds.min_x <= x && x <= role_bounds.max_x && role_bounds.min_z <= z && z <= role_bounds.max_z))
    return 0;
  G3dVector hit{};
  const CollTri* tri = first_floor(x, z, r.Y + dy + floor_window, r.Y - floor_window, &hit);
  if (!tri) return (r.anim.act == mount_act && outdoor_map()) ? glide_mount(r, dx, dy, dz) : 0;
  // The shadow moves before the wall test: a blocked step still shows it at the target.
  shadow_on_tri(r, *tri, G3dVector{hit.x, hit.y + 1.0f, hit.z, 0}, shadow_size(r));
  if (hits_wall(hit)) return 0;
  dec_map_cell_count(r.cell_centre[0], r.cell_centre[1], r.cell_centre[2]);
  r.cell_centre[0] = cell_centre_of(hit.x, map_grid_cell[0]);
  r.cell_centre[1] = cell_centre_of(hit.y, map_grid_cell[1]);
  r.cell_centre[2] = cell_centre_of(hit.z, map_grid_cell[2]);
  r.X = hit.x;
  r.Y = hit.y;
  r.Z = hit.z;
  return 1;
}

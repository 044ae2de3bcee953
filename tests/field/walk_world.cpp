// The synthetic field of the walking tests.
#include "tests/field/walk_world.h"

#include <vector>

#include "core/flags.h"
#include "core/game_flags.h"
#include "field/role_move.h"
#include "g3d/wld_loader.h"
#include "tests/fixtures/script_state.h"
#include "tests/fixtures/wld_kit.h"

namespace walk_test {
namespace {
// Two collision triangles of a level rectangle; the index of the first.
std::uint32_t add_floor(kit::WldSpec& s, float x0, float z0, float x1, float z1, float y) {
  const auto n = std::uint32_t(s.coll_tris.size());
  const G3dVector a{x0, y, z0, 0}, b{x0, y, z1, 0}, c{x1, y, z1, 0}, d{x1, y, z0, 0};
  s.coll_tris.push_back(kit::coll_tri(a, b, c));
  s.coll_tris.push_back(kit::coll_tri(a, c, d));
  return n;
}

std::vector<std::uint8_t> world_file() {
  kit::WldSpec s;
  s.box = {{0, 0, 0, 0}, {1000, 200, 1000, 0}};
  const std::uint32_t ground = add_floor(s, 0, 0, 1000, 1000, 0);
  const std::uint32_t step = add_floor(s, 500, 0, 600, 1000, step_height);
  const std::uint32_t upper = add_floor(s, 800, 0, 900, 1000, upper_height);
  kit::WldCollGridSpec& g = s.grid;
  g.nx = g.nz = 10;
  g.max[0] = g.max[2] = 1000;
  g.max[1] = 200;
  g.cell[0] = g.cell[1] = g.cell[2] = cell;
  for (int iz = 0; iz < 10; ++iz)
    for (int ix = 0; ix < 10; ++ix) {
      std::vector<std::uint32_t> list;
      if (ix == 5) list = {step, step + 1};
      if (ix == 8) list = {upper, upper + 1};
      if (ix != 7) list.insert(list.end(), {ground, ground + 1});
      g.cells.push_back(list);
    }
  s.wall_boxes.push_back({{wall_x0, 0, 0, 0}, {wall_x1, 200, 1000, 0}});
  return kit::wld_file(s);
}
}  // namespace

WalkWorld::WalkWorld() {
  game_dir = dir.str();
  set_error_log_switch(1);
  reset_debug_log(nullptr);
  // The walks run under the camera a fresh program has, not the new game's: only the script
  // marks, the flags and the keys start afresh.
  fixtures::reset_marks_flags_and_keys();
  const std::vector<std::uint8_t> file = world_file();
  EXPECT_EQ(g3d_wld_load_bytes(&world, file.data(), file.size(), "walk.wld"), 1);
  map_world = &world;
  for (int a = 0; a < 3; ++a) {
    map_grid_origin[a] = 0;
    map_grid_cell[a] = cell;
  }
  map_grid_count[0] = map_grid_count[2] = 10;
  map_grid_count[1] = 1;
  gmMapRoleCount = 0;
  player_role_index = 0;
  // Tests of one program share the globals: each starts from a plain map.
  for (int f : {flag_collisions_off, flag_wall_test_off}) clear_flag(f);
  role_bounds = RoleBounds{};
  party_riding = 0;
  map_record.map_flags = 0;
}

WalkWorld::~WalkWorld() {
  map_world = nullptr;
  g3d_wld_free(&world);
}

int WalkWorld::add_role(std::uint16_t id, float x, float y, float z, std::uint32_t state) {
  const int i = gmMapRoleCount++;
  MapRole& r = gmMapRole[i];
  r = MapRole{};
  r.RoleID = id;
  r.STATE = state;
  r.X = x, r.Y = y, r.Z = z;
  r.anim.box = {{-10, 0, -10, 0}, {10, 60, 10, 0}};
  r.anim_size = 10;
  return i;
}

}  // namespace walk_test

#pragma once
// A synthetic field for the walking tests: a 1000 x 1000 collision grid of 100-unit cells with
// a ground floor at y 0, a step (y 40) listed first in the cells of x 500..600, an upper floor
// (y 80) stacked over the ground in the cells of x 800..900, cells without floor at x 700..800,
// and a wall box at x 300..320. The world is written by the data kit and loaded by the loader.
#include <gtest/gtest.h>

#include "core/log.h"
#include "core/paths.h"
#include "data/map_role.h"
#include "field/map_file.h"
#include "g3d/wld_world.h"
#include "tests/fixtures/temp_folder.h"

namespace walk_test {

constexpr float cell = 100.0f;
constexpr float step_height = 40.0f, upper_height = 80.0f;
constexpr float wall_x0 = 300.0f, wall_x1 = 320.0f;

class WalkWorld : public ::testing::Test {
 protected:
  WalkWorld();
  ~WalkWorld() override;

  // Puts a role on the map with a 20 x 60 x 20 box; its index.
  int add_role(std::uint16_t id, float x, float y, float z, std::uint32_t state = 0);
  MapRole& role(int i) { return gmMapRole[i]; }

  fixtures::TempFolder dir{true};
  G3dWld world;
};

}  // namespace walk_test

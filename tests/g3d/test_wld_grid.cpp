// Face bins and the world's object grid.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "g3d/wld_face_bins.h"
#include "g3d/wld_grid.h"
#include "g3d/wld_loader.h"
#include "tests/fixtures/byte_writer.h"
#include "tests/fixtures/wld_kit.h"

namespace {

using Bytes = std::vector<std::uint8_t>;
using Indices = std::vector<std::uint16_t>;

TEST(FaceBins, NormalsGoToTheFirstDirectionWithin45Degrees) {
  struct Case {
    G3dVector normal;
    int bin;
  } cases[] = {
      {{0, 0, 1, 0}, 0},   {{0, 0, -1, 0}, 1},  {{-1, 0, 0, 0}, 2}, {{1, 0, 0, 0}, 3},
      {{0, -1, 0, 0}, 4},  {{0, 1, 0, 0}, 5},   {{0.3f, 0.2f, 0.93f, 0}, 0},
      // Exactly 45 degrees from +Z (and from +X) is within neither.
      {{std::sqrt(0.5f), 0, std::sqrt(0.5f), 0}, 6},
      {{0.57735f, 0.57735f, 0.57735f, 0}, 6},  // 54.7 degrees from every direction
      {{NAN, NAN, NAN, 0}, 6},
  };
  for (const Case& c : cases) EXPECT_EQ(wld_face_bin_of(c.normal), c.bin) << c.normal.x << " " << c.normal.y << " " << c.normal.z;
}

// An object of triangles facing each direction, one degenerate, under a frame that turns it.
kit::WldSpec binned_world(const G3dMatrix& frame0) {
  kit::WldSpec s;
  s.box = {{0, 0, 0, 0}, {100, 100, 100, 0}};
  kit::WldObjectSpec o;
  auto tri = [&](G3dVertex a, G3dVertex b, G3dVertex c) {
    auto base = std::uint16_t(o.vertices.size());
    o.vertices.insert(o.vertices.end(), {a, b, c});
    for (int k = 0; k < 3; ++k) o.indices.push_back(std::uint16_t(base + k));
  };
  using kit::make_vertex;
  // Normal = (p0 - p1) x (p2 - p1).
  tri(make_vertex(0, 1, 0), make_vertex(0, 0, 0), make_vertex(1, 0, 0));  // (0,1,0)x(1,0,0) = (0,0,-1)
  tri(make_vertex(1, 0, 0), make_vertex(0, 0, 0), make_vertex(0, 1, 0));  // (0,0,1)
  tri(make_vertex(0, 0, 1), make_vertex(0, 0, 0), make_vertex(0, 1, 0));  // (0,0,1)x(0,1,0) = (-1,0,0)
  tri(make_vertex(5, 5, 5), make_vertex(5, 5, 5), make_vertex(6, 6, 6));  // degenerate
  o.frames = {frame0};
  s.objects.push_back(o);
  s.has_coll_tris = s.has_grid = s.has_wall_boxes = false;
  return s;
}

TEST(FaceBins, TrianglesAreBinnedUnderTheFirstFrameAndEveryObjectIsFlagged) {
  G3dWld w;
  Bytes file = kit::wld_file(binned_world(kit::identity_matrix()));
  ASSERT_EQ(g3d_wld_load_bytes(&w, file.data(), file.size(), "bins"), 1);
  ASSERT_TRUE(w.has_face_bins());
  const G3dFaceBins& b = w.face_bins[0];
  EXPECT_EQ(b.bins[0], (Indices{3, 4, 5}));
  EXPECT_EQ(b.bins[1], (Indices{0, 1, 2}));
  EXPECT_EQ(b.bins[2], (Indices{6, 7, 8}));
  EXPECT_EQ(b.bins[6], (Indices{9, 10, 11})) << "a degenerate triangle has no direction";
  EXPECT_TRUE(w.objects[0].flags & wld_obj_face_bins);

  // A frame 0 that turns the object 180 degrees about y swaps +Z and -Z.
  G3dMatrix turn = kit::identity_matrix();
  turn.m[0] = -1;
  turn.m[10] = -1;
  file = kit::wld_file(binned_world(turn));
  ASSERT_EQ(g3d_wld_load_bytes(&w, file.data(), file.size(), "bins"), 1);
  EXPECT_EQ(w.face_bins[0].bins[0], (Indices{0, 1, 2}));
  EXPECT_EQ(w.face_bins[0].bins[3], (Indices{6, 7, 8}));
  g3d_wld_free_face_bins(&w);
  EXPECT_FALSE(w.has_face_bins());
}

// A world with objects at given x ranges (z 0..100) and a box from 0 to width.
G3dWld grid_world(float box_min_x, float width, const std::vector<std::pair<float, float>>& xs, float depth = 100) {
  G3dWld w;
  w.box = {{box_min_x, 0, 0, 0}, {box_min_x + width, 100, depth, 0}};
  for (auto [x0, x1] : xs) {
    G3dWldObj o;
    o.box = {{x0, 0, 0, 0}, {x1, 10, 100, 0}};
    w.objects.push_back(o);
  }
  return w;
}

Indices query(G3dWld& w, float x, float z, float radius) {
  G3dVector p{x, 0, z, 0};
  return *g3d_wld_query_grid(&w, &p, radius);
}

TEST(WorldGrid, CellsAreCountedFromTheBoxMinimumAndTouchingBoxesAreListed) {
  G3dWld w = grid_world(0, 10000, {{0, 2500}, {2600, 2700}, {9000, 12000}, {-500, 0}, {-500, -1}});
  g3d_wld_build_grid(&w, 2500);
  ASSERT_TRUE(w.grid_built);
  EXPECT_EQ(w.grid_nx, 4);
  EXPECT_EQ(w.grid_nz, 1);
  EXPECT_EQ(w.grid_cells[0], (Indices{0, 3})) << "an object ending on a cell's edge is listed in both";
  for (const Indices& cell : w.grid_cells) EXPECT_EQ(std::count(cell.begin(), cell.end(), 4), 0) << "outside the box";
  EXPECT_EQ(w.grid_cells[1], (Indices{0, 1}));
  EXPECT_EQ(w.grid_cells[3], (Indices{2}));
}

TEST(WorldGrid, QueriesTakeTheCellOfCeilMinusOneClampedToTheGrid) {
  G3dWld w = grid_world(0, 10000, {{100, 200}, {2600, 2700}, {5100, 5200}, {7600, 7700}});
  g3d_wld_build_grid(&w, 2500);
  EXPECT_EQ(query(w, 2500, 50, 0), (Indices{0})) << "ceil(1) - 1 = column 0";
  EXPECT_EQ(query(w, 2500.5f, 50, 0), (Indices{1}));
  EXPECT_EQ(query(w, -90000, 50, 0), (Indices{0})) << "clamped to the first column";
  EXPECT_EQ(query(w, 90000, 50, 10), (Indices{3})) << "and to the last";
  EXPECT_EQ(query(w, 5000, 50, 2600), (Indices{0, 1, 2, 3})) << "each object once, ascending";
  EXPECT_EQ(query(w, NAN, 50, 0), (Indices{0}));
}

TEST(WorldGrid, QueriesSubtractTheWorldBoxMinimum) {
  G3dWld w = grid_world(-5000, 10000, {{-4900, -4800}, {4800, 4900}});
  g3d_wld_build_grid(&w, 2500);
  EXPECT_EQ(query(w, -4850, 50, 0), (Indices{0}));
  EXPECT_EQ(query(w, 4850, 50, 0), (Indices{1}));
}

TEST(WorldGrid, AWorldWithoutGridOrWithAnEmptyBoxGivesAnEmptyList) {
  G3dWld with = grid_world(0, 10000, {{0, 100}});
  g3d_wld_build_grid(&with, 2500);
  ASSERT_EQ(query(with, 50, 50, 0), (Indices{0}));
  G3dWld without = grid_world(0, 10000, {{0, 100}});
  EXPECT_TRUE(query(without, 50, 50, 0).empty()) << "not the previous query's indices";
  G3dWld flat = grid_world(0, 0, {{0, 100}});
  g3d_wld_build_grid(&flat, 2500);
  EXPECT_FALSE(flat.grid_built);
  EXPECT_TRUE(query(flat, 50, 50, 1000).empty());
  for (float cell : {0.0f, -5.0f, NAN, 1e-30f}) {
    G3dWld w = grid_world(0, 10000, {{0, 100}});
    g3d_wld_build_grid(&w, cell);
    EXPECT_FALSE(w.grid_built) << cell;
  }
}

TEST(WorldGrid, MoreThan4096ObjectsAreAllFound) {
  std::vector<std::pair<float, float>> xs;
  for (int i = 0; i < 5000; ++i) xs.push_back({float(i % 100) * 100, float(i % 100) * 100 + 50});
  G3dWld w = grid_world(0, 10000, xs);
  g3d_wld_build_grid(&w, 2500);
  Indices all = query(w, 5000, 50, 20000);
  ASSERT_EQ(all.size(), 5000u);
  EXPECT_EQ(all.back(), 4999);
}

TEST(WorldGrid, RebuildingGivesTheWorldANewSerial) {
  G3dWld w = grid_world(0, 10000, {{0, 100}});
  g3d_wld_build_grid(&w, 2500);
  std::uint32_t first = w.serial;
  g3d_wld_build_grid(&w, 5000);
  EXPECT_NE(w.serial, first);
  EXPECT_EQ(w.grid_nx, 2);
  g3d_wld_free_grid(&w);
  EXPECT_FALSE(w.grid_built);
  EXPECT_TRUE(w.grid_cells.empty());
}

}  // namespace

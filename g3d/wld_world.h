#pragma once
// A loaded world, G3dWld: the drawable objects (each a textured triangle mesh with its own
// frames), the names, the face bins of every object, the XZ object grid, and the collision data
// (collision triangles, the collision grid over them, the wall boxes). Loaded from WLD files by
// the world loader; every array is checked against the file when it is read, so the drawers and
// the collision code may index by the counts the world holds.
#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "g3d/bounding_sphere.h"
#include "g3d/coll_tri.h"
#include "g3d/g3d_math.h"
#include "g3d/g3d_vertex.h"

// Object flags.
constexpr std::uint32_t wld_obj_blend_mask = 0xF;
constexpr std::uint32_t wld_obj_faces_camera = 0x100000;
constexpr std::uint32_t wld_obj_never_occluder = 0x200000;
constexpr std::uint32_t wld_obj_face_bins = 0x400000;

struct G3dWldObj {
  std::uint32_t first_word = 0;
  G3dBox box{};  // world coordinates
  G3dSphere sphere{};
  std::uint32_t flags = 0;
  std::uint32_t tex_no = 0;
  std::vector<G3dVertex> vertices;
  std::vector<std::uint16_t> indices;  // triangle list, each index below the vertex count
  std::vector<G3dMatrix> frames;
  std::uint32_t vertex_animation = 0;  // nonzero: one full vertex array per frame follows
  std::vector<G3dVertex> animated;     // frames x vertices, frame 0 first; empty without animation
  std::array<std::uint8_t, 32> trailing{};

  std::uint32_t frame_count() const { return std::uint32_t(frames.size()); }
  // The vertices drawn at a frame (below the frame count): the frame's animated run, or the
  // object's own vertices.
  const G3dVertex* frame_vertices(std::uint32_t frame) const {
    return animated.empty() ? vertices.data() : animated.data() + std::size_t(frame) * vertices.size();
  }
};

// One object's faces sorted by the direction their normals face: bins 0..5 within 45 degrees
// of +Z, -Z, -X, +X, -Y, +Y; bin 6 the rest. Three indices per triangle.
constexpr int wld_face_bin_count = 7;
struct G3dFaceBins {
  std::array<std::vector<std::uint16_t>, wld_face_bin_count> bins;
};

// A cell of the collision grid: a run of count entries of the face list from first.
struct CollCell {
  std::uint16_t count = 0;
  std::uint16_t pad = 0;
  std::uint32_t first = 0;
};

// The collision grid over the collision triangles: nx x nz cells (ny is carried, never
// indexed), cell (ix, iz) at iz * nx + ix. Every face-list entry is a valid CollTri index and
// every cell's run lies inside the face list.
struct CollArray {
  std::uint32_t nx = 0, ny = 0, nz = 0;
  float min[3] = {}, max[3] = {}, cell[3] = {};
  std::uint32_t face_total = 0;
  std::vector<std::uint32_t> lpTotFaceList;
  std::vector<CollCell> lpColl;  // empty when the face total is 0: no collision cells
};

struct WldMask {
  std::array<std::uint8_t, 32> kept{};
  std::vector<CollTri> lpCollTri;
};

struct WldMaskBpx {
  std::vector<G3dBox> lpBox;
};

using WldName = std::array<char, 32>;  // always ends with a zero

struct G3dWld {
  G3dBox box{};
  std::array<std::uint8_t, 20> geometry_kept{};
  std::vector<G3dWldObj> objects;
  std::vector<WldName> names;
  std::uint32_t kept_values[2] = {};
  std::vector<G3dFaceBins> face_bins;  // one per object once built, else empty
  float grid_cell = 0;
  int grid_nx = 0, grid_nz = 0;
  std::vector<std::vector<std::uint16_t>> grid_cells;  // nx x nz object lists; empty: no grid
  bool grid_built = false;
  WldMask Mask;
  WldMaskBpx MaskBpx;
  std::unique_ptr<CollArray> lpCollArray;
  // A number given to each load and grid build, 0 for an empty record: the world drawer keys
  // its cached grid query on it.
  std::uint32_t serial = 0;

  std::uint32_t object_count() const { return std::uint32_t(objects.size()); }
  bool has_face_bins() const { return !face_bins.empty(); }
};

// A new world serial (never 0).
std::uint32_t wld_next_serial();

// The loading bar's step call (tenths of the bar), registered by the interface; null draws
// nothing.
extern void (*wld_loading_bar)(int step);

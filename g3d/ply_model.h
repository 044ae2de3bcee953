#pragma once
// A loaded PLY model, G3dPoly: the parts with their boxes, the vertices, the triangle list, the
// materials, one matrix per part and frame, and the vertex frames. The unpacked model block is
// decoded field by field and every count, range and index is checked against it, so that the
// drawers may index the arrays by what the model states without further tests.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "g3d/bounding_sphere.h"
#include "g3d/g3d_math.h"
#include "g3d/g3d_vertex.h"

// A model number: group = id / 3000 (0 char, 1 item, 2 magic, 3 sys, 4 map, 5 other), entry =
// id mod 3000; entry 0 names no model.
using ModelId = std::uint16_t;

constexpr std::uint32_t ply_part_tag_mask = 0xFF000000;  // nonzero: an attachment point, tag + 1
constexpr std::uint32_t ply_part_faces_camera = 0x100000;
constexpr std::uint32_t ply_own_vertices = 0xFFFFFFFF;  // vertex-frame map: the part's own vertices

struct PlyPart {
  std::uint32_t id;  // flags and, in the top byte, the attachment tag + 1
  std::uint32_t word4;
  std::uint32_t first_vertex;
  std::uint32_t end_vertex;  // exclusive
  std::uint32_t rest[3];
};

struct PlyMaterial {
  std::uint32_t index_count;  // u16 indices into the triangle list
  std::uint32_t first_index;
  std::uint32_t word8;
  std::uint32_t flags;  // blend mode in bits 0..3; a nonzero top byte is skipped by the plain drawers
  std::uint32_t tex_no;
  std::uint32_t rest[8];
};

// A frame of vertex animation: per part the position of its first vertex in this frame's own
// vertices, or ply_own_vertices.
struct PlyVertexFrame {
  std::vector<std::uint32_t> part_map;
  std::vector<G3dVertex> vertices;
};

struct G3dPoly {
  std::uint32_t block_size = 0;  // as the block states it
  std::uint32_t bytes = 0;       // the unpacked block's real size
  G3dBox box{};
  G3dSphere sphere{};
  std::vector<PlyPart> parts;
  std::vector<G3dBox> part_boxes;  // per part, around its own vertices
  std::vector<G3dVertex> vertices;
  std::vector<std::uint16_t> triangles;  // three vertex indices per triangle
  std::vector<PlyMaterial> materials;
  std::vector<std::uint32_t> values;
  std::uint32_t frame_count = 0;        // matrix frames, as the drawers count them
  std::vector<G3dMatrix> lpAMatFrame;   // frame_count runs of one matrix per part
  std::vector<PlyVertexFrame> lpAVtxFrame;
  std::uint32_t fresh = 0;  // 1 right after the cache loaded it, 0 after a later hit

  std::uint32_t part_count() const { return std::uint32_t(parts.size()); }
  std::uint32_t triangle_count() const { return std::uint32_t(triangles.size() / 3); }
  const G3dMatrix& part_matrix(std::uint32_t frame, std::uint32_t part) const {
    return lpAMatFrame[std::size_t(frame) * parts.size() + part];
  }
  // The vertices of a part at a frame: the frame's own run when its map names one, else the
  // model's vertices from the part's first vertex on.
  const G3dVertex* part_vertices(std::uint32_t frame, std::uint32_t part) const;
};

// Decodes an unpacked model block into out (cleared first). 0, and out empty, when a count,
// range, index or size does not agree with the block.
int g3d_chang_LinerBuf_DrawModel(const std::uint8_t* block, std::size_t size, G3dPoly* out);

// Frees everything the model holds and zeroes its counts.
void g3d_ply_free(G3dPoly* poly);

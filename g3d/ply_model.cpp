// The model block decoder.
#include "g3d/ply_model.h"

#include <algorithm>

#include "core/byte_reader.h"
#include "g3d/g3d_read.h"

namespace {

constexpr std::uint32_t part_bytes = 28;
constexpr std::uint32_t material_bytes = 52;

PlyPart read_part(ByteReader& r) {
  PlyPart p;
  p.id = r.u32();
  p.word4 = r.u32();
  p.first_vertex = r.u32();
  p.end_vertex = r.u32();
  for (auto& w : p.rest) w = r.u32();
  return p;
}

PlyMaterial read_material(ByteReader& r) {
  PlyMaterial m;
  m.index_count = r.u32();
  m.first_index = r.u32();
  m.word8 = r.u32();
  m.flags = r.u32();
  m.tex_no = r.u32();
  for (auto& w : m.rest) w = r.u32();
  return m;
}

bool read_parts(ByteReader& r, G3dPoly& p) {
  std::uint32_t n = r.u32();
  if (!fits(r, n, part_bytes)) return false;
  p.parts.resize(n);
  for (auto& part : p.parts) part = read_part(r);
  return r.ok();
}

bool read_vertices(ByteReader& r, std::uint32_t n, std::vector<G3dVertex>& out) {
  if (!fits(r, n, g3d_vertex_bytes)) return false;
  out.resize(n);
  for (auto& v : out) v = read_vertex(r);
  return r.ok();
}

bool read_triangles(ByteReader& r, G3dPoly& p) {
  std::uint32_t n = r.u32();
  if (!fits(r, n, 6)) return false;
  p.triangles.resize(std::size_t(n) * 3);
  for (auto& index : p.triangles) {
    index = r.u16();
    if (index >= p.vertices.size()) return false;
  }
  return r.ok();
}

bool read_materials(ByteReader& r, G3dPoly& p) {
  std::uint32_t n = r.u32();
  if (!fits(r, n, material_bytes)) return false;
  p.materials.resize(n);
  for (auto& m : p.materials) {
    m = read_material(r);
    if (std::uint64_t(m.first_index) + m.index_count > p.triangles.size()) return false;
  }
  return r.ok();
}

bool read_values(ByteReader& r, G3dPoly& p) {
  std::uint32_t n = r.u32();
  if (!fits(r, n, 4)) return false;
  p.values.resize(n);
  for (auto& v : p.values) v = r.u32();
  return r.ok();
}

bool read_matrix_frames(ByteReader& r, G3dPoly& p) {
  p.frame_count = r.u32();
  std::uint64_t matrices = std::uint64_t(p.frame_count) * p.parts.size();
  if (!fits(r, matrices, g3d_matrix_bytes)) return false;
  p.lpAMatFrame.resize(matrices);
  for (auto& m : p.lpAMatFrame) m = read_matrix(r);
  return r.ok();
}

bool read_vertex_frame(ByteReader& r, const G3dPoly& p, PlyVertexFrame& f) {
  if (!fits(r, p.parts.size(), 4)) return false;
  f.part_map.resize(p.parts.size());
  for (auto& m : f.part_map) m = r.u32();
  if (!read_vertices(r, r.u32(), f.vertices)) return false;
  for (std::size_t i = 0; i < p.parts.size(); ++i) {
    std::uint32_t at = f.part_map[i];
    std::uint64_t length = p.parts[i].end_vertex - p.parts[i].first_vertex;
    if (at != ply_own_vertices && at + length > f.vertices.size()) return false;
  }
  return true;
}

bool read_vertex_frames(ByteReader& r, G3dPoly& p) {
  std::uint32_t n = r.u32();
  // Each frame takes at least its part map and its vertex count.
  if (!r.ok() || !fits(r, n, 4 * (std::uint64_t(p.parts.size()) + 1))) return false;
  p.lpAVtxFrame.resize(n);
  for (auto& f : p.lpAVtxFrame)
    if (!read_vertex_frame(r, p, f)) return false;
  return true;
}

bool parts_agree(const G3dPoly& p) {
  for (const PlyPart& part : p.parts)
    if (part.first_vertex > part.end_vertex || part.end_vertex > p.vertices.size()) return false;
  return true;
}

// A part's box over its own vertices; a part without vertices keeps a zero box.
G3dBox part_box(const G3dPoly& p, const PlyPart& part) {
  G3dBox b{};
  for (std::uint32_t k = part.first_vertex; k < part.end_vertex; ++k) {
    const G3dVertex& v = p.vertices[k];
    if (k == part.first_vertex) {
      b.min = b.max = G3dVector{v.x, v.y, v.z, 0};
      continue;
    }
    b.min.x = std::min(b.min.x, v.x);
    b.min.y = std::min(b.min.y, v.y);
    b.min.z = std::min(b.min.z, v.z);
    b.max.x = std::max(b.max.x, v.x);
    b.max.y = std::max(b.max.y, v.y);
    b.max.z = std::max(b.max.z, v.z);
  }
  return b;
}

bool decode(ByteReader& r, G3dPoly& p) {
  p.block_size = r.u32();
  p.box = read_box(r);
  p.sphere = read_sphere(r);
  if (!read_parts(r, p) || !read_vertices(r, r.u32(), p.vertices) || !parts_agree(p)) return false;
  if (!read_triangles(r, p) || !read_materials(r, p) || !read_values(r, p)) return false;
  return read_matrix_frames(r, p) && read_vertex_frames(r, p);
}

}  // namespace

const G3dVertex* G3dPoly::part_vertices(std::uint32_t frame, std::uint32_t part) const {
  if (frame < lpAVtxFrame.size()) {
    const PlyVertexFrame& f = lpAVtxFrame[frame];
    if (f.part_map[part] != ply_own_vertices) return f.vertices.data() + f.part_map[part];
  }
  return vertices.data() + parts[part].first_vertex;
}

int g3d_chang_LinerBuf_DrawModel(const std::uint8_t* block, std::size_t size, G3dPoly* out) {
  g3d_ply_free(out);
  ByteReader r(block, size);
  G3dPoly p;
  if (!decode(r, p)) return 0;
  p.part_boxes.reserve(p.parts.size());
  for (const PlyPart& part : p.parts) p.part_boxes.push_back(part_box(p, part));
  *out = std::move(p);
  return 1;
}

void g3d_ply_free(G3dPoly* poly) { *poly = G3dPoly{}; }

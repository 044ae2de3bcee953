// The PLY model decoder on arbitrary bytes, both as an unpacked model block and as a PLY file
// (an LZO packed block); a model that is accepted is walked the way the drawers walk it.
#include <cstddef>
#include <cstdint>

#include "g3d/ply_file.h"
#include "g3d/ply_model.h"

namespace {

float walk(const G3dPoly& p) {
  float sum = 0;
  // A model without parts may state any number of frames; a few of them are walked.
  const std::uint32_t frames = p.frame_count < 64 ? p.frame_count : 64;
  for (std::uint32_t f = 0; f <= frames; ++f) {
    for (std::uint32_t k = 0; k < p.part_count(); ++k) {
      if (f < p.frame_count) sum += p.part_matrix(f, k).m[3];
      const G3dVertex* v = p.part_vertices(f, k);
      for (std::uint32_t i = 0; i < p.parts[k].end_vertex - p.parts[k].first_vertex; ++i) sum += v[i].x;
    }
  }
  for (std::uint16_t i : p.triangles) sum += p.vertices[i].y;
  for (const PlyMaterial& m : p.materials)
    for (std::uint32_t i = 0; i < m.index_count; ++i) sum += float(p.triangles[m.first_index + i]);
  return sum;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  G3dPoly poly;
  if (g3d_chang_LinerBuf_DrawModel(data, size, &poly)) {
    volatile float sink = walk(poly);
    (void)sink;
  }
  if (g3d_ply_load_block(&poly, data, size, "fuzz.PLY")) {
    volatile float sink = walk(poly);
    (void)sink;
  }
  return 0;
}

// The WLD loader on arbitrary bytes (stored or packed images); a world that is accepted gets
// its grid built and queried and is walked the way the drawers and the collision code walk it.
#include <cstddef>
#include <cstdint>

#include "g3d/wld_grid.h"
#include "g3d/wld_loader.h"

namespace {

float walk(const G3dWld& w) {
  float sum = 0;
  for (std::size_t i = 0; i < w.objects.size(); ++i) {
    const G3dWldObj& o = w.objects[i];
    for (std::uint32_t f = 0; f < o.frame_count(); ++f) {
      const G3dVertex* v = o.frame_vertices(f);
      for (std::size_t k = 0; k < o.vertices.size(); ++k) sum += v[k].x;
    }
    for (std::uint16_t k : o.indices) sum += o.vertices[k].y;
    for (const auto& bin : w.face_bins[i].bins)
      for (std::uint16_t k : bin) sum += o.vertices[k].z;
  }
  if (w.lpCollArray)
    for (const CollCell& c : w.lpCollArray->lpColl)
      for (std::uint32_t k = 0; k < c.count; ++k) sum += w.Mask.lpCollTri[w.lpCollArray->lpTotFaceList[c.first + k]].d;
  return sum;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  G3dWld w;
  if (!g3d_wld_load_bytes(&w, data, size, "fuzz.WLD")) return 0;
  volatile float sink = walk(w);
  (void)sink;
  g3d_wld_build_grid(&w, 2500.0f);
  for (float x : {-1e9f, 0.0f, 1234.5f, 1e9f}) {
    G3dVector p{x, 0, x, 0};
    g3d_wld_query_grid(&w, &p, 10000.0f);
  }
  g3d_wld_free(&w);
  return 0;
}

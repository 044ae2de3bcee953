// Scrolling textures of the field map.
#include "field/texture_scroll.h"

#include "field/map_file.h"
#include "g3d/ply_model.h"
#include "g3d/wld_world.h"

namespace {

constexpr int scroll_entries = 32;

void shift_uv(G3dVertex* v, std::size_t count, float du, float dv) {
  for (std::size_t i = 0; i < count; ++i) {
    v[i].u += du;
    v[i].v += dv;
  }
}

}  // namespace

void scroll_world_textures(G3dWld* world, unsigned frame) {
  const MapRecord& r = map_record;
  for (int i = 0; i < scroll_entries && r.uv_tex[i] != 0; ++i) {
    if (r.uv_tex[i] >= world->object_count()) continue;
    G3dWldObj& o = world->objects[r.uv_tex[i]];
    const std::size_t n = o.vertices.size();
    if (o.animated.empty()) {
      shift_uv(o.vertices.data(), n, r.uv_rate_u[i], r.uv_rate_v[i]);
    } else if (n != 0 && frame < o.animated.size() / n) {
      shift_uv(o.animated.data() + std::size_t(frame) * n, n, r.uv_rate_u[i], r.uv_rate_v[i]);
    }
  }
}

void scroll_sky_texture(G3dPoly* sky, unsigned frame) {
  const MapRecord& r = map_record;
  const unsigned part_index = r.sky_tex;
  if (part_index >= sky->part_count()) return;
  const PlyPart& part = sky->parts[part_index];
  const std::size_t count = part.end_vertex - part.first_vertex;
  if (frame < sky->lpAVtxFrame.size()) {
    PlyVertexFrame& f = sky->lpAVtxFrame[frame];
    if (part_index < f.part_map.size() && f.part_map[part_index] != ply_own_vertices) {
      const std::size_t first = f.part_map[part_index];
      if (first <= f.vertices.size() && count <= f.vertices.size() - first)
        shift_uv(f.vertices.data() + first, count, r.sky_rate_u, r.sky_rate_v);
      return;
    }
  }
  shift_uv(sky->vertices.data() + part.first_vertex, count, r.sky_rate_u, r.sky_rate_v);
}

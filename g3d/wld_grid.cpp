// The world grid.
#include "g3d/wld_grid.h"

#include <algorithm>
#include <cmath>

namespace {

struct QueryList {
  std::vector<std::uint16_t> list;
  std::vector<bool> seen;  // one bit per object of the queried world
};

QueryList& query_list() {
  static QueryList q;
  return q;
}

// A cell count along one axis: ceil(extent / cell), 0 when that is not a sensible number.
int cells_along(float low, float high, float cell) {
  float n = std::ceil((high - low) / cell);
  if (!std::isfinite(n) || n < 1.0f || n > float(wld_grid_max_cells)) return 0;
  return int(n);
}

// The cells [lo, hi] along one axis that a box side [b0, b1] may touch; the exact test follows
// in the caller. A side that is not finite may touch every cell.
void cell_range(float b0, float b1, float cell, int count, int* lo, int* hi) {
  *lo = 0;
  *hi = count - 1;
  if (!std::isfinite(b0) || !std::isfinite(b1)) return;
  float first = std::floor(b0 / cell) - 1.0f, last = std::floor(b1 / cell) + 1.0f;
  if (first > 0.0f) *lo = first >= float(count) ? count : int(first);
  if (last < float(count - 1)) *hi = last < 0.0f ? -1 : int(last);
}

bool touches(float b0, float b1, int cell_index, float cell) {
  return !(b0 > float(cell_index + 1) * cell || b1 < float(cell_index) * cell);
}

void list_object(G3dWld& w, std::uint16_t i) {
  const G3dBox& b = w.objects[i].box;
  float x0 = b.min.x - w.box.min.x, x1 = b.max.x - w.box.min.x;
  float z0 = b.min.z - w.box.min.z, z1 = b.max.z - w.box.min.z;
  int o_lo, o_hi, j_lo, j_hi;
  cell_range(x0, x1, w.grid_cell, w.grid_nx, &o_lo, &o_hi);
  cell_range(z0, z1, w.grid_cell, w.grid_nz, &j_lo, &j_hi);
  for (int j = j_lo; j <= j_hi; ++j)
    for (int o = o_lo; o <= o_hi; ++o)
      if (touches(x0, x1, o, w.grid_cell) && touches(z0, z1, j, w.grid_cell))
        w.grid_cells[std::size_t(j) * std::size_t(w.grid_nx) + std::size_t(o)].push_back(i);
}

// The cell of a coordinate: ceil(v / cell) - 1 clamped to 0 .. count - 1.
int clamped_cell(float v, float cell, int count) {
  float c = std::ceil(v / cell) - 1.0f;
  if (!(c > 0.0f)) return 0;  // below 0, or not a number
  if (c >= float(count)) return count - 1;
  return int(c);
}

}  // namespace

void g3d_wld_build_grid(G3dWld* world, float cell) {
  g3d_wld_free_grid(world);
  world->grid_cell = cell;
  if (!(cell > 0.0f) || !std::isfinite(cell)) return;
  int nx = cells_along(world->box.min.x, world->box.max.x, cell);
  int nz = cells_along(world->box.min.z, world->box.max.z, cell);
  if (nx == 0 || nz == 0 || std::int64_t(nx) * nz > wld_grid_max_cells) return;
  world->grid_nx = nx;
  world->grid_nz = nz;
  world->grid_cells.resize(std::size_t(nx) * std::size_t(nz));
  // Object indices are u16 in the cell lists; objects beyond that are never listed.
  std::size_t listed = std::min<std::size_t>(world->objects.size(), 0x10000);
  for (std::size_t i = 0; i < listed; ++i) list_object(*world, std::uint16_t(i));
  world->grid_built = true;
  world->serial = wld_next_serial();
}

const std::vector<std::uint16_t>* g3d_wld_query_grid(G3dWld* world, const G3dVector* point, float radius) {
  QueryList& q = query_list();
  q.list.clear();
  if (!world->grid_built) return &q.list;
  float x = point->x - world->box.min.x, z = point->z - world->box.min.z;
  const float cell = world->grid_cell;
  int c0 = clamped_cell(x - radius, cell, world->grid_nx), c1 = clamped_cell(x + radius, cell, world->grid_nx);
  int r0 = clamped_cell(z - radius, cell, world->grid_nz), r1 = clamped_cell(z + radius, cell, world->grid_nz);
  if (c0 > c1) std::swap(c0, c1);
  if (r0 > r1) std::swap(r0, r1);
  q.seen.assign(world->objects.size(), false);
  for (int r = r0; r <= r1; ++r)
    for (int c = c0; c <= c1; ++c)
      for (std::uint16_t i : world->grid_cells[std::size_t(r) * std::size_t(world->grid_nx) + std::size_t(c)])
        if (!q.seen[i]) {
          q.seen[i] = true;
          q.list.push_back(i);
        }
  std::sort(q.list.begin(), q.list.end());
  return &q.list;
}

void g3d_wld_free_grid(G3dWld* world) {
  world->grid_cells.clear();
  world->grid_cells.shrink_to_fit();
  world->grid_nx = world->grid_nz = 0;
  world->grid_built = false;
}

#pragma once
// The XZ object grid of a world: square cells over the world box, each listing the objects
// whose boxes touch it, and the query of the objects in the cells around a point.
#include <cstdint>
#include <vector>

#include "g3d/g3d_math.h"
#include "g3d/wld_world.h"

// The most cells a grid may have; a world box that would need more (or a cell size that is not
// positive, or bounds that are not finite) gets no grid.
constexpr std::int64_t wld_grid_max_cells = 1 << 20;

// (Re)builds the grid with square cells of the given size, counted from the world box minimum.
// A world whose box spans no cell gets no grid.
void g3d_wld_build_grid(G3dWld* world, float cell);
// The ascending indices, each once, of the objects in the cells within radius of the point (x
// and z; the point is taken relative to the world box minimum, as the cells are). The list is
// one program-wide list that each query overwrites; a world without a grid gives it empty.
const std::vector<std::uint16_t>* g3d_wld_query_grid(G3dWld* world, const G3dVector* point, float radius);
void g3d_wld_free_grid(G3dWld* world);

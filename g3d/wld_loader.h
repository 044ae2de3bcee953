#pragma once
// WLD world files: a 156-byte header with up to 17 sections (geometry, collision triangles,
// collision grid, wall boxes), stored as they are or as one LZO1X stream. The loaders check
// every count, offset and size against the image and every index against what it indexes;
// a file that does not agree is refused whole and the caller's record is left as it was.
#include <cstddef>
#include <cstdint>

#include "g3d/ply_file.h"
#include "g3d/wld_world.h"

constexpr std::size_t wld_header_size = 156;
constexpr std::uint32_t wld_max_sections = 17;
constexpr std::uint32_t wld_section_geometry = 0;
constexpr std::uint32_t wld_section_coll_tris = 0x10000;
constexpr std::uint32_t wld_section_coll_grid = 0x20000;
constexpr std::uint32_t wld_section_wall_boxes = 0x80000;

// Loads the WLD file into world; 1 when read and parsed (the world's old content is freed
// first), 0 when the file is missing (shown in a box), cannot be unpacked for lack of memory
// (shown in a box) or is damaged (reported once per path); on 0 the record is unchanged.
int g3d_wld_load(G3dWld* world, const char* path);
// The same from a whole file's bytes already in memory; name is used in the reports.
int g3d_wld_load_bytes(G3dWld* world, const std::uint8_t* file, std::size_t size, const char* name);
// Entry 1..3000 through a model index: the file number of the entry names the file (prefix,
// five digits, the index's extension) in directory (a single "\" when null).
int g3d_idx_wld_load(G3dWld* world, const char* directory, const PlyIndex* index, int entry);
// Entry 1..3000 from the group's pack file.
int g3d_pack_wld_load(G3dWld* world, const char* directory, const PlyPackIndex* index, int entry);

// Fills an object from its block; false when the block does not hold what its counts state.
bool g3d_wld_fix_object(const std::uint8_t* block, std::size_t size, G3dWldObj* out);

void g3d_wld_free_geometry(G3dWld* world);
void g3d_coll_array_clear(CollArray* array);
// Releases the whole world: face bins, grid, geometry, collision data.
void g3d_wld_free(G3dWld* world);

// build.DAT and the settlement's saved state.
#include "base/build_data.h"

std::uint32_t BuildGrid[build_grid_cells] = {};
ItemData escort_data[escort_count] = {};

void open_build_data() {}
void close_build_data() {}

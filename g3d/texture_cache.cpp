// The texture file cache.
#include "g3d/texture_cache.h"

namespace {
std::string texture_path;
std::uint32_t cache_size = 0;
int cache_state = 0;
}  // namespace

void g3d_set_texture_path(const char* directory) { texture_path = directory ? directory : ""; }
void g3d_set_texture_cache_size(std::uint32_t bytes) { cache_size = bytes; }
void g3d_set_texture_cache_state(int flags) { cache_state = flags; }
void g3d_load_category_idx_tex(int) {}

const std::string& g3d_texture_path() { return texture_path; }
std::uint32_t g3d_texture_cache_size() { return cache_size; }

#pragma once
// The texture file cache: the texture directory, its byte budget and state flags, and the six
// category indexes. This first version keeps the settings and loads nothing.
#include <cstdint>
#include <string>

void g3d_set_texture_path(const char* directory);
void g3d_set_texture_cache_size(std::uint32_t bytes);
void g3d_set_texture_cache_state(int flags);
void g3d_load_category_idx_tex(int which);

const std::string& g3d_texture_path();
std::uint32_t g3d_texture_cache_size();

#pragma once
// The texture file cache: texture pictures loaded by number on first use, converted to the
// texture pixel format and kept within a byte budget for the device texture cache. It also
// holds the g3d model and texture folders and the cache state word.
#include <cstdint>
#include <string>

#include "g3d/texture_index.h"

// The state word's flags, in exclusive pairs. Only G3D_MODEL_FMT_NORMAL changes anything:
// without it the cache loads nothing.
constexpr std::uint32_t DONOT_LOAD_SAME = 0x01;
constexpr std::uint32_t DO_LOAD_SAME = 0x02;
constexpr std::uint32_t G3D_TEXTURE_USE_PCT = 0x04;
constexpr std::uint32_t G3D_TEXTURE_USE_ARLE = 0x08;
constexpr std::uint32_t G3D_MODEL_FMT_PLY = 0x10;
constexpr std::uint32_t G3D_MODEL_FMT_NORMAL = 0x20;

constexpr std::uint32_t tex_cache_max_entries = 32768;
constexpr std::uint32_t tex_cache_default_budget = 0x800000;

struct TexCacheEntry {
  std::uint32_t type = 0;        // 2 run-length picture, 1 raw picture
  std::uint8_t* data = nullptr;  // the picture (a MemMgr block), owned
  std::uint32_t size = 0;        // bytes of data
  std::uint32_t key = 0;         // the TexNo
  std::uint32_t age = 0;         // lookups since it was made in which it was not the one asked for
};

void g3d_FileCache_Init();
void g3d_FileCache_Close();
void g3d_set_texture_cache_state(std::uint32_t flags);
void g3d_set_texture_cache_size(std::uint32_t bytes);
// A path whose second character is ':' (or, on this host, that begins with a separator) is
// taken as it is; any other is joined to the current directory.
void g3d_set_model_path(const char* path);
void g3d_set_texture_path(const char* path);
const std::string& g3d_model_path();
const std::string& g3d_texture_path();
// With 1, builds the six category folders and reads their "ALL_TEX.IDX".
void g3d_load_category_idx_tex(int on);

// The cached picture of a texture number, loading it on a miss; null when it cannot be had.
TexCacheEntry* g3d_FileCache_Get(std::uint32_t key);
void g3d_FileCache_Remove(std::uint32_t key);
// Frees every entry and forgets the extra index files, which are read again on next use.
int g3d_FileCache_Clear();

// Queries for tests.
std::uint32_t g3d_FileCache_bytes_held();
std::uint32_t g3d_FileCache_count();
std::uint32_t g3d_FileCache_state();
std::uint32_t g3d_texture_cache_size();  // the budget

// The texture file cache seen from the device texture cache.
#include "g3d/texture_source.h"

#include <map>

#include "g3d/texture_file_cache.h"

namespace {
std::map<std::uint32_t, TexturePicture>& test_pictures() {
  static std::map<std::uint32_t, TexturePicture> pictures;
  return pictures;
}
}  // namespace

bool texture_file_picture(std::uint32_t tex_no, TexturePicture& out) {
  auto it = test_pictures().find(tex_no);
  if (it != test_pictures().end()) {
    out = it->second;
    return true;
  }
  const TexCacheEntry* entry = g3d_FileCache_Get(tex_no);
  if (!entry || !entry->data) return false;
  out = {entry->data, entry->size, int(entry->type)};
  return true;
}

void texture_file_cache_init() { g3d_FileCache_Init(); }
void texture_file_cache_clear() { g3d_FileCache_Clear(); }
void texture_file_cache_close() { g3d_FileCache_Close(); }

void texture_file_set_test_picture(std::uint32_t tex_no, const TexturePicture* picture) {
  if (picture && picture->data)
    test_pictures()[tex_no] = *picture;
  else
    test_pictures().erase(tex_no);
}

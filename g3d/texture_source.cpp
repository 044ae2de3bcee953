// The texture file cache seen from the device texture cache. The texture files are read by the
// texture file cache; until it is linked here, only pictures put in place by tests are known.
#include "g3d/texture_source.h"

#include <map>

namespace {
std::map<std::uint32_t, TexturePicture>& test_pictures() {
  static std::map<std::uint32_t, TexturePicture> pictures;
  return pictures;
}
}  // namespace

bool texture_file_picture(std::uint32_t tex_no, TexturePicture& out) {
  auto it = test_pictures().find(tex_no);
  if (it == test_pictures().end()) return false;
  out = it->second;
  return true;
}

void texture_file_cache_init() {}
void texture_file_cache_clear() {}
void texture_file_cache_close() {}

void texture_file_set_test_picture(std::uint32_t tex_no, const TexturePicture* picture) {
  if (picture && picture->data)
    test_pictures()[tex_no] = *picture;
  else
    test_pictures().erase(tex_no);
}

// Slot thumbnails.
#include "ui/saves/save_thumbnail.h"

#include <cstring>

#include "core/mem_mgr.h"
#include "g3d/renderer.h"
#include "gfx2d/rle_image.h"
#include "ui/saves/save_image.h"

RleImage* convert_thumbnail(std::span<const std::uint8_t> picture) {
  if (!thumbnail_is_valid(picture)) return nullptr;
  void* block = MemMgr_Alloc(int(picture.size()));
  if (!block) return nullptr;
  std::memcpy(block, picture.data(), picture.size());
  auto* image = static_cast<RleImage*>(block);
  if (!convert_rle_image(image, picture.size(), nullptr, nullptr, nullptr)) {
    MemMgr_Free(block);
    return nullptr;
  }
  return image;
}

void free_thumbnail(RleImage* picture, std::uint32_t key) {
  renderer.release_texture(key + thumbnail_texture_offset);
  MemMgr_Free(picture);
}

void draw_thumbnail(int x, int y, int w, int h, const RleImage* picture, std::uint32_t key) {
  if (!picture) return;
  G3dMatrix m;
  renderer.identity_matrix(&m);
  renderer.translate_matrix(&m, float(x), float(y), 0.0f);
  renderer.scale_matrix(&m, float(w) / float(thumbnail_width), float(h) / float(thumbnail_height), 1.0f);
  const G3dRect source{0, 0, thumbnail_width, thumbnail_height};
  renderer.draw_image(&m, key, picture, &source, 0xFFFFFFFF, 0);
}

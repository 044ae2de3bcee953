// The device texture cache: textures by key, made on a miss from a picture in memory or from the
// texture file cache, aged on every lookup and evicted oldest first to stay within the budget.
#include <cstdint>

#include "g3d/renderer.h"
#include "g3d/rle_texture_upload.h"
#include "g3d/texture_source.h"

namespace {

std::uint32_t texture_size(const PictureHeader& h) {
  return std::uint32_t(h.width) * std::uint32_t(h.height) * std::uint32_t(h.bits / 8);
}

bool is_rle(const void* picture, std::size_t size) {
  const auto* p = static_cast<const std::uint8_t*>(picture);
  return size >= 2 && p[0] == 0xFF && p[1] == 0xFF;
}

// Releases a record's texture and the record.
void free_record(GRP3Ddraw* device, G3dTexture* t) {
  if (device)
    device->release_texture(t);
  else
    delete t->texture;
  delete t;
}

// Fills a texture from its picture. A keyed run-length picture first fills the texture with
// its key, so that its transparent runs become keyed texels.
bool fill_texture(G3dTexture* t, const std::uint8_t* picture, std::size_t size, bool rle, bool key_fill) {
  PictureHeader h;
  if (!read_picture_header(picture, size, rle, h)) return false;
  std::uint16_t* texels = t->texture->texels();
  const int pitch = t->texture->pitch();
  if (key_fill && rle && h.keyed)
    for (int i = 0; i < pitch * t->texture->height(); ++i) texels[i] = h.key;
  return upload_picture(picture, size, rle, texels, t->texture->width(), t->texture->height(), pitch);
}

}  // namespace

G3dTexture* g3d_renderer::get_texture(std::uint32_t key, const void* picture, std::size_t picture_size) {
  for (G3dTexture* t : textures_)
    if (t->age != 0xFFFFFFFFu) ++t->age;
  if (key == 0xFFFFFFFFu) return nullptr;
  for (G3dTexture* t : textures_) {
    if (t->key != key) continue;
    if (device_ && device_->restore_texture(t)) {
      bool refilled;
      if (picture) {
        refilled = fill_texture(t, static_cast<const std::uint8_t*>(picture), picture_size, is_rle(picture, picture_size), true);
      } else {
        TexturePicture file;
        refilled = texture_file_picture(key, file) && fill_texture(t, file.data, file.size, file.type == 2, false);
      }
      if (!refilled) return nullptr;
    }
    --t->age;
    return t;
  }
  return find_or_make_texture(key, picture, picture_size);
}

G3dTexture* g3d_renderer::find_or_make_texture(std::uint32_t key, const void* picture, std::size_t picture_size) {
  if (!device_) return nullptr;
  const std::uint8_t* data;
  std::size_t size;
  bool rle;
  if (picture) {
    data = static_cast<const std::uint8_t*>(picture);
    size = picture_size;
    rle = is_rle(picture, picture_size);
  } else {
    TexturePicture file;
    if (!texture_file_picture(key, file)) return nullptr;
    data = file.data;
    size = file.size;
    rle = file.type == 2;
  }
  PictureHeader h;
  if (!read_picture_header(data, size, rle, h) || h.bits != 16) return nullptr;
  const std::uint32_t bytes = texture_size(h);
  if (picture) {
    // A picture in memory makes room once, even if that is not enough.
    if (std::uint64_t(texture_bytes_) + bytes > texture_budget_ && !textures_.empty()) evict_oldest();
  } else {
    while (std::uint64_t(texture_bytes_) + bytes > texture_budget_ && !textures_.empty()) evict_oldest();
  }

  auto* t = new G3dTexture{};
  if (!device_->create_texture_buffer(t, h.width, h.height, 16, h.key, h.keyed ? 1 : 0)) {
    delete t;
    return nullptr;
  }
  // A picture that cannot be decoded gives no texture at all.
  if (!fill_texture(t, data, size, rle, false)) {
    free_record(device_, t);
    return nullptr;
  }
  t->key = key;
  t->age = 0;
  t->width = std::uint32_t(h.width);
  t->height = t->height2 = std::uint32_t(h.height);
  t->pitch = std::uint32_t(t->texture->pitch());
  t->bits = 16;
  textures_.push_back(t);
  texture_bytes_ += bytes;
  return t;
}

void g3d_renderer::evict_oldest() {
  int oldest = 0;
  for (int i = 1; i < int(textures_.size()); ++i)
    if (textures_[std::size_t(i)]->age > textures_[std::size_t(oldest)]->age) oldest = i;
  remove_texture_at(oldest);
}

void g3d_renderer::release_texture(std::uint32_t key) {
  for (int i = 0; i < int(textures_.size()); ++i)
    if (textures_[std::size_t(i)]->key == key) {
      remove_texture_at(i);
      return;
    }
}

void g3d_renderer::remove_texture_at(int index) {
  if (index < 0 || index >= int(textures_.size())) return;
  G3dTexture* t = textures_[std::size_t(index)];
  texture_bytes_ -= t->width * t->height * (t->bits / 8);
  free_record(device_, t);
  textures_[std::size_t(index)] = textures_.back();
  textures_.pop_back();
}

void g3d_renderer::release_textures() {
  for (G3dTexture* t : textures_) free_record(device_, t);
  textures_.clear();
  texture_bytes_ = 0;
}

// The renderer.
#include "g3d/renderer.h"

#include "g3d/grp3d_device.h"
#include "g3d/texture_file_cache.h"

g3d_renderer renderer;

namespace {
constexpr std::uint32_t default_texture_budget = 0xA00000;
}

void g3d_renderer::init(GRP3Ddraw* device) {
  device_ = device;
  render_mode_ = 0;
  texture_budget_ = default_texture_budget;
  set_render_mode(6);
  g3d_FileCache_Init();
}

void g3d_renderer::release() {
  device_ = nullptr;
  g3d_FileCache_Close();
}
void g3d_renderer::flush_textures() { g3d_FileCache_Clear(); }
void g3d_renderer::release_textures() {}

void g3d_renderer::set_render_mode(int mode) { render_mode_ = mode; }

void g3d_renderer::set_viewport(int x, int y, int width, int height, float scale, float near_plane,
                                float far_plane) {
  viewport_[0] = x;
  viewport_[1] = y;
  viewport_[2] = width;
  viewport_[3] = height;
  view_scale_ = scale;
  near_ = near_plane;
  far_ = far_plane;
}

void g3d_renderer::set_texture_budget(std::uint32_t bytes) { texture_budget_ = bytes; }

std::uint16_t* g3d_renderer::lock_back_buffer() { return nullptr; }
void g3d_renderer::unlock_back_buffer(std::uint16_t*) {}
void g3d_renderer::set_present_rect(int, int, int, int, int, int) {}

void g3d_renderer::present() {
  if (device_ && device_->display()) device_->display()->present();
}

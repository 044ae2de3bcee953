// The renderer.
#include "g3d/renderer.h"

#include "g3d/grp3d_device.h"
#include "g3d/texture_file_cache.h"
#include "gfx2d/sprite_blitter.h"

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

// Every frame's 2D drawing starts on the screen target; a failed lock leaves a null target,
// on which the blitter draws nothing.
std::uint16_t* g3d_renderer::lock_back_buffer() {
  std::uint16_t* pixels = lock_surface(device_ ? device_->back_surface() : nullptr);
  sprite_blitter.blit_dest = pixels;
  set_blit_target(nullptr, 0, 0, 0);
  return pixels;
}

void g3d_renderer::unlock_back_buffer(std::uint16_t* pixels) {
  if (device_) unlock_surface(device_->back_surface(), pixels);
}

void g3d_renderer::set_present_rect(int dest_x, int dest_y, int src_x, int src_y, int src_width,
                                    int src_height) {
  if (device_ && device_->display())
    device_->display()->set_present_rect(
        dest_x, dest_y, platform::Rect{src_x, src_y, src_x + src_width, src_y + src_height});
}

void g3d_renderer::present() {
  if (device_ && device_->display()) device_->display()->present();
}

#pragma once
// The renderer g3d_renderer, one global: every screen draws through it and ends its frame with
// g3d_renderer::present. This first version keeps its settings and presents through the display.
#include <cstdint>

class GRP3Ddraw;

class g3d_renderer {
 public:
  void init(GRP3Ddraw* device);
  // Frees the renderer's buffers and textures; safe when init never ran.
  void release();
  void flush_textures();
  void release_textures();
  void set_render_mode(int mode);
  void set_viewport(int x, int y, int width, int height, float scale, float near_plane,
                    float far_plane);
  void set_texture_budget(std::uint32_t bytes);
  // The back buffer's pixels, null when the lock fails (no display surface yet).
  std::uint16_t* lock_back_buffer();
  void unlock_back_buffer(std::uint16_t* pixels);
  void set_present_rect(int dest_x, int dest_y, int src_x, int src_y, int src_width,
                        int src_height);
  void present();

  int render_mode() const { return render_mode_; }
  std::uint32_t texture_budget() const { return texture_budget_; }

 private:
  GRP3Ddraw* device_ = nullptr;
  int render_mode_ = 0;
  std::uint32_t texture_budget_ = 0;
  int viewport_[4] = {};
  float view_scale_ = 0, near_ = 0, far_ = 0;
};

extern g3d_renderer renderer;

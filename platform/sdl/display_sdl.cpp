// The SDL display output: each shown frame goes into a streaming texture of the frame's size
// and layout, drawn into the window scaled with 4:3 kept (QORV_INTEGER_SCALE=1 scales by whole
// numbers only). Exclusive cooperation is desktop full screen: the desktop mode never changes.
#include "platform/display_output.h"
#include "platform/sdl/sdl_window.h"

#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace platform {
namespace {

Uint32 texture_format(const PixelMasks& masks) {
  if (masks.red == masks_rgb555.red && masks.green == masks_rgb555.green && masks.blue == masks_rgb555.blue)
    return SDL_PIXELFORMAT_RGB555;
  return SDL_PIXELFORMAT_RGB565;  // other layouts are converted first
}

class SdlOutput final : public DisplayOutput {
 public:
  void show(Window* window, const std::uint16_t* pixels, int pitch, int width, int height,
            const PixelMasks& masks) override {
    SDL_Window* win = sdl_window(window);
    if (!win || !prepare(win, width, height, texture_format(masks))) return;
    const std::uint16_t* upload = pixels;
    int upload_pitch = pitch;
    bool native = masks.red == masks_rgb565.red && masks.green == masks_rgb565.green &&
                  masks.blue == masks_rgb565.blue;
    if (!native && texture_format(masks) == SDL_PIXELFORMAT_RGB565) {
      converted_.resize(std::size_t(width) * height);
      frame_to_rgb565(pixels, pitch, width, height, masks, converted_.data());
      upload = converted_.data();
      upload_pitch = width * 2;
    }
    SDL_UpdateTexture(texture_, nullptr, upload, upload_pitch);
    SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
    SDL_RenderClear(renderer_);
    SDL_RenderCopy(renderer_, texture_, nullptr, nullptr);
    SDL_RenderPresent(renderer_);
  }

  void set_full_screen(Window* window, bool full_screen) override {
    if (SDL_Window* win = sdl_window(window))
      SDL_SetWindowFullscreen(win, full_screen ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0);
  }

  void confine_cursor(Window* window, const Rect* rect) override {
    SDL_Window* win = sdl_window(window);
    if (!win) return;
    if (!rect) {
      SDL_SetWindowMouseRect(win, nullptr);
      return;
    }
    // Game pixels to window pixels through the letterboxed viewport.
    SDL_Rect r{rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top};
    if (renderer_ && window_ == win) {
      SDL_Rect view;
      float sx = 1, sy = 1;
      SDL_RenderGetViewport(renderer_, &view);
      SDL_RenderGetScale(renderer_, &sx, &sy);
      r = SDL_Rect{int((view.x + r.x) * sx), int((view.y + r.y) * sy), int(r.w * sx), int(r.h * sy)};
    }
    SDL_SetWindowMouseRect(win, &r);
  }

  void desktop_size(int& width, int& height) override {
    SDL_DisplayMode mode;
    if (SDL_WasInit(SDL_INIT_VIDEO) && SDL_GetDesktopDisplayMode(0, &mode) == 0) {
      width = mode.w;
      height = mode.h;
    } else {
      width = 640;
      height = 480;
    }
  }

 private:
  bool prepare(SDL_Window* win, int width, int height, Uint32 format) {
    if (win != window_) {
      renderer_ = SDL_GetRenderer(win);
      if (!renderer_) renderer_ = SDL_CreateRenderer(win, -1, 0);
      if (!renderer_) {
        std::fprintf(stderr, "display: no renderer for the window: %s\n", SDL_GetError());
        return false;
      }
      window_ = win;
      destroy_texture();
    }
    if (texture_ && width == tex_w_ && height == tex_h_ && format == tex_format_) return true;
    destroy_texture();
    texture_ = SDL_CreateTexture(renderer_, format, SDL_TEXTUREACCESS_STREAMING, width, height);
    if (!texture_) {
      std::fprintf(stderr, "display: no frame texture: %s\n", SDL_GetError());
      return false;
    }
    tex_w_ = width;
    tex_h_ = height;
    tex_format_ = format;
    SDL_RenderSetLogicalSize(renderer_, width, height);  // keeps the frame's aspect
    const char* integer = std::getenv("QORV_INTEGER_SCALE");
    SDL_RenderSetIntegerScale(renderer_, integer && std::strcmp(integer, "1") == 0 ? SDL_TRUE : SDL_FALSE);
    return true;
  }

  void destroy_texture() {
    if (texture_) SDL_DestroyTexture(texture_);
    texture_ = nullptr;
  }

  SDL_Window* window_ = nullptr;
  SDL_Renderer* renderer_ = nullptr;
  SDL_Texture* texture_ = nullptr;
  int tex_w_ = 0, tex_h_ = 0;
  Uint32 tex_format_ = 0;
  std::vector<std::uint16_t> converted_;
};

}  // namespace

DisplayOutput& sdl_display_output() {
  static SdlOutput out;
  return out;
}

}  // namespace platform

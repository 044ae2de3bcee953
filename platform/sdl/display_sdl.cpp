// The SDL display output: each shown frame goes into a streaming texture of the frame's size
// and layout, drawn with the window's renderer, whose logical size keeps the picture's 4:3
// shape (QORV_INTEGER_SCALE=1 scales by whole numbers only).
#include "platform/display_output.h"
#include "platform/sdl/window_sdl.h"

#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace platform {
namespace {

bool same_masks(const PixelMasks& a, const PixelMasks& b) {
  return a.red == b.red && a.green == b.green && a.blue == b.blue;
}

class SdlOutput final : public DisplayOutput {
 public:
  void show(Window* window, const std::uint16_t* pixels, int pitch, int width, int height,
            const PixelMasks& masks) override {
    SDL_Renderer* renderer = sdl_renderer(window);
    bool rgb555 = same_masks(masks, masks_rgb555);
    Uint32 format = rgb555 ? SDL_PIXELFORMAT_RGB555 : SDL_PIXELFORMAT_RGB565;
    if (!renderer || !prepare(renderer, width, height, format)) return;
    if (same_as_shown(pixels, pitch, width, height)) return;
    const std::uint16_t* upload = pixels;
    int upload_pitch = pitch;
    if (!rgb555 && !same_masks(masks, masks_rgb565)) {
      converted_.resize(std::size_t(width) * height);
      frame_to_rgb565(pixels, pitch, width, height, masks, converted_.data());
      upload = converted_.data();
      upload_pitch = width * 2;
    }
    SDL_UpdateTexture(texture_, nullptr, upload, upload_pitch);
    SDL_SetRenderDrawColor(renderer, 0, 0, 0, 255);
    SDL_RenderClear(renderer);
    SDL_RenderCopy(renderer, texture_, nullptr, nullptr);
    SDL_RenderPresent(renderer);
  }

  void confine_cursor(Window* window, const Rect* rect) override {
    SDL_Window* win = sdl_window(window);
    if (!win) return;
    if (!rect) {
      SDL_SetWindowMouseRect(win, nullptr);
      return;
    }
    // Frame pixels to window pixels through the renderer's letterboxed viewport.
    SDL_Rect r{rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top};
    if (SDL_Renderer* renderer = sdl_renderer(window)) {
      SDL_Rect view;
      float sx = 1, sy = 1;
      SDL_RenderGetViewport(renderer, &view);
      SDL_RenderGetScale(renderer, &sx, &sy);
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
  bool prepare(SDL_Renderer* renderer, int width, int height, Uint32 format) {
    if (renderer != renderer_) {
      // A new renderer (a new window) owns none of the old textures.
      texture_ = nullptr;
      renderer_ = renderer;
      // The event system may have been started again with the new window, which forgets its
      // watchers; removing first keeps one registration.
      SDL_DelEventWatch(on_event, this);
      SDL_AddEventWatch(on_event, this);
    }
    shown_valid_ = shown_valid_ && texture_ && width == tex_w_ && height == tex_h_ && format == tex_format_;
    if (texture_ && width == tex_w_ && height == tex_h_ && format == tex_format_) return true;
    if (texture_) SDL_DestroyTexture(texture_);
    texture_ = SDL_CreateTexture(renderer, format, SDL_TEXTUREACCESS_STREAMING, width, height);
    if (!texture_) {
      std::fprintf(stderr, "display: no frame texture: %s\n", SDL_GetError());
      return false;
    }
    tex_w_ = width;
    tex_h_ = height;
    tex_format_ = format;
    SDL_RenderSetLogicalSize(renderer, width, height);
    const char* integer = std::getenv("QORV_INTEGER_SCALE");
    SDL_RenderSetIntegerScale(renderer, integer && std::strcmp(integer, "1") == 0 ? SDL_TRUE : SDL_FALSE);
    return true;
  }

  // A frame equal to the one on screen is not sent again, so that a still screen (the title
  // shows the same frame for seconds) costs next to nothing between frames. Any window event
  // (shown, exposed, resized, restored, full screen ...) or a lost render target may have taken
  // the picture, so the frame after one is always sent. The copy is made once per frame size.
  bool same_as_shown(const std::uint16_t* pixels, int pitch, int width, int height) {
    const std::size_t row_bytes = std::size_t(width) * 2;
    const auto* src = reinterpret_cast<const std::uint8_t*>(pixels);
    bool same = shown_valid_ && shown_.size() == std::size_t(width) * height;
    for (int y = 0; same && y < height; ++y)
      same = std::memcmp(src + std::size_t(y) * pitch, &shown_[std::size_t(y) * width], row_bytes) == 0;
    if (same) return true;
    shown_.resize(std::size_t(width) * height);
    for (int y = 0; y < height; ++y)
      std::memcpy(&shown_[std::size_t(y) * width], src + std::size_t(y) * pitch, row_bytes);
    shown_valid_ = true;
    return false;
  }

  static int on_event(void* self, SDL_Event* event) {
    if (event->type == SDL_WINDOWEVENT || event->type == SDL_RENDER_TARGETS_RESET ||
        event->type == SDL_RENDER_DEVICE_RESET)
      static_cast<SdlOutput*>(self)->shown_valid_ = false;
    return 0;
  }

  std::vector<std::uint16_t> shown_;
  bool shown_valid_ = false;
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

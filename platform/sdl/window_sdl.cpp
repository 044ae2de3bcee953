// The SDL window: an SDL2 window whose events become the program's window messages.
#include "platform/sdl/window_sdl.h"

#include <SDL.h>

#include <algorithm>
#include <cstdint>

#include "platform/sdl/input_sdl.h"
#include "platform/sdl/keymap_sdl.h"
#include "platform/window_backend.h"

namespace platform {

namespace {

constexpr int picture_width = 640;
constexpr int picture_height = 480;

class SdlWindowHost : public WindowHost {
 public:
  ~SdlWindowHost() override { close(); }

  bool open(const std::string& title, int width, int height, std::string& error) override {
    // Ctrl+C and termination signals are the program's own (platform/termination.h).
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    // A desktop window: X11, or Wayland where a Wayland display is given. Probing Wayland
    // without one only prints its own complaint.
    if (!SDL_getenv("SDL_VIDEODRIVER"))
      SDL_SetHint(SDL_HINT_VIDEODRIVER, SDL_getenv("WAYLAND_DISPLAY") ? "wayland,x11" : "x11");
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
      error = SDL_GetError();
      return false;
    }
    video_ = true;
    window_ = SDL_CreateWindow(title.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, width,
                               height, SDL_WINDOW_HIDDEN | SDL_WINDOW_RESIZABLE);
    if (!window_) {
      error = SDL_GetError();
      close();
      return false;
    }
    renderer_ = SDL_CreateRenderer(window_, -1, SDL_RENDERER_ACCELERATED);
    if (!renderer_) renderer_ = SDL_CreateRenderer(window_, -1, SDL_RENDERER_SOFTWARE);
    if (renderer_) SDL_RenderSetLogicalSize(renderer_, picture_width, picture_height);
    SDL_StopTextInput();  // text input starts when a text field opens
    return true;
  }

  void close() override {
    if (renderer_) SDL_DestroyRenderer(renderer_);
    if (window_) SDL_DestroyWindow(window_);
    renderer_ = nullptr;
    window_ = nullptr;
    if (video_) SDL_QuitSubSystem(SDL_INIT_VIDEO);
    video_ = false;
  }

  void pump(Window* window, std::deque<Message>& queue) override {
    if (!window_) return;
    SDL_Event ev;
    while (SDL_PollEvent(&ev)) {
      sdl_input_event(ev);  // the input devices gather keys, motion and buttons
      translate(window, ev, queue);
    }
  }

  void wait_event(std::uint32_t timeout_ms) override {
    if (!window_) return;
    // A null event only waits: the event stays queued for pump. SDL takes an int.
    SDL_WaitEventTimeout(nullptr, int(std::min<std::uint32_t>(timeout_ms, 0x7FFFFFFF)));
  }

  void show(ShowCommand command) override {
    if (!window_) return;
    switch (command) {
      case ShowCommand::Show:
        SDL_ShowWindow(window_);
        clear_to_black();
        break;
      case ShowCommand::Minimize:
        SDL_MinimizeWindow(window_);
        break;
      case ShowCommand::Restore:
        SDL_RestoreWindow(window_);
        break;
    }
  }

  void set_client_size(int width, int height) override {
    if (window_) SDL_SetWindowSize(window_, width, height);
  }

  void set_fullscreen(bool on) override {
    if (window_) SDL_SetWindowFullscreen(window_, on ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0);
  }

  WindowRect rect() const override {
    if (!window_) return {};
    int x = 0, y = 0, w = 0, h = 0, top = 0, left = 0, bottom = 0, right = 0;
    SDL_GetWindowPosition(window_, &x, &y);
    SDL_GetWindowSize(window_, &w, &h);
    SDL_GetWindowBordersSize(window_, &top, &left, &bottom, &right);
    return {x - left, y - top, x + w + right, y + h + bottom};
  }

  WindowMetrics metrics() const override {
    int top = 0, left = 0, bottom = 0, right = 0;
    if (window_) SDL_GetWindowBordersSize(window_, &top, &left, &bottom, &right);
    return {top, 0, left, bottom};
  }

  void show_cursor(bool show) override { SDL_ShowCursor(show ? SDL_ENABLE : SDL_DISABLE); }

  SDL_Window* sdl_window() const { return window_; }
  SDL_Renderer* sdl_renderer() const { return renderer_; }

 private:
  void clear_to_black() {
    if (!renderer_) return;
    SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
    SDL_RenderClear(renderer_);
    SDL_RenderPresent(renderer_);
  }

  void translate(Window* window, const SDL_Event& ev, std::deque<Message>& queue) {
    switch (ev.type) {
      case SDL_QUIT:
        // The title bar's close button, Alt + F4 taken by the window manager, or a signal.
        queue.push_back(
            {window, MessageId::SysCommand, static_cast<std::uintptr_t>(SysCommand::Close), 0});
        break;
      case SDL_WINDOWEVENT:
        if (ev.window.event == SDL_WINDOWEVENT_FOCUS_LOST) {
          queue.push_back({window, MessageId::KillFocus, 0, 0});
          queue.push_back({window, MessageId::ActivateApp, 0, 0});
        } else if (ev.window.event == SDL_WINDOWEVENT_FOCUS_GAINED) {
          queue.push_back({window, MessageId::ActivateApp, 1, 0});
        }
        break;
      case SDL_KEYDOWN:
      case SDL_KEYUP:
        key_message(window, ev.key, queue);
        break;
      case SDL_TEXTINPUT:
        queue_typed_text(window, ev.text.text, queue);
        break;
      default:
        break;
    }
  }

  static void key_message(Window* window, const SDL_KeyboardEvent& key,
                          std::deque<Message>& queue) {
    int code = key_code_from_sdl_scancode(key.keysym.scancode);
    if (code == 0) return;
    bool alt = (key.keysym.mod & KMOD_ALT) != 0;
    queue_key_message(window, code, key.type == SDL_KEYDOWN, alt, queue);
  }

  SDL_Window* window_ = nullptr;
  SDL_Renderer* renderer_ = nullptr;
  bool video_ = false;
};

SdlWindowHost* sdl_host(Window* window) {
  return dynamic_cast<SdlWindowHost*>(window_host(window));
}

}  // namespace

std::unique_ptr<WindowHost> make_sdl_window_host() { return std::make_unique<SdlWindowHost>(); }

SDL_Window* sdl_window(Window* window) {
  SdlWindowHost* host = sdl_host(window);
  return host ? host->sdl_window() : nullptr;
}

SDL_Renderer* sdl_renderer(Window* window) {
  SdlWindowHost* host = sdl_host(window);
  return host ? host->sdl_renderer() : nullptr;
}

}  // namespace platform

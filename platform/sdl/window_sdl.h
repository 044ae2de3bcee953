#pragma once
// Inside the SDL backend: the SDL window and renderer behind the program's window, for the
// backend's presenter. The renderer's logical size is 640 x 480, so a picture drawn at that size
// is scaled to the window with its 4:3 shape kept (black bars fill the rest).
struct SDL_Window;
struct SDL_Renderer;

namespace platform {

struct Window;

SDL_Window* sdl_window(Window* window);      // null for a headless or destroyed window
SDL_Renderer* sdl_renderer(Window* window);  // null for a headless or destroyed window

}  // namespace platform

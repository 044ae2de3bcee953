#pragma once
// The SDL window behind the game's window, for the other parts of the SDL backend.
#include <SDL.h>

namespace platform {

struct Window;

// The SDL window of a game window; null when there is none.
SDL_Window* sdl_window(Window* window);

}  // namespace platform

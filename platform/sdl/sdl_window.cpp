// Stands in until the SDL window itself is built: no game window has an SDL window yet, so the
// SDL display shows nothing.
#include "platform/sdl/sdl_window.h"

namespace platform {

SDL_Window* sdl_window(Window*) { return nullptr; }

}  // namespace platform

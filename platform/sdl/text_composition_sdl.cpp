#include <SDL.h>

#include "platform/text_composition.h"

namespace platform {

void set_text_composition(bool on) {
  // Without the SDL video subsystem (the headless backend) there is nothing to switch.
  if (!SDL_WasInit(SDL_INIT_VIDEO)) return;
  if (on)
    SDL_StartTextInput();
  else
    SDL_StopTextInput();
}

}  // namespace platform

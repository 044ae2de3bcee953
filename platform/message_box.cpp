#include "platform/message_box.h"

#include "platform/backend.h"
#include "platform/headless/message_box_headless.h"
#include "platform/sdl/message_box_sdl.h"

namespace platform {

BoxAnswer message_box(Window* owner, const std::string& text_big5, const std::string& caption_big5,
                      BoxButtons buttons, BoxIcon icon) {
  if (current_backend() == Backend::Headless)
    return headless::message_box(owner, text_big5, caption_big5, buttons, icon);
  return sdl::message_box(owner, text_big5, caption_big5, buttons, icon);
}

}  // namespace platform

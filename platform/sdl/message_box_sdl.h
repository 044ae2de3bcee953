#pragma once
// The real backend's message boxes, with the Big5 texts in UTF-8: a box with an owner window is
// drawn inside that window (window_question_sdl.h), one without in SDL's own modal box.
#include "platform/message_box.h"

namespace platform::sdl {

BoxAnswer message_box(Window* owner, const std::string& text_big5, const std::string& caption_big5,
                      BoxButtons buttons, BoxIcon icon);

}  // namespace platform::sdl

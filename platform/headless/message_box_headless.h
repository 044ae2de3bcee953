#pragma once
// The test backend's message boxes: each box is recorded and answered from a queue of
// scripted answers (the box's first button when the queue is empty).
#include "platform/message_box.h"

namespace platform::headless {

BoxAnswer message_box(Window* owner, const std::string& text_big5, const std::string& caption_big5,
                      BoxButtons buttons, BoxIcon icon);

}  // namespace platform::headless

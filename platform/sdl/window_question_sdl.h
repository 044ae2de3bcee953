#pragma once
// A message box drawn inside the program's own window, with the game's CJK font. SDL's own box
// on X11 draws with the server's core fonts, whose 12-point Unicode font (misc-fixed) has no
// CJK glyphs, so characters outside the locale's legacy sets (the window question's "嗎") came
// out as empty boxes; here every character the font has is drawn.
#include <cstdint>
#include <string>

#include "platform/message_box.h"

namespace platform::sdl {

constexpr int question_width = 640, question_height = 480;

struct QuestionButton {
  int left, top, right, bottom;
  BoxAnswer answer;
};

// The box's buttons for the given kind: Yes and No, or OK.
int question_buttons(BoxButtons buttons, QuestionButton out[2]);

// Draws the box (caption, text lines split at '\n', buttons) over a black 640 x 480 frame of
// 0xAARRGGBB pixels. False when no font could be opened (the frame then has no text).
bool draw_window_question(const std::string& text_utf8, const std::string& caption_utf8,
                          BoxButtons buttons, std::uint32_t* frame);

// Shows the box in the owner's SDL window and waits for the answer: Y, Enter or the first
// button's click answer Yes (OK); N, Escape or the last button's click answer No (OK). Closing
// the window, or a termination signal, answers like Escape; the close request is put back for
// the game's own loop.
BoxAnswer window_question(Window* owner, const std::string& text_utf8,
                          const std::string& caption_utf8, BoxButtons buttons);

}  // namespace platform::sdl

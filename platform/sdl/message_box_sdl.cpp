#include "platform/sdl/message_box_sdl.h"

#include <SDL.h>

#include <cstdio>

#include "platform/sdl/window_question_sdl.h"
#include "platform/sdl/window_sdl.h"
#include "platform/termination.h"
#include "platform/text_codec.h"

namespace platform::sdl {

BoxAnswer message_box(Window* owner, const std::string& text_big5, const std::string& caption_big5,
                      BoxButtons buttons, BoxIcon icon) {
  std::string text = big5_to_utf8(text_big5);
  std::string caption = big5_to_utf8(caption_big5);
  // Button ids are the answers; Enter picks the first button, Escape the last, as on the original.
  const SDL_MessageBoxButtonData ok[] = {
      {SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT | SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT, int(BoxAnswer::Ok),
       "OK"}};
  const SDL_MessageBoxButtonData yes_no[] = {
      {SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT, int(BoxAnswer::Yes), "Yes"},
      {SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT, int(BoxAnswer::No), "No"}};
  SDL_MessageBoxData data{};
  data.flags = icon == BoxIcon::Error         ? SDL_MESSAGEBOX_ERROR
               : icon == BoxIcon::Information ? SDL_MESSAGEBOX_INFORMATION
                                              : 0;
  // The game's boxes belong to no SDL window here: SDL shows them without one.
  data.window = nullptr;
  data.title = caption.c_str();
  data.message = text.c_str();
  if (buttons == BoxButtons::YesNo) {
    data.numbuttons = 2;
    data.buttons = yes_no;
  } else {
    data.numbuttons = 1;
    data.buttons = ok;
  }
  // A box asked for after Ctrl+C or a termination signal is not shown; one that is open when
  // the signal comes is closed. Either answers like Escape, and the loop then closes the window.
  const BoxAnswer escape = buttons == BoxButtons::YesNo ? BoxAnswer::No : BoxAnswer::Ok;
  if (termination_signal() != 0) return escape;
  // A box with an owner (the window question at start) is drawn in the owner's window with the
  // game's CJK font: SDL's X11 box cannot show every Chinese character.
  if (owner && sdl_renderer(owner)) return window_question(owner, text, caption, buttons);
  int pressed = -1;
  int shown = wait_ending_helpers_on_signal([&] { return SDL_ShowMessageBox(&data, &pressed); });
  if (termination_signal() != 0) return escape;
  if (shown != 0) {
    // No display to show it on: say it on the console and take the first button.
    std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
    return buttons == BoxButtons::YesNo ? BoxAnswer::Yes : BoxAnswer::Ok;
  }
  // A box closed without a button answers like Escape.
  if (pressed < 0) return escape;
  return static_cast<BoxAnswer>(pressed);
}

}  // namespace platform::sdl

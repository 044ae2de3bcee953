// The message box drawn in the program's own window (window_question_sdl.h).
#include "platform/sdl/window_question_sdl.h"

#include <SDL.h>

#include <memory>
#include <vector>

#include "platform/font.h"
#include "platform/sdl/window_sdl.h"
#include "platform/termination.h"

namespace platform::sdl {
namespace {

constexpr std::uint32_t black = 0xFF000000, panel = 0xFF303030, frame_grey = 0xFFC0C0C0,
                        button_grey = 0xFF505050, ink = 0xFFFFFFFF;
constexpr int box_left = 100, box_top = 170, box_right = 540, box_bottom = 310;
constexpr int text_size = 16, line_step = 22;
constexpr int button_top = 268, button_bottom = 296, button_width = 100;
constexpr int wait_step_ms = 100;  // a termination signal is seen within this time

void fill(std::uint32_t* frame, int left, int top, int right, int bottom, std::uint32_t colour) {
  for (int y = top; y < bottom; ++y)
    for (int x = left; x < right; ++x) frame[y * question_width + x] = colour;
}

void outline(std::uint32_t* frame, int left, int top, int right, int bottom, std::uint32_t colour) {
  fill(frame, left, top, right, top + 1, colour);
  fill(frame, left, bottom - 1, right, bottom, colour);
  fill(frame, left, top, left + 1, bottom, colour);
  fill(frame, right - 1, top, right, bottom, colour);
}

// One line of text with its left end at x (or centred on x when centred), clipped to the box.
void put_text(Font& font, const std::string& utf8, int x, int y, bool centred, std::uint32_t* frame) {
  const int clip = box_right - box_left - 16;
  if (centred) x -= font.draw_utf8(utf8, nullptr, 0, 0, 0) / 2;
  std::vector<std::uint8_t> cell(std::size_t(clip) * line_step, 0);
  font.draw_utf8(utf8, cell.data(), clip, line_step, clip);
  for (int r = 0; r < line_step; ++r)
    for (int c = 0; c < clip; ++c) {
      const int fx = x + c, fy = y + r;
      if (cell[std::size_t(r) * clip + c] && fx >= box_left && fx < box_right && fy >= 0 &&
          fy < question_height)
        frame[fy * question_width + fx] = ink;
    }
}

const char* label_of(BoxAnswer answer) {
  switch (answer) {
    case BoxAnswer::Yes: return "Yes (Y)";
    case BoxAnswer::No: return "No (N)";
    default: return "OK";
  }
}

void show(SDL_Renderer* renderer, SDL_Texture* texture, const std::vector<std::uint32_t>& frame) {
  SDL_UpdateTexture(texture, nullptr, frame.data(), question_width * 4);
  SDL_SetRenderDrawColor(renderer, 0, 0, 0, 255);
  SDL_RenderClear(renderer);
  SDL_RenderCopy(renderer, texture, nullptr, nullptr);
  SDL_RenderPresent(renderer);
}

// The answer an event gives, or false when it gives none. quit is set for a close request.
bool answer_of(const SDL_Event& e, const QuestionButton* buttons, int count, BoxAnswer& answer,
               bool& quit) {
  const BoxAnswer first = buttons[0].answer, last = buttons[count - 1].answer;
  switch (e.type) {
    case SDL_QUIT:
      quit = true;
      answer = last;
      return true;
    case SDL_KEYDOWN:
      switch (e.key.keysym.sym) {
        case SDLK_y:
        case SDLK_RETURN:
        case SDLK_KP_ENTER:
          answer = first;
          return true;
        case SDLK_n:
        case SDLK_ESCAPE:
          answer = last;
          return true;
        default:
          return false;
      }
    case SDL_MOUSEBUTTONUP:
      if (e.button.button != SDL_BUTTON_LEFT) return false;
      for (int i = 0; i < count; ++i) {
        const QuestionButton& b = buttons[i];
        if (e.button.x >= b.left && e.button.x < b.right && e.button.y >= b.top && e.button.y < b.bottom) {
          answer = b.answer;
          return true;
        }
      }
      return false;
    default:
      return false;
  }
}

}  // namespace

int question_buttons(BoxButtons buttons, QuestionButton out[2]) {
  const int middle = question_width / 2;
  if (buttons == BoxButtons::YesNo) {
    out[0] = {middle - 20 - button_width, button_top, middle - 20, button_bottom, BoxAnswer::Yes};
    out[1] = {middle + 20, button_top, middle + 20 + button_width, button_bottom, BoxAnswer::No};
    return 2;
  }
  out[0] = {middle - button_width / 2, button_top, middle + button_width / 2, button_bottom, BoxAnswer::Ok};
  return 1;
}

bool draw_window_question(const std::string& text_utf8, const std::string& caption_utf8,
                          BoxButtons buttons, std::uint32_t* frame) {
  fill(frame, 0, 0, question_width, question_height, black);
  fill(frame, box_left, box_top, box_right, box_bottom, panel);
  outline(frame, box_left, box_top, box_right, box_bottom, frame_grey);
  fill(frame, box_left, box_top + 28, box_right, box_top + 29, frame_grey);
  QuestionButton b[2];
  const int count = question_buttons(buttons, b);
  for (int i = 0; i < count; ++i) {
    fill(frame, b[i].left, b[i].top, b[i].right, b[i].bottom, button_grey);
    outline(frame, b[i].left, b[i].top, b[i].right, b[i].bottom, frame_grey);
  }
  std::unique_ptr<Font> font = open_font("", text_size);
  if (!font) return false;
  put_text(*font, caption_utf8, box_left + 10, box_top + 5, false, frame);
  int y = box_top + 40;
  for (std::size_t start = 0; start <= text_utf8.size() && y + line_step <= button_top;) {
    std::size_t end = text_utf8.find('\n', start);
    if (end == std::string::npos) end = text_utf8.size();
    put_text(*font, text_utf8.substr(start, end - start), box_left + 16, y, false, frame);
    y += line_step;
    start = end + 1;
  }
  for (int i = 0; i < count; ++i)
    put_text(*font, label_of(b[i].answer), (b[i].left + b[i].right) / 2, b[i].top + 5, true, frame);
  return true;
}

BoxAnswer window_question(Window* owner, const std::string& text_utf8,
                          const std::string& caption_utf8, BoxButtons buttons) {
  QuestionButton b[2];
  const int count = question_buttons(buttons, b);
  const BoxAnswer escape = b[count - 1].answer;
  SDL_Renderer* renderer = sdl_renderer(owner);
  SDL_Texture* texture = renderer ? SDL_CreateTexture(renderer, SDL_PIXELFORMAT_ARGB8888,
                                                      SDL_TEXTUREACCESS_STREAMING, question_width,
                                                      question_height)
                                  : nullptr;
  if (!texture) return escape;
  std::vector<std::uint32_t> frame(std::size_t(question_width) * question_height);
  draw_window_question(text_utf8, caption_utf8, buttons, frame.data());
  show(renderer, texture, frame);
  BoxAnswer answer = escape;
  bool quit = false;
  for (;;) {
    if (termination_signal() != 0) break;
    SDL_Event e;
    if (!SDL_WaitEventTimeout(&e, wait_step_ms)) continue;
    if (answer_of(e, b, count, answer, quit)) break;
    // Shown again after anything that may have spoilt the window's picture.
    if (e.type == SDL_WINDOWEVENT) show(renderer, texture, frame);
  }
  SDL_DestroyTexture(texture);
  if (quit) {
    SDL_Event again{};
    again.type = SDL_QUIT;
    SDL_PushEvent(&again);
  }
  return termination_signal() != 0 ? escape : answer;
}

}  // namespace platform::sdl

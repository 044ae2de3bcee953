// The box drawn in the program's own window (the window question at start), on SDL's dummy
// video driver: every character of the question is drawn, and keys, clicks and a close request
// give the answers.
#include "platform/sdl/window_question_sdl.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "platform/font.h"
#include "platform/message_box.h"
#include "platform/window.h"

namespace {

using platform::BoxAnswer;
using platform::BoxButtons;

// "使用視窗模式嗎?(y/n)," and "提示", as the start-up asks.
const std::string question_big5 = "\xa8\xcf\xa5\xce\xb5\xf8\xb5\xa1\xbc\xd2\xa6\xa1\xb6\xdc?(y/n),";
const std::string caption_big5 = "\xb4\xa3\xa5\xdc";
const std::string question_utf8 =
    "\xe4\xbd\xbf\xe7\x94\xa8\xe8\xa6\x96\xe7\xaa\x97\xe6\xa8\xa1\xe5\xbc\x8f\xe5\x97\x8e?(y/n),";

int ink_in(const std::vector<std::uint32_t>& frame, int left, int top, int right, int bottom) {
  int n = 0;
  for (int y = top; y < bottom; ++y)
    for (int x = left; x < right; ++x) n += frame[std::size_t(y) * 640 + x] == 0xFFFFFFFFu;
  return n;
}

TEST(WindowQuestion, TheFontHasEveryCharacterOfTheQuestion) {
  std::unique_ptr<platform::Font> font = platform::open_font("", 16);
  ASSERT_NE(font, nullptr);
  // One character at a time: each draws ink and moves the pen (a character the font lacks
  // would draw nothing, as the box SDL shows on X11 does for "嗎").
  for (const char* c : {"\xe4\xbd\xbf", "\xe7\x94\xa8", "\xe8\xa6\x96", "\xe7\xaa\x97", "\xe6\xa8\xa1",
                        "\xe5\xbc\x8f", "\xe5\x97\x8e"}) {
    SCOPED_TRACE(c);
    std::vector<std::uint8_t> cell(32 * 24, 0);
    EXPECT_GT(font->draw_utf8(c, cell.data(), 32, 24, 32), 0);
    int ink = 0;
    for (std::uint8_t p : cell) ink += p != 0;
    EXPECT_GT(ink, 10);
    // ... and is not what the font draws for a character it has not.
    std::vector<std::uint8_t> missing(32 * 24, 0);
    font->draw_utf8("\xf4\x8f\xbf\xbd", missing.data(), 32, 24, 32);  // U+10FFFD
    EXPECT_NE(cell, missing);
  }
  std::vector<std::uint32_t> frame(640 * 480);
  ASSERT_TRUE(platform::sdl::draw_window_question(question_utf8, "\xe6\x8f\x90\xe7\xa4\xba",
                                                  BoxButtons::YesNo, frame.data()));
  EXPECT_GT(ink_in(frame, 100, 170, 540, 198), 20) << "the caption";
  EXPECT_GT(ink_in(frame, 100, 210, 540, 232), 200) << "the question";
  platform::sdl::QuestionButton b[2];
  ASSERT_EQ(platform::sdl::question_buttons(BoxButtons::YesNo, b), 2);
  for (const auto& button : b) EXPECT_GT(ink_in(frame, button.left, button.top, button.right, button.bottom), 20);
  EXPECT_EQ(frame[0], 0xFF000000u) << "the rest of the window is black";
}

class SdlWindowQuestion : public ::testing::Test {
 protected:
  void SetUp() override {
    const char* backend = std::getenv("QORV_BACKEND");
    saved_backend = backend ? backend : "";
    setenv("QORV_BACKEND", "sdl", 1);
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    // SDL's own renderer: the OpenGL one loads the system's GL drivers, whose memory the
    // leak checker would take for ours.
    setenv("SDL_RENDER_DRIVER", "software", 1);
    window = platform::create_window({"QORV", platform::default_window_proc}, "QORV", 640, 480);
    if (!window) GTEST_SKIP() << "no offscreen SDL video: " << platform::window_error();
    platform::show_window(window, platform::ShowCommand::Show);
    SDL_PumpEvents();
    SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
  }
  void TearDown() override {
    if (window) platform::free_window(window);
    unsetenv("SDL_VIDEODRIVER");
    unsetenv("SDL_RENDER_DRIVER");
    setenv("QORV_BACKEND", saved_backend.c_str(), 1);
  }
  static void push(const SDL_Event& e) {
    SDL_Event copy = e;
    SDL_PushEvent(&copy);
  }
  static SDL_Event key(SDL_Keycode sym) {
    SDL_Event e{};
    e.type = SDL_KEYDOWN;
    e.key.keysym.sym = sym;
    return e;
  }
  static SDL_Event click(int x, int y) {
    SDL_Event e{};
    e.type = SDL_MOUSEBUTTONUP;
    e.button.button = SDL_BUTTON_LEFT;
    e.button.x = x;
    e.button.y = y;
    return e;
  }

  std::string saved_backend;
  platform::Window* window = nullptr;
};

TEST_F(SdlWindowQuestion, KeysAndClicksAnswer) {
  platform::sdl::QuestionButton b[2];
  platform::sdl::question_buttons(BoxButtons::YesNo, b);
  struct Case {
    const char* name;
    std::vector<SDL_Event> events;
    BoxButtons buttons;
    BoxAnswer answer;
  };
  const Case cases[] = {
      {"y", {key(SDLK_y)}, BoxButtons::YesNo, BoxAnswer::Yes},
      {"n", {key(SDLK_n)}, BoxButtons::YesNo, BoxAnswer::No},
      {"enter", {key(SDLK_RETURN)}, BoxButtons::YesNo, BoxAnswer::Yes},
      {"escape", {key(SDLK_ESCAPE)}, BoxButtons::YesNo, BoxAnswer::No},
      {"click no", {click(b[1].left + 5, b[1].top + 5)}, BoxButtons::YesNo, BoxAnswer::No},
      {"click yes", {click(b[0].right - 5, b[0].bottom - 5)}, BoxButtons::YesNo, BoxAnswer::Yes},
      {"click beside, other keys, then n", {click(10, 10), key(SDLK_a), key(SDLK_n)}, BoxButtons::YesNo,
       BoxAnswer::No},
      {"ok box, escape", {key(SDLK_ESCAPE)}, BoxButtons::Ok, BoxAnswer::Ok},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    for (const SDL_Event& e : c.events) push(e);
    EXPECT_EQ(platform::message_box(window, question_big5, caption_big5, c.buttons), c.answer);
    SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
  }
}

TEST_F(SdlWindowQuestion, ACloseRequestAnswersNoAndStaysForTheGame) {
  SDL_Event quit{};
  quit.type = SDL_QUIT;
  push(quit);
  EXPECT_EQ(platform::message_box(window, question_big5, caption_big5, BoxButtons::YesNo), BoxAnswer::No);
  SDL_PumpEvents();
  EXPECT_EQ(SDL_PeepEvents(nullptr, 1, SDL_PEEKEVENT, SDL_QUIT, SDL_QUIT), 1)
      << "the close request is put back for the message loop";
  SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
}

}  // namespace

#pragma once
// The layout core of message boxes: measuring a text, placing and animating a box, and the text
// pass that turns a box's tokens into pen moves, wraps, pages, typing and button rectangles. It
// draws through a small seam (TalkCanvas), so that tests watch it with a fake.
#include <cstdint>

struct TalkMsg;

class TalkCanvas {
 public:
  virtual ~TalkCanvas() = default;
  // One character (one or two bytes) with its cell's top-left at (x, y).
  virtual void draw_char(int x, int y, const char* bytes, int count, std::uint16_t colour) = 0;
  virtual void draw_page_arrow(int x, int y) = 0;
  virtual void draw_select_bar(int x, int y, int w, int h, std::uint32_t argb) = 0;
};

// The speed adjustment of the message-speed option: added to typing delays; its index lowers
// the open speed.
int talk_speed_index();
int talk_speed_adjust();

// Step of measuring: sets width, height (and line spacing) of a box from its text.
void measure_talk_text(TalkMsg* b);
// The auto-size rule of a template whose width and height count columns and lines.
void apply_auto_size(TalkMsg* b);
// The open-animation placement around the screen point (sx, sy) the box opens from.
void place_open_box(TalkMsg* b, int sx, int sy, bool at_point);
// One frame of the open and move animation.
void animate_talk_box(TalkMsg* b);
// One frame's text pass of a box.
void talk_text_pass(TalkMsg* b, TalkCanvas& canvas);

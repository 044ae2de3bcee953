#pragma once
// Window frames and selection marks: the nine-piece frame, the pulsing selection frame, the
// translucent selection bar and stretched pictures (the name plate of message boxes).
#include <cstdint>

// A frame of nine 32 x 32 pieces (QQ 0-8 of act) with a translucent backdrop.
void draw_window_frame(std::uint16_t act, int x, int y, int w, int h);
// The same; the backdrop (more opaque) only when backdrop is 1.
void draw_window_frame_bg(std::uint16_t act, int x, int y, int w, int h, int backdrop);
// The pulsing selection frame (ACT 9003, QQ 0).
void draw_select_frame(int x, int y, int w, int h);
void draw_select_frame_act(std::uint16_t act, std::uint16_t qq, int x, int y, int w, int h);
// ACT 9043, QQ 1 stretched to the rectangle in the colour.
void draw_select_bar(int x, int y, int w, int h, std::uint32_t argb);
// The first picture of act/qq stretched to the rectangle, in the colour.
void draw_stretched_picture(std::uint16_t act, std::uint16_t qq, int x, int y, int w, int h, std::uint32_t argb);
// The name plate of a message box: ACT 9002, QQ 9 stretched, translucent.
void draw_name_plate(int x, int y, int w, int h);

// One piece of a frame: its QQ, where it goes and how much it is stretched (the piece's own
// scale is added), for the frame drawers and their tests.
struct FramePiece {
  std::uint16_t qq;
  int x, y;
  float extra_sx, extra_sy;
  bool backdrop;
};
// The pieces in drawing order: the backdrop (when with_backdrop), the edges, the corners.
int frame_pieces(int x, int y, int w, int h, bool with_backdrop, FramePiece out[9]);

// The pulse of a selection frame: rises by 0.005 a call to 0.05, then falls to 0, and again.
struct SelectPulse {
  float value = 0;
  bool rising = true;
  float step();
};

#pragma once
// The input conventions the menu, the shop, the save and load screens and the summoning list
// share: when hovering may move a selection, the hit boxes of rows, tabs and buttons, and the
// cancel keys.
#include "core/grp_input.h"
#include "ui/scroll_list.h"

// The pointer's place when a screen last looked; each screen keeps its own.
struct PointerWatch {
  int x = -1, y = -1;
  // True when the pointer stands elsewhere than last time; the new place is kept.
  bool moved();
};

// Clears key_nav_mode (ui/talk_msg.h) once the mouse has moved since the last clearing; the
// menu frame also clears it while a mouse button is held (buttons_clear true).
void renew_key_nav_mode(bool buttons_clear = false);

// "from a up to b": a <= v < b.
constexpr bool in_span(int v, int a, int b) { return v >= a && v < b; }
// "a-b": both ends included.
constexpr bool in_range(int v, int a, int b) { return v >= a && v <= b; }

// A strip of count boxes sharing their left and top edges: box i reaches from (left, top) up to
// (right + i * step_x, bottom + i * step_y). The boxes are tried in order and the first that
// holds the point wins; -1 when none does.
struct BoxStrip {
  int left, top, right, bottom;
  int step_x, step_y;
  int count;
};
constexpr int first_box_hit(const BoxStrip& s, int x, int y) {
  for (int i = 0; i < s.count; ++i)
    if (in_span(x, s.left, s.right + i * s.step_x) && in_span(y, s.top, s.bottom + i * s.step_y)) return i;
  return -1;
}

// A list of rows 30 high beside the item scroll bar (ACT 9042, a thumb 13 wide on a track of 235)
// that shows visible_rows rows; the screen places it.
ScrollList item_scroll_list(int visible_rows);

// The visible row of the list under the point: the rows stand from (x0, y0) between x0 and x1, the
// first ending at first_end and each next one a row_height lower; the first that holds the point
// wins. -1 when none does.
int list_row_at(const ScrollList& list, int x0, int x1, int y0, int first_end, int x, int y);

// Right button, either Ctrl or Escape, through the query given (key_repeat for the menu pages).
bool cancel_key(int (GrpInput::*query)(KeyCode) const = &GrpInput::key_repeat);
// Enter or Space through the query given.
bool confirm_key(int (GrpInput::*query)(KeyCode) const = &GrpInput::key_repeat);

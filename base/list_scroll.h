#pragma once
// The scrolling rules the base's lists share: a 1-based cursor on the visible page, the 0-based
// first visible row, the rows in the list and the rows a page holds. The scroll bar stands at
// (x + 188, y + 58) beside a list frame at (x, y): an up arrow, a track from y + 88 (260 pixels
// unless a list says otherwise) and a down arrow at y + 354.
struct ListScroll {
  int* cursor;
  int* top;
  int count;
  int page;
  int x, y;                // the list frame's origin
  bool exit_row = false;   // row 0 above the list (the "退出配置" row) is reached from the top
  int down_arrow_y = 354;  // the down arrow's top, from y
  int track = 260;         // the track's length
};

// Up one row; at row 1 the page scrolls up one row (not below 0), or from the top onto the
// exit row when the list has one.
void scroll_up(const ListScroll& s);
// Down one row; past the page the page scrolls (top at most count - page); never past the
// last row.
void scroll_down(const ListScroll& s);
// Page Up: row 1 when at the top, else top falls by a page. Sound 32.
void page_up(const ListScroll& s);
// Page Down: the last row when a page or less lies from top on, else top grows by a page
// (held at count - page). Sound 32.
void page_down(const ListScroll& s);
// The arrow keys' steps: as scroll_up and scroll_down, with sound 32 and the keyboard lock.
void key_up_step(const ListScroll& s);
void key_down_step(const ListScroll& s);
// Up, Down, Page Up and Page Down (repeating) on the list.
void list_keys(const ListScroll& s);
// A click on the scroll bar's arrows or track: 1 when it acted (sound 32 played).
int click_scroll(const ListScroll& s, int mx, int my);
// The pointer over one of the visible rows of a list framed at (x, y), 35 pixels apart from
// y + 60 and between x + 23 and x + 183, moves the cursor there with the cursor sound, unless
// a key moved the cursor last.
void hover_row(int x, int y, int visible, int* cursor);
// The pointer over one of the visible rows 25 pixels high from y0, between x0 and x1 (all
// exclusive), moves the cursor there with the cursor sound, unless a key moved the cursor last.
void hover_list_rows(int x0, int x1, int y0, int visible, int* cursor);

#pragma once
// The scroll list: a cursor over a window of rows in a longer list, moved by keys, the wheel and
// clicks on its scroll bar, with the bar drawn beside the rows. The screen owns the record.
#include <cstdint>

struct ScrollList {
  std::uint16_t bar_act = 0, bar_qq = 0;
  std::uint16_t arrow_direction = 0;  // 0 up, 1 down: which arrow flashes after a move
  std::uint16_t arrow_frames = 0;     // frames the arrow has flashed (0..4)
  int list_key_a = 0, list_key_b = 0;  // set by the owner to tell lists apart
  int last_key_a = 0, last_key_b = 0;
  int cursor_row = 0;
  int top_item = 0;
  int visible_rows = 0;
  int item_count = 0;
  int x = 0, y = 0;          // top-left of the scroll bar
  int thumb_width = 0;
  int track_length = 0;      // between the arrows
  int spare[4] = {};
  int thumb_offset = 0, thumb_length = 0;  // computed each frame
  int row_mouse_x = 0, first_row_y = 0, row_height = 0;  // the mouse is put on the cursor row
  int same_list = 0;
  int key_move = 0;
  int mouse_move = 0;
  int changed = 0;
};

// What moved the list this frame, as the input reads it.
struct ScrollInput {
  bool home = false, end = false;
  bool up = false, down = false;          // a key, the wheel or an arrow click
  bool page_up = false, page_down = false;  // a key or a click beside the thumb
  bool clicked = false;                   // a click on the bar moved it
};

// Keys, wheel and clicks; always 0, the results are in the record.
int input_scroll_list(ScrollList* list);
// The moves of one frame on the record, without the devices: the rule input_scroll_list
// applies. True when the mouse pointer is to be put on the cursor row.
bool apply_scroll_input(ScrollList* list, const ScrollInput& in);
void draw_scroll_bar(ScrollList* list);

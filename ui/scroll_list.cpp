// The scroll list.
#include "ui/scroll_list.h"

#include "core/grp_input.h"
#include "core/key_mapping.h"
#include "g3d/act_draw.h"
#include "g3d/renderer.h"
#include "sound/sfx_bank.h"
#include "ui/talk_msg.h"
#include "ui/ui_numbers.h"

namespace {

enum : std::uint16_t { arrow_up = 0, arrow_down = 1 };

bool in_band(int v, int lo, int hi) { return v >= lo && v < hi; }

ScrollInput read_scroll_input(const ScrollList& l) {
  ScrollInput in;
  const int dz = grp_input.get_mouse_dz();
  in.down = dz < 0;
  in.up = dz > 0;
  if (grp_input.key_repeat(key_mouse1) && in_band(mouse_x, l.x + 5, l.x + 20)) {
    const int my = mouse_y, top = l.y + 35;
    if (in_band(my, l.y + 5, l.y + 25)) {
      in.up = in.clicked = true;
    } else if (in_band(my, l.y + l.track_length + 40, l.y + l.track_length + 65)) {
      in.down = in.clicked = true;
    } else if (in_band(my, top, top + l.thumb_offset)) {
      in.page_up = in.clicked = true;
    } else if (in_band(my, top + l.thumb_offset + l.thumb_length, top + l.track_length)) {
      in.page_down = in.clicked = true;
    }
  }
  in.home = grp_input.key_repeat(key_home) != 0;
  in.end = grp_input.key_repeat(key_end) != 0;
  in.up = in.up || grp_input.key_repeat(key_up);
  in.down = in.down || grp_input.key_repeat(key_down);
  in.page_up = in.page_up || grp_input.key_repeat(key_page_up);
  in.page_down = in.page_down || grp_input.key_repeat(key_page_down);
  return in;
}

void moved(ScrollList* l, std::uint16_t direction) {
  l->key_move = 1;
  key_nav_mode = 1;
  l->changed = 1;
  l->arrow_frames = 0;
  l->arrow_direction = direction;
}

}  // namespace

bool apply_scroll_input(ScrollList* l, const ScrollInput& in) {
  const int count = l->item_count, rows = l->visible_rows;
  if (count <= 0) return false;  // an empty list has no thumb and no rows to move over
  l->thumb_offset = int(float(l->top_item) / float(count) * float(l->track_length));
  l->thumb_length = int(float(rows) / float(count) * float(l->track_length));
  l->same_list = 1;
  l->key_move = l->mouse_move = l->changed = 0;
  if (l->list_key_a != l->last_key_a || l->list_key_b != l->last_key_b) {
    l->same_list = 0;
    l->last_key_a = l->list_key_a;
    l->last_key_b = l->list_key_b;
  }
  if (in.clicked) l->mouse_move = 1;
  bool any = false;
  if (in.home) {
    play_sfx(sfx_cursor, 1);
    l->cursor_row = 0;
    l->top_item = 0;
    moved(l, arrow_up);
    any = true;
  }
  if (in.end) {
    play_sfx(sfx_cursor, 1);
    if (count < rows) {
      l->cursor_row = count - 1;
    } else {
      l->cursor_row = rows - 1;
      l->top_item = count - rows;
      moved(l, arrow_down);
      any = true;
    }
  }
  if (in.up) {
    play_sfx(sfx_cursor, 1);
    if (--l->cursor_row < 0) {
      l->cursor_row = 0;
      if (l->top_item > 0) --l->top_item;
    }
    moved(l, arrow_up);
    any = true;
  }
  if (in.down) {
    play_sfx(sfx_cursor, 1);
    if (++l->cursor_row >= rows) {
      l->cursor_row = rows - 1;
      ++l->top_item;
      if (l->cursor_row + l->top_item >= count) --l->top_item;
    } else if (l->cursor_row >= count) {
      l->cursor_row = count - 1;
    }
    moved(l, arrow_down);
    any = true;
  }
  if (in.page_up) {
    play_sfx(sfx_page, 1);
    if (l->cursor_row != 0) {
      l->cursor_row = 0;
    } else {
      l->top_item -= rows;
      if (l->top_item < 0) l->top_item = 0;
    }
    moved(l, arrow_up);
    any = true;
  }
  if (in.page_down) {
    play_sfx(sfx_page, 1);
    moved(l, arrow_down);
    any = true;
    if (count < rows) {
      l->cursor_row = count - 1;
    } else if (l->cursor_row != rows - 1) {
      l->cursor_row = rows - 1;
    } else {
      l->top_item += rows;
      if (l->top_item + rows > count) l->top_item = count - rows;
    }
  }
  return any && !l->mouse_move;
}

int input_scroll_list(ScrollList* l) {
  if (l->item_count <= 0) return 0;
  if (apply_scroll_input(l, read_scroll_input(*l)))
    grp_input.set_mouse_pos(l->row_mouse_x, l->first_row_y + l->row_height * l->cursor_row);
  return 0;
}

void draw_scroll_bar(ScrollList* l) {
  if (l->visible_rows >= l->item_count) return;
  draw_act(l->bar_act, l->bar_qq, l->x, l->y, 0);
  renderer.draw_rect(l->x + 5, l->y + l->thumb_offset + 35, l->thumb_width, l->thumb_length, 0xFFFFFFFF, 0);
  if (l->key_move || l->arrow_frames != 0) {
    const bool down = l->arrow_direction == arrow_down;
    draw_act(scroll_arrow_act, l->arrow_direction, l->x - 2, down ? l->y + l->track_length + 30 : l->y + 10, 0);
    if (++l->arrow_frames > 4) l->arrow_frames = 0;
  }
}

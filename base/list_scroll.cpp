// The base lists' scrolling.
#include "base/list_scroll.h"

#include <algorithm>

#include "base/base_numbers.h"
#include "base/base_top_menu.h"
#include "core/grp_input.h"
#include "core/key_mapping.h"
#include "sound/sfx_bank.h"

void scroll_up(const ListScroll& s) {
  if (--*s.cursor >= 1) return;
  if (*s.top > 0) {
    --*s.top;
    *s.cursor = 1;
  } else {
    *s.cursor = s.exit_row ? 0 : 1;
  }
}

void scroll_down(const ListScroll& s) {
  if (++*s.cursor > s.page) {
    *s.cursor = s.page;
    if (*s.top < s.count - s.page) ++*s.top;
  }
  *s.cursor = std::min(*s.cursor, s.count - *s.top);
}

void page_up(const ListScroll& s) {
  if (*s.top == 0) {
    *s.cursor = 1;
    mouse_keyboard_lock = 1;
  } else {
    *s.top = std::max(0, *s.top - s.page);
  }
  play_sfx(sfx_base_cursor, 0);
}

void page_down(const ListScroll& s) {
  if (s.count - *s.top <= s.page) {
    *s.cursor = s.count - *s.top;
    mouse_keyboard_lock = 1;
  } else {
    *s.top = std::min(*s.top + s.page, s.count - s.page);
  }
  play_sfx(sfx_base_cursor, 0);
}

void key_up_step(const ListScroll& s) {
  scroll_up(s);
  mouse_keyboard_lock = 1;
  play_sfx(sfx_base_cursor, 0);
}

void key_down_step(const ListScroll& s) {
  scroll_down(s);
  mouse_keyboard_lock = 1;
  play_sfx(sfx_base_cursor, 0);
}

void list_keys(const ListScroll& s) {
  if (grp_input.key_repeat(key_up)) key_up_step(s);
  if (grp_input.key_repeat(key_down)) key_down_step(s);
  if (grp_input.key_repeat(key_page_up)) page_up(s);
  if (grp_input.key_repeat(key_page_down)) page_down(s);
}

int click_scroll(const ListScroll& s, int mx, int my) {
  if (mx < s.x + 188 || mx >= s.x + 208 || s.count <= 0) return 0;
  if (my >= s.y + 58 && my < s.y + 78) {
    scroll_up(s);
  } else if (my >= s.y + s.down_arrow_y && my < s.y + s.down_arrow_y + 20) {
    scroll_down(s);
  } else if (my >= s.y + 88 + (*s.top + s.page) * s.track / s.count && my < s.y + 88 + s.track) {
    if (s.count - *s.top <= s.page) return 0;
    *s.top = std::min(*s.top + s.page, s.count - s.page);
  } else if (my >= s.y + 88 && my < s.y + 88 + *s.top * s.track / s.count) {
    if (*s.top <= 0) return 0;
    *s.top = std::max(0, *s.top - s.page);
  } else {
    return 0;
  }
  play_sfx(sfx_base_cursor, 0);
  return 1;
}

void hover_row(int x, int y, int visible, int* cursor) {
  if (mouse_keyboard_lock || mouse_x <= x + 23 || mouse_x >= x + 183) return;
  for (int i = 0; i < visible; ++i)
    if (mouse_y > y + 60 + 35 * i && mouse_y < y + 90 + 35 * i && *cursor != i + 1) {
      *cursor = i + 1;
      play_sfx(sfx_base_cursor, 0);
    }
}

void hover_list_rows(int x0, int x1, int y0, int visible, int* cursor) {
  if (mouse_keyboard_lock || mouse_x <= x0 || mouse_x >= x1) return;
  for (int i = 0; i < visible; ++i)
    if (mouse_y > y0 + 25 * i && mouse_y < y0 + 25 + 25 * i && *cursor != i + 1) {
      *cursor = i + 1;
      play_sfx(sfx_base_cursor, 0);
    }
}

// The scroll list's moves as pure state.
#include "ui/scroll_list.h"

#include <gtest/gtest.h>

#include "ui/talk_msg.h"

namespace {

struct Move {
  const char* name;
  int count, rows, cursor, top;
  ScrollInput in;
  int want_cursor, want_top;
  int key_move;
  bool put_mouse;
};

ScrollInput home() { ScrollInput i; i.home = true; return i; }
ScrollInput end() { ScrollInput i; i.end = true; return i; }
ScrollInput up() { ScrollInput i; i.up = true; return i; }
ScrollInput down() { ScrollInput i; i.down = true; return i; }
ScrollInput page_up() { ScrollInput i; i.page_up = true; return i; }
ScrollInput page_down() { ScrollInput i; i.page_down = true; return i; }
ScrollInput clicked_down() { ScrollInput i; i.down = i.clicked = true; return i; }

TEST(ScrollList, MovesKeepTheCursorInsideTheList) {
  const Move moves[] = {
      {"end in a short list", 3, 9, 0, 0, end(), 2, 0, 0, false},
      {"page down in a short list", 3, 9, 0, 0, page_down(), 2, 0, 1, true},
      {"down past a short list", 3, 9, 2, 0, down(), 2, 0, 1, true},
      {"down on the last row scrolls", 20, 9, 8, 0, down(), 8, 1, 1, true},
      {"down at the end stays", 20, 9, 8, 11, down(), 8, 11, 1, true},
      {"page down to the last row", 20, 9, 3, 0, page_down(), 8, 0, 1, true},
      {"page down from the last row", 20, 9, 8, 0, page_down(), 8, 9, 1, true},
      {"page down clamps", 20, 9, 8, 9, page_down(), 8, 11, 1, true},
      {"page up to the first row", 20, 9, 4, 5, page_up(), 0, 5, 1, true},
      {"page up from the first row", 20, 9, 0, 5, page_up(), 0, 0, 1, true},
      {"up on the first row scrolls", 20, 9, 0, 5, up(), 0, 4, 1, true},
      {"home", 20, 9, 5, 5, home(), 0, 0, 1, true},
      {"end of a long list", 20, 9, 0, 0, end(), 8, 11, 1, true},
      {"a click moves without the mouse", 20, 9, 0, 0, clicked_down(), 1, 0, 1, false},
  };
  for (const Move& m : moves) {
    SCOPED_TRACE(m.name);
    ScrollList l;
    l.item_count = m.count;
    l.visible_rows = m.rows;
    l.cursor_row = m.cursor;
    l.top_item = m.top;
    l.track_length = 100;
    key_nav_mode = 0;
    EXPECT_EQ(apply_scroll_input(&l, m.in), m.put_mouse);
    EXPECT_EQ(l.cursor_row, m.want_cursor);
    EXPECT_EQ(l.top_item, m.want_top);
    EXPECT_EQ(l.key_move, m.key_move);
    EXPECT_EQ(l.changed, m.key_move);
    EXPECT_EQ(key_nav_mode, m.key_move);
  }
}

TEST(ScrollList, ThumbAndListKeys) {
  ScrollList l;
  l.item_count = 20;
  l.visible_rows = 9;
  l.top_item = 10;
  l.track_length = 200;
  l.list_key_a = 3;
  apply_scroll_input(&l, ScrollInput{});
  EXPECT_EQ(l.thumb_offset, 100);
  EXPECT_EQ(l.thumb_length, 90);
  EXPECT_EQ(l.same_list, 0);
  apply_scroll_input(&l, ScrollInput{});
  EXPECT_EQ(l.same_list, 1);
}

TEST(ScrollList, AnEmptyListIsLeftAlone) {
  ScrollList l;
  l.cursor_row = 4;
  EXPECT_EQ(input_scroll_list(&l), 0);
  EXPECT_EQ(l.cursor_row, 4);
}

}  // namespace

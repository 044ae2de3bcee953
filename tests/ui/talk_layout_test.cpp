// The message boxes' layout core against a canvas that records what it is asked to draw.
#include "ui/talk_layout.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "core/flags.h"
#include "core/game_flags.h"
#include "core/user_cfg.h"
#include "ui/talk_msg.h"
#include "ui/text_button.h"

namespace {

struct DrawnChar {
  int x, y;
  std::string bytes;
};

class RecordingCanvas : public TalkCanvas {
 public:
  std::vector<DrawnChar> chars;
  std::vector<std::pair<int, int>> arrows;
  std::vector<std::vector<int>> bars;
  void draw_char(int x, int y, const char* bytes, int count, std::uint16_t) override {
    chars.push_back({x, y, std::string(bytes, std::size_t(count))});
  }
  void draw_page_arrow(int x, int y) override { arrows.push_back({x, y}); }
  void draw_select_bar(int x, int y, int w, int h, std::uint32_t) override { bars.push_back({x, y, w, h}); }
  std::string text() const {
    std::string s;
    for (const DrawnChar& c : chars) s += c.bytes;
    return s;
  }
};

// A box of its own text, without a speaker on the map; margins 10, spacing 0 (characters of 10
// and 20 pixels, lines of 20), `columns` bytes a line and `lines` lines a page.
class TalkLayout : public ::testing::Test {
 protected:
  void SetUp() override {
    user_options[option_message_speed] = 40;  // no speed adjustment
    std::memset(talk_strings, 0, sizeof talk_strings);
    talk_string_count = 0;
    del_all_talkmsg();
    del_all_tbutton();
  }
  void TearDown() override {
    del_all_talkmsg();
    del_all_tbutton();
  }

  TalkMsg* open(const std::string& text, int delay, int columns = 40, int lines = 4, std::uint32_t flags = 0) {
    TalkMsg t;
    t.speaker = 0xFFF0;
    t.flags = flags;
    t.margin_x = t.margin_y = 10;
    t.cur_x = t.target_x = 100;
    t.cur_y = t.target_y = 50;
    t.cur_w = float(columns * 10 + 20);
    t.cur_h = float(lines * 20 + 20);
    t.typing_countdown = delay;
    t.text = const_cast<char*>(text.c_str());
    t.text_length = std::uint16_t(text.size());
    add_talkmsg(&t);
    TalkMsg* b = talkmsg_head();
    while (b->next) b = b->next;
    return b;
  }

  // The canvas of one frame's pass.
  RecordingCanvas frame(TalkMsg* b) {
    RecordingCanvas c;
    talk_text_pass(b, c);
    return c;
  }
};

TEST_F(TalkLayout, TypingShowsTokensFrameByFrame) {
  struct Case {
    int delay;
    bool show_at_once_flag;
    std::vector<std::size_t> shown;  // characters drawn in frames 1..5
  } cases[] = {
      {0, false, {5, 5, 5, 5, 5}},
      {1, false, {5, 5, 5, 5, 5}},
      {2, false, {1, 2, 3, 4, 5}},
      {3, false, {1, 1, 2, 2, 3}},
      {5, true, {5}},  // the flag also closes the ended box in the next frame
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.delay);
    if (c.show_at_once_flag) set_flag(flag_speed_up); else clear_flag(flag_speed_up);
    TalkMsg* b = open("ABCDE%Q", c.delay);
    for (std::size_t f = 0; f < c.shown.size(); ++f) EXPECT_EQ(frame(b).chars.size(), c.shown[f]) << "frame " << f + 1;
    del_all_talkmsg();
  }
  clear_flag(flag_speed_up);
}

TEST_F(TalkLayout, AGoOnKeyFinishesThePageAtOnce) {
  TalkMsg* b = open("ABCDEF%Q", 4);
  EXPECT_EQ(frame(b).chars.size(), 1u);
  b->flags |= talk_finish_page;
  EXPECT_EQ(frame(b).text(), "ABCDEF");
}

TEST_F(TalkLayout, AFullPageWaitsWithTheArrowAndTurnsToTheTopLeft) {
  TalkMsg* b = open("ABCDEFGH%Q", 0, 4, 1);
  RecordingCanvas first = frame(b);
  EXPECT_EQ(first.text(), "ABCD");
  EXPECT_TRUE(b->flags & talk_page_full);
  RecordingCanvas waiting = frame(b);
  EXPECT_EQ(waiting.text(), "ABCD");
  ASSERT_EQ(waiting.arrows.size(), 1u);
  EXPECT_EQ(waiting.arrows[0], std::make_pair(100 + 60 - 32, 50 + 40 - 32));
  b->flags |= talk_go_on;
  RecordingCanvas next = frame(b);
  EXPECT_EQ(next.text(), "EFGH");
  EXPECT_EQ(next.chars[0].x, 110);
  EXPECT_EQ(next.chars[0].y, 60);
  EXPECT_TRUE(b->flags & talk_text_ended) << "the wrap before %Q ends the text";
}

TEST_F(TalkLayout, PageBreakAndNewLineOnTheLastLineEndThePage) {
  struct Case {
    const char* text;
    int lines;
    const char* first, *second;
  } cases[] = {
      {"AB%PCD%Q", 4, "AB", "CD"},
      {"AB%NCD%NEF%Q", 2, "ABCD", "EF"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    TalkMsg* b = open(c.text, 0, 40, c.lines);
    EXPECT_EQ(frame(b).text(), c.first);
    EXPECT_TRUE(b->flags & talk_page_full);
    b->flags |= talk_go_on;
    RecordingCanvas next = frame(b);
    EXPECT_EQ(next.text(), c.second);
    EXPECT_EQ(next.chars[0].y, 60) << "the next page starts at the top";
    del_all_talkmsg();
  }
}

TEST_F(TalkLayout, SpeedCodeAppliesOnce) {
  user_options[option_message_speed] = 0;  // speed adjustment +2
  TalkMsg* b = open("%S5ABC%Q", 0);
  EXPECT_EQ(frame(b).text(), "");
  EXPECT_EQ(b->typing_delay, 7);
  EXPECT_EQ(std::string(b->text, 3), "%s5");
  // The next frame's pass walks over the code again: applied again it would reload the
  // countdown to 7 and hold "A" back.
  b->typing_countdown = 1;
  EXPECT_EQ(frame(b).text(), "A");
  EXPECT_EQ(b->typing_countdown, 6);
}

TEST_F(TalkLayout, Big5CharacterAtTheWrapColumnWrapsAfterIt) {
  // Three bytes a line: "A" and a two-byte character reach column 3, "B" starts the next line.
  TalkMsg* b = open("A\xa4W" "B%Q", 0, 3, 2);
  RecordingCanvas c = frame(b);
  ASSERT_EQ(c.chars.size(), 3u);
  EXPECT_EQ(c.chars[1].bytes, "\xa4W");
  EXPECT_EQ(c.chars[1].x, 120);
  EXPECT_EQ(c.chars[2].x, 110);
  EXPECT_EQ(c.chars[2].y, 80);
}

TEST_F(TalkLayout, BadDigitsAndUnendedLabelsStayInTheText) {
  TalkMsg* b = open("%CxA%F9B%Bno end", 0);
  RecordingCanvas c = frame(b);
  EXPECT_EQ(c.text(), "ABno end");
  EXPECT_EQ(b->typing_delay, 0);
  EXPECT_TRUE(b->flags & talk_text_ended) << "the zero after the text ends it";
}

TEST_F(TalkLayout, StoredStringsAreInsertedUpToTheirDot) {
  std::strcpy(talk_strings[0], "XY.");
  talk_string_count = 1;
  TalkMsg* b = open("A%F0B%F1C%Q", 0);
  b->typing_delay = 4;
  EXPECT_EQ(frame(b).text(), "AXYBC") << "an unstored index shows nothing";
  EXPECT_EQ(b->typing_delay, 0) << "the rest of the box shows at once";
  talk_string_count = 0;
}

TEST_F(TalkLayout, AStoredStringEndingInALeadByteStopsAtItsSlot) {
  // The last slot, full and ending in a lead byte: its trail byte would lie past the strings.
  char* last = talk_strings[talk_string_slots - 1];
  std::memset(last, 'x', talk_string_size - 1);
  last[talk_string_size - 1] = '\xa4';
  talk_string_count = talk_string_slots;
  TalkMsg* b = open("%F9A%Q", 0, 60);
  EXPECT_EQ(frame(b).text(), std::string(talk_string_size - 1, 'x') + "A");
  std::memset(talk_strings, 0, sizeof talk_strings);
  talk_string_count = 0;
}

TEST_F(TalkLayout, ButtonsAreRegisteredOnceAndTheHighlightedOneGetsTheBar) {
  TalkMsg* b = open("Q?%B\xacO.%B\xa7_.%Q", 0);
  RecordingCanvas c = frame(b);
  EXPECT_EQ(tbutton_count, 2);
  EXPECT_TRUE(b->flags & talk_has_buttons);
  ASSERT_NE(lpButton.next, nullptr);
  const TextButton& yes = *lpButton.next;
  EXPECT_EQ(yes.left, 100 + 10 + 10 * 2);
  EXPECT_EQ(yes.top, 60);
  EXPECT_EQ(yes.right, yes.left + 20);
  EXPECT_EQ(yes.bottom, 80);
  ASSERT_EQ(c.bars.size(), 1u);
  EXPECT_EQ(c.bars[0], (std::vector<int>{130 - 4, 60 - 4, 20 + 8, 28}));
  tbutton_choice = 1;
  RecordingCanvas again = frame(b);
  EXPECT_EQ(tbutton_count, 2) << "the codes became %b";
  ASSERT_EQ(again.bars.size(), 1u);
  EXPECT_EQ(again.bars[0][0], 150 - 4);
}

TEST_F(TalkLayout, MeasuringSizesShortAndLongTexts) {
  struct Case {
    const char* text;
    std::uint16_t width, height;
  } cases[] = {
      {"ABC%Q", 2 * 10 + 20 * 1 + 10, 2 * 10 + 20},
      {"AB%NCD%Q", 200 + 20, 2 * (4 + 20) + 20},
      {"0123456789012345678901234%Q", 200 + 20, 2 * (4 + 20) + 20},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    TalkMsg b;
    std::string text = c.text;
    b.text = text.data();
    b.margin_x = b.margin_y = 10;
    b.line_spacing = 4;
    measure_talk_text(&b);
    EXPECT_EQ(b.width, c.width);
    EXPECT_EQ(b.height, c.height);
  }
}

TEST_F(TalkLayout, OpeningBoxesArePlacedAroundTheSpeaker) {
  struct Case {
    int sx, sy;
    bool named, at_point;
    int x, y;
  } cases[] = {
      {200, 246, false, false, 200 - 50, 246 - 60},  // above
      {200, 247, false, false, 200 - 50, 247 + 60},  // below
      {400, 300, false, false, 400 - 100 / 3, 300 + 60},  // right of the middle: a third to the left
      {630, 300, false, false, 630 - 100, 300 + 60},
      {620, 100, false, false, 630 - 100, 100 - 60},
      {5, 30, false, false, 20, 20},
      {5, 30, true, false, 20, 30},
      {200, 460, false, false, 150, 470 - 60},
      {400, 300, false, true, 400 - 50, 300 - 60},  // at a point: centred and above, wherever it is
      {200, 247, false, true, 200 - 50, 247 - 60},
      {660, 40, true, true, 630 - 100, 30},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.sx) + "," + std::to_string(c.sy) + (c.at_point ? " at point" : ""));
    TalkMsg b;
    b.width = 100;
    b.height = 60;
    b.open_speed = 5;
    if (c.named) std::strcpy(b.name, "N");
    place_open_box(&b, c.sx, c.sy, c.at_point);
    EXPECT_EQ(b.target_x, c.x);
    EXPECT_EQ(b.target_y, c.y);
    EXPECT_EQ(b.cur_x, c.sx);
    EXPECT_EQ(b.cur_w, 40);
  }
}

TEST_F(TalkLayout, OpenAnimationArrivesAndABoxAtItsTargetArrivesAtOnce) {
  TalkMsg b;
  b.cur_x = b.target_x = 100;
  b.cur_y = b.target_y = 100;
  b.open_speed = 0;
  animate_talk_box(&b);
  EXPECT_TRUE(b.flags & talk_arrived);
  TalkMsg m;
  m.cur_x = 0;
  m.target_x = 100;
  m.open_speed = 10;
  m.flags = talk_constant_speed;
  int frames = 0;
  while (!(m.flags & talk_arrived) && frames < 100) {
    animate_talk_box(&m);
    ++frames;
  }
  EXPECT_EQ(m.cur_x, 100);
  EXPECT_EQ(frames, 11) << "ten steps of 10, then the snap";
}

}  // namespace

// The layout core of message boxes.
#include "ui/talk_layout.h"

#include <algorithm>
#include <cmath>

#include "core/flags.h"
#include "core/game_flags.h"
#include "core/text_colours.h"
#include "core/user_cfg.h"
#include "ui/talk_msg.h"
#include "ui/text_button.h"

namespace {

constexpr int talk_text_last = talk_text_size - 1;  // the zero that always ends a box's text
constexpr std::uint32_t button_bar_colour = 0x78FFFFFF;

bool is_code(const char* p, char letter) { return p[0] == '%' && p[1] == letter; }
bool is_lead(char c) { return std::uint8_t(c) >= 0x80; }
int digit_of(char c) { return c >= '0' && c <= '9' ? c - '0' : -1; }

// Bytes of a character at p, before end: 2 for a Big5 character, 1 otherwise; 1 for a lead byte
// whose trail byte is missing or lies at end.
int char_bytes(const char* p, const char* end) { return is_lead(p[0]) && p + 1 < end && p[1] ? 2 : 1; }

// One frame's walk over a box's page.
class TextPass {
 public:
  TextPass(TalkMsg* b, TalkCanvas& c) : b_(b), c_(c) {
    b_->buttons_drawn = 0;
    colour_ = b_->text_colour;
    bytes_per_line_ = 2.0f * float(b_->width - 2 * b_->margin_x) / float(b_->char_spacing + 20);
    lines_per_page_ = float(b_->height - 2 * b_->margin_y) / float(b_->line_spacing + 20);
    limit_ = b_->text + talk_text_last;
    top_of_page(b_->page_start);
  }

  void run() {
    // Every round consumes bytes or turns to a later page, so the walk ends; the bound is a net.
    for (int round = 0; round < 4 * talk_text_size; ++round) {
      if (!typing_allows()) return;
      if ((b_->flags & talk_page_full) && page_full_ends()) return;
      if ((b_->flags & talk_text_ended) && text_ended_ends()) return;
      if (!token()) return;
    }
  }

 private:
  bool fast() const { return test_flag(flag_speed_up) != 0; }
  bool timed_without_buttons() const {
    return (b_->flags & talk_timed) && !(b_->flags & talk_has_buttons);
  }
  bool time_is_up() const { return b_->current_time - b_->start_time > b_->duration; }
  // The rule that turns a full page and closes an ended text.
  bool may_go_on() const {
    if (timed_without_buttons()) return time_is_up() || fast();
    return (b_->flags & talk_go_on) || (fast() && !(b_->flags & talk_has_buttons));
  }

  void top_of_page(char* start) {
    p_ = start;
    pen_x_ = b_->cur_x + b_->margin_x;
    pen_y_ = b_->cur_y + b_->margin_y;
    column_ = line_ = 0;
  }

  void page_arrow() {
    if (arrow_drawn_ || (b_->flags & talk_no_arrow)) return;
    arrow_drawn_ = true;
    c_.draw_page_arrow(b_->cur_x + b_->width - 32, b_->cur_y + b_->height - 32);
  }

  // Typing: false when this frame shows no more.
  bool typing_allows() {
    if (p_ <= b_->typed_end || fast()) return true;
    if (b_->flags & talk_finish_page) b_->typing_countdown = 0;
    if (--b_->typing_countdown > 0) {
      b_->text_colour = text_colours[0];
      return false;
    }
    b_->typing_countdown = b_->typing_delay;
    b_->typed_end = p_;
    return true;
  }

  // A full page: turned (the walk goes on from the top of the next page) or waiting.
  bool page_full_ends() {
    b_->flags &= ~talk_finish_page;
    if (tbutton_confirmed) b_->flags &= ~talk_has_buttons;
    if (!may_go_on()) {
      page_arrow();
      return false;
    }
    b_->page_start = b_->typed_end;
    b_->flags &= ~(talk_page_full | talk_go_on);
    top_of_page(b_->page_start);
    return false;
  }

  // An ended text: closed (the pass ends) or waiting.
  bool text_ended_ends() {
    if (tbutton_confirmed) b_->flags &= ~talk_has_buttons;
    if (!may_go_on()) {
      page_arrow();
      return false;
    }
    b_->flags |= talk_close;
    talk_box_state = test_flag(flag_battle) ? talk_state_closed_in_battle : talk_state_closed;
    b_->flags &= ~(talk_text_ended | talk_go_on);
    return true;
  }

  // Ends the page at `next`: the text ends there when "%Q" follows, else the page is full.
  void end_page_at(char* next) {
    b_->typed_end = next;
    b_->flags |= (is_code(next, 'Q') || !*next) ? talk_text_ended : talk_page_full;
  }

  void new_line() {
    column_ = 0;
    pen_x_ = b_->cur_x + b_->margin_x;
    ++line_;
    pen_y_ += b_->line_spacing + 20;
  }

  // Draws the character at q (n bytes) and moves the pen: false when a wrap filled the page.
  bool put_char(const char* q, int n, char* next) {
    const int advance = b_->char_spacing + (n == 2 ? 20 : 10);
    if (!(n == 1 && is_lead(q[0]))) c_.draw_char(pen_x_, pen_y_, q, n, colour_);
    if (highlight_) highlight_width_ += advance;
    column_ += n;
    if (float(column_) >= bytes_per_line_) {
      new_line();
      if (float(line_) >= lines_per_page_) {
        end_page_at(next);
        return false;
      }
    } else {
      pen_x_ += advance;
    }
    return true;
  }

  // The characters of a button label or a "%F" string from q up to "." (within end): false when
  // the page filled. *after is the byte after the ".", or where the walk stopped.
  bool put_run(char* q, const char* end, char** after, char* page_end) {
    while (q < end && *q && *q != '.' && !is_code(q, 'Q')) {
      const int n = char_bytes(q, end);
      if (!put_char(q, n, page_end ? page_end : q + n)) return false;
      q += n;
    }
    *after = (q < end && *q == '.') ? q + 1 : q;
    return true;
  }

  void register_button(const char* label) {
    int bytes = 0;
    while (label + bytes < limit_ && label[bytes] && label[bytes] != '.' && !is_code(label + bytes, 'Q')) ++bytes;
    TextButton button;
    button.left = b_->target_x + b_->margin_x + (b_->char_spacing + 10) * column_;
    button.top = b_->target_y + b_->margin_y + (b_->line_spacing + 20) * line_;
    button.right = button.left + (bytes / 2) * (b_->char_spacing + 20);
    button.bottom = button.top + b_->line_spacing + 20;
    add_tbutton(&button);
    b_->flags |= talk_has_buttons;
  }

  bool button_label() {
    const bool lit = b_->buttons_drawn == tbutton_choice;
    const int x = pen_x_, y = pen_y_;
    highlight_ = lit;
    highlight_width_ = 0;
    char* after = nullptr;
    const bool room = put_run(p_ + 2, limit_, &after, nullptr);
    highlight_ = false;
    if (!room) return false;
    if (after > p_ + 2 && after[-1] == '.') {
      ++b_->buttons_drawn;
      if (lit) c_.draw_select_bar(x - 4, y - 4, highlight_width_ + 8, 28, button_bar_colour);
    }
    p_ = after;
    return true;
  }

  bool talk_string(int d) {
    b_->typing_delay = b_->typing_countdown = 0;
    char* after_code = p_ + 3;
    if (d >= 0 && d < talk_string_count && d < talk_string_slots) {
      char* s = talk_strings[d];
      char* after = nullptr;
      // A string that fills the page goes on, on the next page, after its code.
      if (!put_run(s, s + talk_string_size, &after, after_code)) return false;
    }
    p_ = after_code;
    return true;
  }

  void set_speed(int delay) {
    b_->typing_delay = b_->typing_countdown = delay;
  }

  // Skips a code and its one digit, as far as the text goes.
  void skip_code_with_digit() { p_ += p_[2] ? 3 : 2; }

  // One token: false when the pass ends.
  bool token() {
    if (p_ >= limit_ || !*p_) {  // a text without "%Q" ends at its zero
      b_->flags |= talk_text_ended;
      return false;
    }
    if (p_[0] != '%' || !p_[1]) {
      const int n = char_bytes(p_, limit_ + 1);
      char* next = p_ + n;
      const char* q = p_;
      p_ = next;
      return put_char(q, n, next);
    }
    const int d = digit_of(p_[2]);
    switch (p_[1]) {
      case 'Q':
        b_->flags |= talk_text_ended;
        return false;
      case 'N':
        new_line();
        p_ += 2;
        if (float(line_) >= lines_per_page_) {
          b_->typed_end = p_;
          b_->flags |= talk_page_full;
          return false;
        }
        return true;
      case 'n': case 'k': case 'A':
        p_ += 2;
        return true;
      case 's':  // a "%S" already applied keeps its digit, which is not text
        skip_code_with_digit();
        return true;
      case 'C':
        if (d >= 0) b_->text_colour = colour_ = text_colours[d];
        skip_code_with_digit();
        return true;
      case 'O': case 'D':
        skip_code_with_digit();
        return true;
      case 'S':
        if (d >= 0) {
          set_speed(d + ((b_->flags & talk_fixed_speed) ? 0 : talk_speed_adjust()));
          p_[1] = 's';  // applies once
        }
        skip_code_with_digit();
        return true;
      case 'K':
        set_speed(3);
        b_->flags |= talk_fixed_speed;
        p_[1] = 'k';
        p_ += 2;
        return true;
      case 'F':
        if (d < 0) {
          skip_code_with_digit();
          return true;
        }
        return talk_string(d);
      case 'B':
        register_button(p_ + 2);
        p_[1] = 'b';
        return button_label();
      case 'b':
        return button_label();
      case 'P':
        p_ += 2;
        end_page_at(p_);
        b_->flags |= talk_page_full;
        return false;
      case 'T': {
        // An object code whose object was not found: not shown.
        int n = 2;
        while (n < 10 && p_[n] && p_[n] != '.') ++n;
        p_ += (p_[n] == '.') ? n + 1 : 2;
        return true;
      }
      default: {
        const char* q = p_;
        p_ += 1;
        return put_char(q, 1, p_);
      }
    }
  }

  TalkMsg* b_;
  TalkCanvas& c_;
  std::uint16_t colour_;
  float bytes_per_line_, lines_per_page_;
  char* limit_;
  char* p_ = nullptr;
  int pen_x_ = 0, pen_y_ = 0;
  int column_ = 0, line_ = 0;
  bool arrow_drawn_ = false;
  bool highlight_ = false;
  int highlight_width_ = 0;
};

// One frame's move of the box position.
struct Step2 {
  float x, y;
};

}  // namespace

int talk_speed_index() { return std::clamp(user_options[option_message_speed], 0, 100) / 20; }

int talk_speed_adjust() {
  static constexpr int adjust[6] = {2, 1, 0, -1, -2, -3};
  return adjust[talk_speed_index()];
}

void measure_talk_text(TalkMsg* b) {
  const bool one_line = (b->flags & talk_auto_size) && b->width == 0;
  int lines = 0, column = 0;
  bool new_lines = false;
  char* p = b->text;
  char* const end = b->text + talk_text_last;
  while (p < end && *p && !is_code(p, 'Q')) {
    if (is_code(p, 'N')) {
      if (one_line) {
        p[1] = 'n';
        break;
      }
      ++lines;
      column = 0;
      new_lines = true;
      p += 2;
    } else if (is_code(p, 'C') || is_code(p, 'O') || is_code(p, 'D') || is_code(p, 'S')) {
      p += p[2] ? 3 : 2;
    } else if (is_code(p, 'B') || is_code(p, 'A')) {
      p += 2;
    } else {
      if (*p != '.') ++column;
      ++p;
    }
  }
  const int cs = b->char_spacing, mx = b->margin_x, my = b->margin_y;
  if (b->flags & talk_auto_size) {
    b->width = std::uint16_t(2 * mx + (cs + 20) * (column / 2) + (column % 2 ? 10 : 0));
  } else if (column > 20 || new_lines) {
    b->width = std::uint16_t(10 * cs + 2 * mx + 200);
    lines += column / 20 + (column % 20 != 0 ? 1 : 0);
    lines = std::max(lines, 1);
    b->height = std::uint16_t(std::min(lines, 3) * (b->line_spacing + 20) + 2 * my);
  } else {
    b->width = std::uint16_t(2 * mx + (cs + 20) * (column / 2) + (column % 2 ? cs + 10 : 0));
    b->height = std::uint16_t(2 * my + 20);
    b->line_spacing = 0;
  }
}

void apply_auto_size(TalkMsg* b) {
  const bool centred = b->height == 1;
  if (centred) b->line_spacing = 0;
  // Sizes a script gives can be anything: the sums wrap to 16 bits as stored, never overflow.
  b->height = std::uint16_t(unsigned(b->height) * (b->line_spacing + 20u) + 2u * b->margin_y);
  if (b->width != 0)
    b->width = std::uint16_t(unsigned(b->width) * (b->char_spacing + 20u) + 2u * b->margin_x);
  else
    measure_talk_text(b);
  b->cur_w = b->width;
  b->cur_h = b->height;
  if (centred) {
    b->target_x = std::int16_t(b->cur_x - b->width / 2);
    b->target_y = std::int16_t(b->cur_y - b->height / 2);
  }
  b->cur_x = b->target_x;
  b->cur_y = b->target_y;
}

void place_open_box(TalkMsg* b, int sx, int sy, bool at_point) {
  const int w = b->width, h = b->height;
  b->cur_x = std::int16_t(sx);
  b->cur_y = std::int16_t(sy);
  b->cur_w = b->cur_h = 40;
  int tx = at_point || sx < 320 ? sx - w / 2 : sx - w / 3;
  if (tx + w > 640) tx = 630 - w;
  if (tx < 20) tx = 20;
  int ty = at_point || sy <= 246 ? sy - h : sy + h;
  if (ty + h > 480) ty = 470 - h;
  const int top = b->name[0] ? 30 : 20;
  if (ty < 20) ty = top;
  b->target_x = std::int16_t(tx);
  b->target_y = std::int16_t(ty);
  if (b->open_speed == 0) {
    b->cur_x = b->target_x;
    b->cur_y = b->target_y;
    b->cur_w = w;
    b->cur_h = h;
  }
}

void animate_talk_box(TalkMsg* b) {
  if (b->flags & talk_arrived) return;
  const bool constant = b->flags & talk_constant_speed;
  const float speed = b->open_speed;
  const float dx = float(b->target_x - b->cur_x), dy = float(b->target_y - b->cur_y);
  const float n = std::sqrt(dx * dx + dy * dy);
  // At its target (or without a speed to get there) the box has arrived: there is no
  // direction to divide out.
  if (n == 0 || speed == 0) {
    b->cur_x = b->target_x;
    b->cur_y = b->target_y;
    b->flags |= talk_arrived;
  } else {
    const float ux = dx / n, uy = dy / n;
    Step2 s{};
    if (n < speed) {
      if (n <= 1 || constant) {
        b->cur_x = b->target_x;
        b->cur_y = b->target_y;
        b->flags |= talk_arrived;
      } else {
        s = {ux * n / 2, uy * n / 2};
      }
    } else if (constant) {
      s = {ux * speed, uy * speed};
    } else {
      s = {ux * (n / speed), uy * (n / speed)};
      auto at_least_one = [](float v) { return v > 0 && v < 1 ? 1.0f : v < 0 && v > -1 ? -1.0f : v; };
      s = {at_least_one(s.x), at_least_one(s.y)};
    }
    b->cur_x = std::int16_t(b->cur_x + int(std::trunc(s.x)));
    b->cur_y = std::int16_t(b->cur_y + int(std::trunc(s.y)));
  }
  if (!(b->flags & talk_open_anim)) return;
  const float ex = b->width - b->cur_w, ey = b->height - b->cur_h;
  const float m = std::sqrt(ex * ex + ey * ey);
  if (m == 0) return;
  const float vx = ex / m, vy = ey / m;
  if (m < speed) {
    if (m <= 1 || constant) {
      b->cur_w = b->width;
      b->cur_h = b->height;
    } else {
      b->cur_w += vx;
      b->cur_h += vy;
    }
  } else if (speed == 0) {
    return;
  } else if (constant) {
    b->cur_w += vx * speed;
    b->cur_h += vy * speed;
  } else {
    b->cur_w += vx * (m / speed);
    b->cur_h += vy * (m / speed);
  }
}

void talk_text_pass(TalkMsg* b, TalkCanvas& canvas) {
  if (!b->text) return;
  TextPass(b, canvas).run();
}

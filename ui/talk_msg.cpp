// Message boxes: the list, opening, the per-frame input and drawing, and closing.
#include "ui/talk_msg.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <new>

#include "core/flags.h"
#include "core/frame_timer.h"
#include "core/game_flags.h"
#include "core/grp_input.h"
#include "core/key_mapping.h"
#include "core/log.h"
#include "core/text_colours.h"
#include "data/map_role.h"
#include "field/role_move.h"
#include "g3d/act_draw.h"
#include "g3d/geometry.h"
#include "g3d/renderer.h"
#include "gfx2d/game_fonts.h"
#include "ui/talk_layout.h"
#include "ui/talk_text.h"
#include "ui/text_button.h"
#include "ui/text_draw.h"
#include "ui/ui_numbers.h"
#include "ui/window_frame.h"

char talk_strings[talk_string_slots][talk_string_size] = {};
int talk_string_count = 0;
std::uint16_t talk_char_spacing[2] = {5, 5};
std::uint32_t talk_box_colour = 0x80000000;
int key_nav_mode = 0;
int mouse_idle = 0;

namespace {

constexpr std::uint16_t narrator_role = 0xFF01;
constexpr int name_colour = 5;

TalkMsg* head = nullptr;
int box_count = 0;
char shared_text[talk_text_size];
ActInstance page_arrow;
bool page_arrow_ready = false;
int last_mouse_x = -1, last_mouse_y = -1;

bool valid_speaker(std::uint16_t speaker) { return speaker < gmMapRoleCount; }

// The screen point over a role's head.
void head_point(const MapRole& role, int* sx, int* sy) {
  const G3dVector p{role.X, role.Y + role.anim.box.max.y, role.Z, 1};
  G3dVector s{};
  g3d_project_point(&p, &s);
  *sx = int(s.x);
  *sy = int(s.y);
}

// Message-box text in the 20-pixel font straight into the back buffer.
class ScreenCanvas : public TalkCanvas {
 public:
  void draw_char(int x, int y, const char* bytes, int count, std::uint16_t colour) override {
    char s[3] = {bytes[0], count == 2 ? bytes[1] : '\0', '\0'};
    font_20.set_shadow_color(0);
    draw_text_at(font_20, x, y, s, colour, GLYPH_BOLD_SHADOW);
  }
  void draw_page_arrow(int x, int y) override {
    if (page_arrow_ready) draw_act_instance(&page_arrow, x, y, 0);
  }
  void draw_select_bar(int x, int y, int w, int h, std::uint32_t argb) override {
    ::draw_select_bar(x, y, w, h, argb);
  }
};

void report_no_memory(bool first) {
  if (first)
    // "無法增加 一個 talkmsg對話盒"
    report_error("%s", "\xb5L\xaak\xbcW\xa5[ \xa4@\xad\xd3 talkmsg\xb9\xef\xb8\xdc\xb2\xb0");
  else
    // "add_talkmsg(...) 無法配制 TmpMsg->next 記憶體"
    report_error("%s", "add_talkmsg(...) \xb5L\xaak\xb0t\xa8\xee TmpMsg->next \xb0O\xbe\xd0\xc5\xe9");
}

// The text a box keeps: at most 511 bytes, cut on a character boundary and ended there.
void copy_box_text(char* dst, const char* src, std::size_t length) {
  length = std::min<std::size_t>(length, talk_text_size - 1);
  std::size_t n = 0;
  while (n < length && src[n]) {
    const std::size_t step = (std::uint8_t(src[n]) >= 0x80) ? 2 : 1;
    if (n + step > length) break;
    n += step;
  }
  std::memcpy(dst, src, n);
  dst[n] = 0;
}

void draw_box_background(TalkMsg* b) {
  const int w = int(b->cur_w), h = int(b->cur_h);
  if (!(b->flags & talk_flat)) {
    draw_window_frame(b->frame_act, b->cur_x, b->cur_y, w, h);
    return;
  }
  if (b->alpha_now + 10 < b->alpha_target) {
    b->flat_colour = std::uint32_t(b->alpha_now) << 24 | std::uint32_t(b->red) << 16 | std::uint32_t(b->green) << 8 |
                     b->blue;
    b->alpha_now = std::uint8_t(b->alpha_now + 10);
  } else {
    b->alpha_now = b->alpha_target;
  }
  renderer.draw_rect(b->cur_x, b->cur_y, w, h, b->flat_colour, 2);
}

void draw_box_name(const TalkMsg* b) {
  char name[sizeof b->name + 1] = {};
  std::memcpy(name, b->name, sizeof b->name);
  if (!name[0]) return;
  draw_name_plate(b->cur_x - 15, b->cur_y - 34, int(std::strlen(name)) * 9 + 20, 40);
  font_16.set_shadow_color(0);
  draw_text_at(font_16, b->cur_x, b->cur_y - 22, name, text_colours[name_colour], GLYPH_BOLD_SHADOW);
}

TalkMsg narrator_template(int x, int y, const char* text, std::uint32_t user_value) {
  copy_box_text(shared_text, text, std::strlen(text));
  TalkMsg t;
  t.frame_act = window_frame_act;
  t.text_colour = 0xFFFF;
  t.flat_colour = talk_box_colour;
  t.red = std::uint8_t(talk_box_colour >> 16);
  t.green = std::uint8_t(talk_box_colour >> 8);
  t.blue = std::uint8_t(talk_box_colour);
  t.alpha_target = std::uint8_t(talk_box_colour >> 24);
  t.cur_x = t.target_x = std::int16_t(x);
  t.cur_y = t.target_y = std::int16_t(y);
  t.user_value = user_value;
  t.text = shared_text;
  t.text_length = std::uint16_t(std::strlen(shared_text));
  return t;
}

}  // namespace

TalkMsg* talkmsg_head() { return head; }
int talkmsg_count() { return box_count; }

void add_talkmsg(const TalkMsg* templ) {
  TalkMsg t = *templ;
  t.width = std::uint16_t(t.cur_w);
  t.height = std::uint16_t(t.cur_h);
  const bool speaker_ok = valid_speaker(t.speaker);
  if ((t.flags & talk_label) && speaker_ok) {
    int sx = 0, sy = 0;
    head_point(gmMapRole[t.speaker], &sx, &sy);
    t.width = std::uint16_t(t.text_length / 2 * (talk_char_spacing[0] + 20) + 2 * t.margin_x);
    t.height = 40;
    t.cur_x = t.target_x = std::int16_t(sx - t.width / 2);
    t.cur_y = t.target_y = std::int16_t(sy - 40);
  }
  t.typing_countdown += talk_speed_adjust();
  t.typing_delay = t.typing_countdown;
  // A speed of 0 stays 0 (the box shows at once); the text speed takes any other down to 1 at least.
  if (t.open_speed != 0) t.open_speed = std::uint16_t(std::max(int(t.open_speed) - talk_speed_index(), 1));

  TalkMsg* b = new (std::nothrow) TalkMsg(t);
  if (!b) {
    report_no_memory(head == nullptr);
    return;
  }
  b->text = new (std::nothrow) char[talk_text_size]();
  if (!b->text) {
    // "無法配制 對話盒文字資料 記憶體"
    report_error("%s", "\xb5L\xaak\xb0t\xa8\xee \xb9\xef\xb8\xdc\xb2\xb0\xa4\xe5\xa6r\xb8\xea\xae\xc6 \xb0O\xbe\xd0\xc5\xe9");
    delete b;
    return;
  }
  if (templ->text) copy_box_text(b->text, templ->text, templ->text_length);
  b->start_time = b->current_time = game_clock;
  b->page_start = b->typed_end = b->text;
  b->next = nullptr;
  TalkMsg** link = &head;
  while (*link) link = &(*link)->next;
  *link = b;
  if (speaker_ok) gmMapRole[b->speaker].STATE |= role_box_open;
  ++box_count;

  put_party_names(b->text);
  put_item_names(b->text);
  // An auto-size box is measured once, in apply_auto_size: measuring it here too would size it twice.
  if (b->width == 0 && b->height == 0 && !(b->flags & talk_auto_size)) {
    measure_talk_text(b);
    // A box without the open animation shows at its measured size, not at 0 x 0.
    if (!(b->flags & talk_open_anim)) {
      b->cur_w = b->width;
      b->cur_h = b->height;
    }
  }
  if (b->flags & talk_auto_size) apply_auto_size(b);
  if (!(b->flags & talk_open_anim)) return;
  if (b->flags & talk_at_point) {
    const G3dVector p{b->anchor[0], b->anchor[1], b->anchor[2], 1};
    G3dVector s{};
    g3d_project_point(&p, &s);
    place_open_box(b, int(s.x), int(s.y), true);
  } else if (speaker_ok) {
    int sx = 0, sy = 0;
    head_point(gmMapRole[b->speaker], &sx, &sy);
    place_open_box(b, sx, sy, false);
  }
}

void add_txt_msg(int x, int y, int w, int h, std::uint32_t min_ms, std::uint32_t duration_10ms, const char* text,
                 std::uint32_t user_value) {
  const std::uint16_t role = find_role(narrator_role);
  if (role == 0xFFFF) {
    // "add_txt_msg(...)錯誤 找不到 RoleID = %d"
    report_error("add_txt_msg(...)\xbf\xf9\xbb~ \xa7\xe4\xa4\xa3\xa8\xec RoleID = %d", int(narrator_role));
    return;
  }
  TalkMsg t = narrator_template(x, y, text, user_value);
  t.speaker = role;
  t.flags = talk_no_arrow;
  t.margin_x = t.margin_y = 24;
  t.char_spacing = 2;
  t.line_spacing = 6;
  t.cur_w = float(w);
  t.cur_h = float(h);
  t.min_time = min_ms;
  t.duration = duration_10ms * 10;
  add_talkmsg(&t);
  talk_box_state = talk_state_open;
}

void add_time_msg(int x, int y, int, std::uint32_t duration_10ms, const char* text, std::uint32_t user_value) {
  TalkMsg t = narrator_template(x, y, text, user_value);
  t.speaker = 0;
  t.flags = talk_auto_size | talk_no_arrow;
  t.min_time = 1000000;  // keys never count
  t.cur_w = 0;
  t.cur_h = 1;  // one line, centred on (x, y)
  t.margin_x = 20;
  t.margin_y = 16;
  t.char_spacing = 2;
  t.line_spacing = 2;
  t.duration = duration_10ms * 10;
  add_talkmsg(&t);
  talk_box_state = talk_state_open;
}

void show_talkmsg() {
  if (test_flag(flag_talk_boxes_hidden)) return;
  page_arrow.act = select_mark_act;
  page_arrow.qq = page_arrow_qq;
  page_arrow_ready = Take_3dActData(&page_arrow) == 1;
  ScreenCanvas canvas;
  for (TalkMsg* b = head; b; b = b->next) {
    animate_talk_box(b);
    draw_box_background(b);
    b->current_time = game_clock;
    if ((b->flags & talk_time_from_end) && !(b->flags & talk_text_ended)) b->start_time = b->current_time;
    talk_text_pass(b, canvas);
    draw_box_name(b);
  }
  for (bool again = true; again;) {
    again = false;
    int index = 0;
    for (TalkMsg* b = head; b; b = b->next, ++index)
      if (b->flags & talk_close) {
        del_talkmsg_at(index);
        again = true;
        break;
      }
  }
}

void input_talkmsg() {
  if (!head) return;
  if (mouse_x != last_mouse_x || mouse_y != last_mouse_y) {
    key_nav_mode = 0;
    mouse_idle = 0;
    last_mouse_x = mouse_x;
    last_mouse_y = mouse_y;
  }
  if (tbutton_count > 0) {
    input_tbutton();
    if (!tbutton_confirmed) return;
  }
  bool go_on = false;
  if (!test_flag(flag_edit_mode)) {
    if (grp_input.key_press(key_space) || grp_input.key_press(key_enter) || grp_input.key_press(key_joy_button1)) {
      go_on = true;
      key_nav_mode = 1;
    }
    if (grp_input.key_press(key_mouse1)) go_on = true;
    if (test_flag(flag_developer_keys)) {
      if (grp_input.key_down(key_lctrl) || grp_input.key_down(key_rctrl) ||
          grp_input.key_down(key_joy_button1 + 1) || grp_input.key_press(key_escape)) {
        go_on = true;
        key_nav_mode = 1;
      }
      if (grp_input.key_press(key_mouse2)) go_on = true;
    }
  }
  for (TalkMsg* b = head; b; b = b->next) {
    const std::uint32_t elapsed = b->current_time - b->start_time;
    if (b->duration != 0 && elapsed >= b->duration) b->flags |= talk_go_on;
    if (elapsed < b->min_time || ((b->flags & talk_keys_off) && !(b->flags & talk_go_on)) ||
        (b->flags & talk_timed))
      continue;
    if (!go_on) continue;
    b->flags |= talk_finish_page;
    b->open_speed = 3;
    if (b->flags & (talk_page_full | talk_text_ended)) b->flags |= talk_go_on;
  }
}

void del_talkmsg_at(int index) {
  TalkMsg** link = &head;
  for (int i = 0; *link && i < index; ++i) link = &(*link)->next;
  TalkMsg* b = *link;
  if (!b) return;
  *link = b->next;
  if (valid_speaker(b->speaker)) gmMapRole[b->speaker].STATE &= ~role_box_open;
  delete[] b->text;
  delete b;
  --box_count;
}

void del_talkmsg(std::uint16_t RoleID) {
  int index = 0;
  for (TalkMsg* b = head; b; b = b->next, ++index)
    if (valid_speaker(b->speaker) && gmMapRole[b->speaker].RoleID == RoleID) {
      del_talkmsg_at(index);
      return;
    }
}

void del_all_talkmsg() {
  while (head) del_talkmsg_at(0);
  talk_box_state = 0;
}

int check_talkmsg_end(std::uint16_t speaker) {
  for (TalkMsg* b = head; b; b = b->next)
    if (b->speaker == speaker) return 0;
  return 1;
}

int check_txt_msg_end() {
  const std::uint16_t role = find_role(narrator_role);
  return role != 0xFFFF && (gmMapRole[role].STATE & role_box_open) ? 0 : 1;
}

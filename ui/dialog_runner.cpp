// The in-game modal dialog runner.
#include "ui/dialog_runner.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <deque>
#include <memory>

#include "core/grp_input.h"
#include "core/key_mapping.h"
#include "core/text_colours.h"
#include "core/text_input_field.h"
#include "g3d/renderer.h"
#include "gfx2d/game_fonts.h"
#include "gfx2d/glyph_font.h"
#include "ui/cursor.h"
#include "ui/text_draw.h"
#include "ui/ui_numbers.h"
#include "ui/window_frame.h"

namespace {

constexpr int unit = 2;              // pixels per dialog unit
constexpr int caption_height = 28;   // above the client area
constexpr int edit_capacity = 31;
constexpr int char_advance = 9;      // the 16-pixel font, per byte
constexpr int text_height = 16;
constexpr int screen_w = 640, screen_h = 480;
constexpr std::uint32_t translucent = 2;  // blend mode of the backdrops
constexpr std::uint32_t edit_colour = 0xC8000000, button_colour = 0x96303060, line_colour = 0xFFC8C8C8,
                        focus_colour = 0xFFFFFF00, selection_colour = 0xC80060C0, caret_colour = 0xFFFFFFFF;
constexpr int normal_text = 0, grey_text = 7;

struct ControlState {
  const DialogControl* control = nullptr;
  std::unique_ptr<TextInputField> edit;
  int checked = 0;
  bool selected = false;  // the edit's text is selected whole
};

struct RunningDialog {
  const DialogTable* table = nullptr;
  DialogProc proc = nullptr;
  DialogDone done = nullptr;
  std::vector<ControlState> controls;
  int focus = -1;  // index into controls
  bool ended = false;
  int code = 0;
  std::vector<std::uint16_t> frozen;  // the last frame before the dialog, taken at its first draw
};

RunningDialog dialog;
std::deque<DialogAnswer> answers;

bool focusable(const DialogControl& c) {
  return c.kind == DialogControlKind::edit || c.kind == DialogControlKind::check_box ||
         c.kind == DialogControlKind::push_button || c.kind == DialogControlKind::default_button;
}
bool is_button(const DialogControl& c) {
  return c.kind == DialogControlKind::push_button || c.kind == DialogControlKind::default_button;
}

ControlState* find(int id) {
  if (!dialog.table || id == dialog_no_id) return nullptr;
  for (ControlState& s : dialog.controls)
    if (s.control->id == id) return &s;
  return nullptr;
}

// A whole signed int, blanks around it allowed; anything else reads 0.
int whole_int(const std::string& text) {
  std::size_t i = text.find_first_not_of(' ');
  if (i == std::string::npos) return 0;
  const bool negative = text[i] == '-';
  if (negative) ++i;
  long long value = 0;
  std::size_t digits = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i, ++digits) {
    value = value * 10 + (text[i] - '0');
    if (value > static_cast<long long>(INT_MAX) + 1) return 0;
  }
  if (digits == 0 || text.find_first_not_of(' ', i) != std::string::npos) return 0;
  if (negative) value = -value;
  return value > INT_MAX || value < INT_MIN ? 0 : static_cast<int>(value);
}

void finish() {
  const DialogDone done = dialog.done;
  const int code = dialog.code;
  dialog = RunningDialog{};
  if (done) done(code);
}

void press(int id) {
  if (!dialog.table) return;
  dialog.proc(DialogMessage::command, id);
  if (dialog.ended) finish();
}

void take_answers() {
  while (dialog.table && !answers.empty()) {
    const DialogAnswer a = answers.front();
    answers.pop_front();
    for (const auto& [id, text] : a.texts) set_dlg_item_text(id, text.c_str());
    for (const auto& [id, on] : a.checks) check_dlg_button(id, on);
    press(a.button);
  }
}

int text_width(const char* text) { return text ? static_cast<int>(std::strlen(text)) * char_advance : 0; }

void move_focus(int step) {
  const int n = static_cast<int>(dialog.controls.size());
  for (int k = 1; k <= n; ++k) {
    const int i = ((dialog.focus < 0 ? (step > 0 ? -1 : 0) : dialog.focus) + step * k + 2 * n) % n;
    if (focusable(*dialog.controls[std::size_t(i)].control)) {
      dialog.focus = i;
      return;
    }
  }
}

void toggle(ControlState& s) { s.checked = s.checked ? 0 : 1; }

// A click on a control: an edit takes the focus, a check box toggles, a button is pressed.
void click(int mx, int my) {
  for (std::size_t i = 0; i < dialog.controls.size(); ++i) {
    ControlState& s = dialog.controls[i];
    if (!focusable(*s.control)) continue;
    const DialogRect r = dialog_control_rect(*dialog.table, *s.control);
    if (mx < r.x || my < r.y || mx >= r.x + r.w || my >= r.y + r.h) continue;
    dialog.focus = static_cast<int>(i);
    if (s.control->kind == DialogControlKind::check_box) toggle(s);
    if (is_button(*s.control)) press(s.control->id);
    return;
  }
}

int default_button() {
  for (const ControlState& s : dialog.controls)
    if (s.control->kind == DialogControlKind::default_button) return s.control->id;
  return dialog_ok;
}

void dialog_input() {
  ControlState* focused = dialog.focus >= 0 ? &dialog.controls[std::size_t(dialog.focus)] : nullptr;
  if (grp_input.key_press(key_escape)) return press(dialog_cancel);
  if (grp_input.key_press(key_enter)) {
    return press(focused && is_button(*focused->control) ? focused->control->id : default_button());
  }
  if (grp_input.key_press(key_tab)) {
    const bool back = grp_input.key_down(key_lshift) || grp_input.key_down(key_rshift);
    move_focus(back ? -1 : 1);
    return;
  }
  if (grp_input.key_press(key_space) && focused) {
    if (focused->control->kind == DialogControlKind::check_box) toggle(*focused);
    if (is_button(*focused->control)) return press(focused->control->id);
  }
  if (grp_input.key_press(key_mouse1)) click(mouse_x, mouse_y);
}

void freeze_or_restore_frame() {
  std::uint16_t* pixels = renderer.lock_back_buffer();
  if (!pixels) return;
  const std::size_t n = std::size_t(screen_w) * screen_h;
  if (dialog.frozen.empty())
    dialog.frozen.assign(pixels, pixels + n);
  else
    std::copy(dialog.frozen.begin(), dialog.frozen.end(), pixels);
  renderer.unlock_back_buffer(pixels);
}

void outline(const DialogRect& r, std::uint32_t colour) { renderer.draw_rect(r.x, r.y, r.w, r.h, colour, G3D_OUTLINE); }

void draw_edit(const ControlState& s, const DialogRect& r, bool focused) {
  renderer.draw_rect(r.x, r.y, r.w, r.h, edit_colour, translucent);
  outline(r, line_colour);
  char text[edit_capacity + 1];
  s.edit->get_text(text, sizeof text);
  const int tx = r.x + 4, ty = r.y + (r.h - text_height) / 2;
  if (s.selected && text[0]) renderer.draw_rect(tx, ty, text_width(text), text_height, selection_colour, translucent);
  draw_text_at(font_16, tx, ty, text, text_colours[normal_text], GLYPH_PLAIN);
  if (focused) renderer.draw_rect(tx + char_advance * s.edit->get_cursor(), ty, 2, text_height, caret_colour, 0);
}

void draw_check(const ControlState& s, const DialogRect& r) {
  const DialogRect box{r.x, r.y + (r.h - 14) / 2, 14, 14};
  renderer.draw_rect(box.x, box.y, box.w, box.h, edit_colour, translucent);
  outline(box, line_colour);
  if (s.checked) renderer.draw_rect(box.x + 3, box.y + 3, 8, 8, line_colour, 0);
  draw_text_at(font_16, r.x + 20, r.y + (r.h - text_height) / 2, s.control->text, text_colours[normal_text], GLYPH_PLAIN);
}

void draw_button(const ControlState& s, const DialogRect& r) {
  renderer.draw_rect(r.x, r.y, r.w, r.h, button_colour, translucent);
  outline(r, line_colour);
  if (s.control->kind == DialogControlKind::default_button) outline({r.x - 1, r.y - 1, r.w + 2, r.h + 2}, line_colour);
  draw_text_at(font_16, r.x + (r.w - text_width(s.control->text)) / 2, r.y + (r.h - text_height) / 2, s.control->text,
               text_colours[normal_text], GLYPH_PLAIN);
}

void draw_control(const ControlState& s, bool focused) {
  const DialogRect r = dialog_control_rect(*dialog.table, *s.control);
  switch (s.control->kind) {
    case DialogControlKind::static_text:
      draw_text_at(font_16, r.x, r.y, s.control->text, text_colours[normal_text], GLYPH_PLAIN);
      break;
    case DialogControlKind::edit:
      draw_edit(s, r, focused);
      break;
    case DialogControlKind::check_box:
      draw_check(s, r);
      break;
    case DialogControlKind::push_button:
    case DialogControlKind::default_button:
      draw_button(s, r);
      break;
    case DialogControlKind::group_box:
      outline({r.x, r.y + text_height / 2, r.w, r.h - text_height / 2}, line_colour);
      draw_text_at(font_16, r.x + 8, r.y, s.control->text, text_colours[grey_text], GLYPH_PLAIN);
      break;
    case DialogControlKind::rule:
      renderer.draw_rect(r.x, r.y, r.w, 1, line_colour, 0);
      break;
  }
  if (focused) outline({r.x - 2, r.y - 2, r.w + 4, r.h + 4}, focus_colour);
}

void draw_dialog() {
  freeze_or_restore_frame();
  const DialogRect f = dialog_frame_rect(*dialog.table);
  draw_window_frame(window_frame_act, f.x, f.y, f.w, f.h);
  font_16.set_advance(18);
  draw_text_at(font_16, f.x + 12, f.y + 8, dialog.table->caption, text_colours[normal_text], GLYPH_BOLD_SHADOW);
  for (std::size_t i = 0; i < dialog.controls.size(); ++i)
    draw_control(dialog.controls[i], static_cast<int>(i) == dialog.focus);
  draw_mouse_cursor();
  renderer.present();
}

}  // namespace

DialogRect dialog_frame_rect(const DialogTable& table) {
  const int w = table.w * unit, h = table.h * unit + caption_height;
  return {(screen_w - w) / 2, (screen_h - h) / 2, w, h};
}

DialogRect dialog_control_rect(const DialogTable& table, const DialogControl& c) {
  const DialogRect f = dialog_frame_rect(table);
  return {f.x + c.x * unit, f.y + caption_height + c.y * unit, c.w * unit, c.h * unit};
}

int run_dialog(const DialogTable& table, DialogProc proc, DialogDone done) {
  if (dialog.table) return 0;
  dialog.table = &table;
  dialog.proc = proc;
  dialog.done = done;
  dialog.controls.resize(table.controls.size());
  for (std::size_t i = 0; i < table.controls.size(); ++i) {
    const DialogControl& c = table.controls[i];
    ControlState& s = dialog.controls[i];
    s.control = &c;
    if (c.kind == DialogControlKind::edit) {
      const DialogRect r = dialog_control_rect(table, c);
      s.edit = std::make_unique<TextInputField>("", edit_capacity, r.x + 4, r.y);
    }
  }
  move_focus(1);
  proc(DialogMessage::init, 0);
  if (dialog.ended) {
    finish();
    return 1;
  }
  take_answers();
  return 1;
}

bool dialog_running() { return dialog.table != nullptr; }
const DialogTable* running_dialog() { return dialog.table; }

void dialog_frame() {
  take_answers();
  if (!dialog.table) return;
  dialog_input();
  if (dialog.table) draw_dialog();
}

int dialog_takes_message(platform::Window* window, platform::MessageId message, std::uintptr_t wparam,
                         std::intptr_t lparam) {
  if (!dialog.table || dialog.focus < 0) return 0;
  ControlState& s = dialog.controls[std::size_t(dialog.focus)];
  if (!s.edit) return 0;
  // A character typed over a whole selection replaces it.
  using platform::MessageId;
  if (s.selected && (message == MessageId::Char || message == MessageId::ImeChar)) {
    s.edit->set_text("");
    s.selected = false;
  }
  if (s.selected && message == MessageId::KeyDown && (wparam == std::uintptr_t(key_backspace) || wparam == std::uintptr_t(key_delete))) {
    s.edit->set_text("");
    s.selected = false;
    return 1;
  }
  if (message == MessageId::KeyDown) s.selected = false;
  return s.edit->on_message(window, message, wparam, lparam) == 0 ? 1 : 0;
}

void abandon_dialog() { dialog = RunningDialog{}; }

int get_dlg_item_int(int id) { return whole_int(get_dlg_item_text(id)); }

void set_dlg_item_int(int id, int value) { set_dlg_item_text(id, std::to_string(value).c_str()); }

std::string get_dlg_item_text(int id) {
  ControlState* s = find(id);
  if (!s || !s->edit) return {};
  char text[edit_capacity + 1];
  s->edit->get_text(text, sizeof text);
  return text;
}

void set_dlg_item_text(int id, const char* text) {
  ControlState* s = find(id);
  if (!s || !s->edit) return;
  s->edit->set_text(text);
  s->selected = false;
}

int is_dlg_button_checked(int id) {
  const ControlState* s = find(id);
  return s ? s->checked : 0;
}

void check_dlg_button(int id, int checked) {
  if (ControlState* s = find(id); s && s->control->kind == DialogControlKind::check_box) s->checked = checked ? 1 : 0;
}

void select_dlg_text(int id) {
  if (ControlState* s = find(id); s && s->edit) s->selected = true;
}

void set_dlg_focus(int id) {
  for (std::size_t i = 0; i < dialog.controls.size(); ++i)
    if (dialog.controls[i].control->id == id) dialog.focus = static_cast<int>(i);
}

int dlg_focus_id() {
  return dialog.table && dialog.focus >= 0 ? dialog.controls[std::size_t(dialog.focus)].control->id : 0;
}

void end_dialog(int code) {
  if (!dialog.table) return;
  dialog.ended = true;
  dialog.code = code;
}

void queue_dialog_answer(DialogAnswer answer) { answers.push_back(std::move(answer)); }
void clear_dialog_answers() { answers.clear(); }

// The help panel of the menu pages and the shop: F1 or a click on its label slides it up with
// the selected object's HELP text, and again down.
#include "core/game_mode.h"
#include "core/grp_input.h"
#include "core/key_mapping.h"
#include "core/text_colours.h"
#include "g3d/act_draw.h"
#include "gfx2d/game_fonts.h"
#include "ui/menu/menu_input.h"
#include "ui/menu/menu_system.h"
#include "ui/menu/menu_numbers.h"
#include "ui/paragraph.h"
#include "ui/text_draw.h"

namespace {

Tween help_tween;
int help_open = 0;
int help_closing = 0;
int help_label_hover = 0;
int help_home_x = menu_help_panel_x;  // where the closed panel waits below the screen

constexpr int help_slide = 135;
constexpr int help_text_colour = 26;
constexpr int label_colour = 7, label_hover_colour = 21;

// "F1詳細說明"
constexpr const char* help_label_text = "F1\xb8\xd4\xb2\xd3\xbb\xa1\xa9\xfa";

}  // namespace

void reset_help_panel(int x) {
  help_home_x = x;
  help_tween.set_mode(1);
  help_tween.set_move(x, 480, x, 480);
  help_open = help_closing = 0;
}

int help_panel_open() { return help_open; }

void toggle_help_panel() {
  help_label_hover = 0;
  const int left = GameMode == mode_menu ? 540 : 440;
  if (in_range(mouse_x, left, left + 69) && in_range(mouse_y, 420, 439)) help_label_hover = 1;
  if (!grp_input.key_press(key_f1) && !(help_label_hover && grp_input.key_press(key_mouse1))) return;
  help_tween.set_mode(3);
  help_tween.set_speed(4);
  help_tween.move_target(0, help_open ? help_slide : -help_slide);
  help_closing = help_open;
  help_open = !help_open;
}

void draw_help_panel(const char* text) {
  if (!help_open && !help_closing) return;
  help_tween.update();
  const int x = help_tween.get_x(), y = help_tween.get_y();
  const bool menu = GameMode == mode_menu;
  draw_act(menu ? info_panel_act : panel_pictures_act, menu ? 0 : 2, x, y, 0);
  if (text) draw_paragraph(&font_20, text, x + 15, y + 5, 3, menu ? 440 : 290, help_text_colour);
  if (help_closing && help_tween.is_done()) help_closing = 0;
}

void close_help_panel() {
  help_tween.set_mode(3);
  help_tween.set_speed(4);
  help_tween.set_target(help_home_x, 480);
  help_closing = 1;
  help_open = 0;
}

void draw_help_label(int x, int y) {
  draw_text_at(font_12, x, y, help_label_text, text_colours[label_colour], 2);
  if (help_label_hover) draw_text_at(font_12, x - 1, y - 1, help_label_text, text_colours[label_hover_colour], 2);
}

void draw_menu_footer(int x, int y) { draw_act(footer_act, 0, x, y, 0); }

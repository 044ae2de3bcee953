// The base's question box.
#include "base/yes_no_box.h"

#include "base/base_numbers.h"
#include "base/base_top_menu.h"
#include "core/grp_input.h"
#include "core/key_mapping.h"
#include "core/text_colours.h"
#include "g3d/renderer.h"
#include "gfx2d/game_fonts.h"
#include "gfx2d/glyph_font.h"
#include "sound/sfx_bank.h"
#include "ui/text_draw.h"

namespace {

constexpr int button_dx[2] = {54, 144}, button_w = 40, row0 = 57, row1 = 94;

bool on_button(int x, int y, int i) {
  return mouse_x >= x + button_dx[i] && mouse_x < x + button_dx[i] + button_w && mouse_y >= y + row0 &&
         mouse_y < y + row1;
}

}  // namespace

YesNoAnswer input_yes_no_box(int x, int y, int* choice) {
  if (!mouse_keyboard_lock && mouse_y > y + row0 && mouse_y < y + row1)
    for (int i = 0; i < 2; ++i)
      if (mouse_x > x + 54 + 90 * i && mouse_x < x + 94 + 90 * i && *choice != i) {
        *choice = i;
        play_sfx(sfx_base_cursor, 0);
      }
  if (cancel_pressed()) return answer_cancel;
  if (grp_input.key_repeat(key_mouse1))
    for (int i = 0; i < 2; ++i)
      if (on_button(x, y, i)) return *choice == i ? (i ? answer_no : answer_yes) : answer_none;
  if (confirm_pressed()) return *choice ? answer_no : answer_yes;
  if (grp_input.key_repeat(key_left) || grp_input.key_repeat(key_right)) {
    *choice = 1 - *choice;
    mouse_keyboard_lock = 1;
    play_sfx(sfx_base_cursor, 0);
  }
  return answer_none;
}

void draw_yes_no_box(int x, int y, int text_dx, int advance, const char* question, int choice) {
  renderer.draw_rect(0, 0, 640, 480, 0x50000000, 2);
  draw_base_sprite(base_panel_act, 6, x, y);
  base_font_18.set_advance(advance);
  draw_text_at(base_font_18, x + text_dx, y + 22, question, text_colours[20], GLYPH_BOLD_OUTLINE);
  base_font_18.set_advance(18);
  draw_base_sprite(base_panel_act, choice == 0 ? 7 : 8, x + 54, y + 57);
  draw_base_sprite(base_panel_act, choice == 1 ? 9 : 10, x + 145, y + 57);
}

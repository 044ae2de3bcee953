// The loading screen, the hint line and the text-entry field.
#include "ui/screen_extras.h"

#include <cstring>

#include "core/flags.h"
#include "core/game_flags.h"
#include "core/game_mode.h"
#include "core/text_colours.h"
#include "core/text_input_field.h"
#include "data/maps_lookups.h"
#include "g3d/act_draw.h"
#include "g3d/renderer.h"
#include "gfx2d/game_fonts.h"
#include "ui/text_draw.h"
#include "ui/ui_numbers.h"

int map_load_in_progress = 0;
int loading_picture_index = 0;

namespace {

constexpr int hint_colour = 26;
ActInstance loading_instance;
int caret_counter = 0;

}  // namespace

void reset_loading_picture() { loading_instance = ActInstance{}; }

void draw_loading_bar(int tenths) {
  if (GameMode == mode_title || GameMode == mode_battle || GameMode == mode_base_camp) return;
  if (!map_load_in_progress || test_flag(flag_loading_bar_hidden)) return;
  const int percent = tenths * 10;
  loading_instance.act = loading_picture_act;
  loading_instance.qq = std::uint16_t(loading_picture_index);
  if (Take_3dActData(&loading_instance) == 1) draw_act_instance(&loading_instance, 0, 0, 0);
  renderer.draw_rect(200, 430, 283, 14, 0xFF000000, 0x4000000);
  draw_act_part(loading_bar_act, loading_bar_fill_qq, 200, 430, percent * 283 / 100, 14, 0);
  draw_act(loading_bar_act, loading_bar_frame_qq, 200, 430, 0);
  renderer.present();
}

void draw_hint_line(std::uint16_t key, int x, int y) {
  char text[256];
  if (!read_maps_hint(key, text, sizeof text)) return;
  draw_text_at(font_20, x, y, text, text_colours[hint_colour], GLYPH_BOLD_OUTLINE);
}

void text_field_shown(const char* text, char out[65]) {
  std::size_t n = 0;
  while (n < 64 && text[n]) {
    if (static_cast<unsigned char>(text[n]) >= 0x80) {
      if (n + 1 >= 64 || !text[n + 1]) {
        out[n++] = '@';
        break;
      }
      out[n] = text[n];
      out[n + 1] = text[n + 1];
      n += 2;
    } else {
      out[n] = text[n];
      ++n;
    }
  }
  out[n] = 0;
}

void draw_text_field(TextInputField* field, int caret, int) {
  char raw[65] = {};
  field->get_text(raw, sizeof raw);
  char shown[65];
  text_field_shown(raw, shown);
  draw_text_at(font_16, field->get_x(), field->get_y(), shown, text_colours[hint_colour], GLYPH_BOLD_OUTLINE);
  if (++caret_counter > 14) {
    caret_counter = 0;
    caret = !caret;
  }
  if (caret == 1) renderer.draw_rect(field->get_x() + 9 * field->get_cursor(), field->get_y() - 2, 2, 20, 0xFFFFFFFF, 0);
}

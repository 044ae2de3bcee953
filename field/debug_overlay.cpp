// The debug overlays and the flag editor's page.
#include "field/debug_overlay.h"

#include <cstdio>

#include "core/app_window.h"
#include "core/flags.h"
#include "g3d/renderer.h"
#include "gfx2d/cddraw.h"
#include "gfx2d/game_fonts.h"
#include "gfx2d/glyph_font.h"

int flag_editor_base = 0;
int flag_editor_row = 0;
int flag_editor_column = 0;

namespace {

constexpr std::uint16_t white = 0xFFFF, set_colour = 60000, cursor_colour = 62000;
constexpr int row_pitch = 48, column_pitch = 60, box_line = 20;
const char boxes[] = " [   ] [   ] [   ] [   ] [   ] [   ] [   ] [   ] [   ] [   ]";

void text(std::uint16_t* pixels, int x, int y, const char* s, std::uint16_t colour, std::uint16_t mode) {
  font_20.draw_text(pixels, x, y, s, colour, mode);
}

}  // namespace

void draw_debug_info() {}

void draw_debug_flags() {
  display_device.fill_rect(0, 0, 640, 480, 0);
  std::uint16_t* pixels = renderer.lock_back_buffer();
  if (pixels) {
    font_20.set_back_color(GlyphFont::kNoBackground);
    const int x0 = AppWindow.origin_x, y0 = AppWindow.origin_y;
    for (int i = 0; i < 10; ++i) {
      const int y = y0 + row_pitch * i;
      char numbers[64] = {};
      for (int j = 0; j < 10; ++j)
        std::snprintf(numbers + 5 * j, sizeof numbers - 5 * std::size_t(j), " %4d", flag_editor_base + 10 * i + j);
      text(pixels, x0, y, numbers, white, GLYPH_SHADOW);
      text(pixels, x0, y + box_line, boxes, white, GLYPH_PLAIN);
      for (int j = 0; j < 10; ++j)
        if (test_flag(flag_editor_base + 10 * i + j)) text(pixels, x0 + column_pitch * j, y + box_line, "   @", set_colour, GLYPH_PLAIN);
    }
    char cursor[8];
    std::snprintf(cursor, sizeof cursor, " %4d", flag_editor_selected());
    const int cx = x0 + column_pitch * flag_editor_column, cy = y0 + row_pitch * flag_editor_row;
    text(pixels, cx, cy, cursor, cursor_colour, GLYPH_BOLD_OUTLINE);
    text(pixels, cx, cy + box_line, " [   ]", cursor_colour, GLYPH_BOLD_OUTLINE);
    renderer.unlock_back_buffer(pixels);
  }
  renderer.present();
}

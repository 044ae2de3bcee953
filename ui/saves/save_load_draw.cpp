// The save and load screens' drawing: one picture serves both.
#include <cstdio>

#include "core/flags.h"
#include "core/game_flags.h"
#include "core/game_mode.h"
#include "core/text_colours.h"
#include "field/debug_overlay.h"
#include "g3d/act_draw.h"
#include "g3d/renderer.h"
#include "gfx2d/game_fonts.h"
#include "script/talk_timer.h"
#include "ui/cursor.h"
#include "ui/menu/menu_system.h"
#include "ui/saves/save_load.h"
#include "ui/saves/save_thumbnail.h"
#include "ui/screen_button.h"
#include "ui/talk_msg.h"
#include "ui/text_draw.h"
#include "ui/ui_numbers.h"

namespace {

constexpr std::uint32_t background_colour = 0xFF1A1A1A;
constexpr std::uint16_t screen_qq = 0, slot_frame_qq = 1, cursor_frame_qq = 2;
constexpr int title_colour = 15, text_colour = 26;
// "存檔", "讀檔"
constexpr const char save_title[] = "\xA6\x73\xC0\xC9";
constexpr const char load_title[] = "\xC5\xAA\xC0\xC9";
// "%2d級"
constexpr const char level_format[] = "%2d\xAF\xC5";
constexpr std::uint16_t resource_qq[4] = {33, 30, 31, 32};  // money, metal, wood, coal
constexpr std::uint16_t portrait_qq_offset = 2;
constexpr int row_left = 65, row_top = 40, dim_width = 563, dim_height = 126, dim_step = 10;
constexpr int thumb_x = 82, thumb_y = 60, thumb_w = 110, thumb_h = 80;
constexpr std::uint32_t dim_blend = 2;
constexpr int footer_x = 34, footer_y = 478;
constexpr int party_size = 3;

void text(GlyphFont& font, int x, int y, const char* s, int colour, std::uint16_t mode) {
  draw_text_at(font, x, y, s, text_colours[colour], mode);
}

void draw_summary(const SaveSummary& s, int y0, bool highlighted) {
  char line[48];
  for (int j = 0; j < party_size; ++j) {
    const int m = s.members[j];
    if (m <= 0 || m > 0xFFFF - portrait_qq_offset) continue;
    draw_act(save_portrait_act, std::uint16_t(m + portrait_qq_offset), 250 + 80 * j, 155 + y0, 0);
    std::snprintf(line, sizeof line, level_format, s.levels[j]);
    text(font_16, 230 + 80 * j, 50 + y0, line, text_colour, GLYPH_SHADOW);
  }
  const int values[4] = {s.money, s.metal, s.wood, s.coal};
  for (int k = 0; k < 4; ++k) {
    draw_act(save_resource_act, resource_qq[k], 530, 48 + y0 + 20 * k, 0);
    std::snprintf(line, sizeof line, "%d", values[k]);
    text(font_16, 560, 55 + y0 + 20 * k, line, text_colour, GLYPH_SHADOW);
  }
  std::snprintf(line, sizeof line, "%4d/%02d/%02d", s.time[0], s.time[1], s.time[3]);
  text(font_16, 465, 140 + y0, line, text_colour, GLYPH_SHADOW);
  std::snprintf(line, sizeof line, "%3d:%02d", s.play_time / 3600, s.play_time / 60 % 60);
  text(font_16, 550, 140 + y0, line, text_colour, GLYPH_SHADOW);
  if (highlighted) text(font_16, 50, 450, s.map_name, text_colour, GLYPH_SHADOW);
}

void draw_rows() {
  char number[16];
  for (int i = 0; i < save_rows; ++i) {
    const int y0 = save_row_pitch * i;
    draw_act(save_screen_act, slot_frame_qq, row_left, row_top + y0, 0);
    std::snprintf(number, sizeof number, "%02d", save_slot_list.top_item + i);
    text(font_16, 90, 44 + y0, number, text_colour, GLYPH_BOLD_SHADOW);
    if (save_summaries[i].valid) draw_summary(save_summaries[i], y0, i == save_slot_list.cursor_row);
  }
  for (int i = 0; i < save_rows; ++i)
    if (save_summaries[i].valid)
      draw_thumbnail(thumb_x, thumb_y + save_row_pitch * i, thumb_w, thumb_h, save_summaries[i].thumbnail,
                     std::uint32_t(thumbnail_key_first + i));
  draw_act(save_screen_act, cursor_frame_qq, row_left, row_top + save_row_pitch * save_slot_list.cursor_row, 0);
}

// The highlighted row clears, the others darken, a step a frame.
void dim_rows() {
  for (int i = 0; i < save_rows; ++i) {
    std::uint8_t& level = slot_list_state.row_dim[i];
    if (i == save_slot_list.cursor_row)
      level = std::uint8_t(level > dim_step ? level - dim_step : 0);
    else
      level = std::uint8_t(level + dim_step < save_row_dim_max ? level + dim_step : save_row_dim_max);
    if (level > 0)
      renderer.draw_rect(row_left, row_top + save_row_pitch * i, dim_width, dim_height, std::uint32_t(level) << 24,
                         dim_blend);
  }
}

}  // namespace

void draw_save_system() {
  if (GameMode != mode_save && GameMode != mode_load) return;
  renderer.draw_rect(0, 0, 640, 480, background_colour, G3D_FAR_DEPTH);
  draw_act(save_screen_act, screen_qq, 0, 0, 0);
  const int close_qq = slot_list_state.close_box_qq ? slot_list_state.close_box_qq : close_box_qq;
  draw_act(scroll_arrow_act, std::uint16_t(close_qq), 610, 0, 0);
  const char* title = GameMode == mode_save ? save_title : load_title;
  text(font_20, 120, 8, title, title_colour, GLYPH_PLAIN);
  text(font_20, 119, 8, title, title_colour, GLYPH_PLAIN);
  draw_rows();
  dim_rows();
  draw_menu_footer(footer_x, footer_y);
  draw_scroll_bar(&save_slot_list);
  show_talkmsg();
  show_button();
  if (test_flag(flag_talk_countdown)) talk_timer_minutes(520, 5);
  cursor_act.act = cursor_act_number;
  cursor_act.qq = cursor_qq_choice;
  draw_mouse_cursor();
  draw_debug_info();
  renderer.present();
}

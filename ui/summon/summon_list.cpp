// The monster summoning list drawn.
#include "ui/summon/summon_list.h"

#include <cstdio>

#include "core/text_colours.h"
#include "data/item_data.h"
#include "data/object_db.h"
#include "g3d/act_draw.h"
#include "gfx2d/game_fonts.h"
#include "ui/summon/summon.h"
#include "ui/text_draw.h"
#include "ui/ui_numbers.h"
#include "ui/window_frame.h"

namespace {

constexpr std::uint16_t panel_act = 9023;
constexpr int title_colour = 15, row_colour = 20, short_colour = 21;
constexpr std::uint32_t highlight_colour = 0x64FFFFFF;

constexpr const char* egg_count_format = "\xAB\xCA\xA6L\xA4\xA7\xB3J\xBC\xC6\xB6q:%2d";  // 封印之蛋數量:%2d
constexpr const char* name_title = "\xA9\xC7\xAA\xAB\xA6W\xBA\xD9";                     // 怪物名稱
constexpr const char* cost_title = "\xAB\xCA\xA6L\xA4\xA7\xB3J\xBC\xC6\xB6q";          // 封印之蛋數量
constexpr const char* locked_name = "??????";
constexpr const char* locked_cost = "??";

void draw_row(int x, int y, const SummonEntry& e) {
  const bool locked = e.flag == summon_locked;
  const int colour = summon_eggs < e.cost ? short_colour : row_colour;
  ItemData monster{};
  const char* name = locked ? locked_name : (read_Item(e.monster, &monster) ? monster.NAME : "");
  char cost[8];
  if (locked)
    std::snprintf(cost, sizeof cost, "%s", locked_cost);
  else
    std::snprintf(cost, sizeof cost, "%2d", int(e.cost));
  draw_text_at(font_20, x + 20, y, name, text_colours[colour], GLYPH_PLAIN);
  draw_text_at(font_20, x + 200, y, cost, text_colours[colour], GLYPH_PLAIN);
}

}  // namespace

void draw_summon(int x, int y) {
  if (!summon_is_open()) return;
  char line[32];
  draw_window_frame(window_frame_act, x, y - 40, 270, 40);
  std::snprintf(line, sizeof line, egg_count_format, int(summon_eggs));
  draw_text_at(font_20, x + 20, y - 30, line, text_colours[row_colour], GLYPH_PLAIN);
  draw_act(panel_act, 0, x, y, 0);
  font_12.set_shadow_color(text_colours[title_colour]);
  draw_text_at(font_12, x + 20, y + 10, name_title, text_colours[title_colour], GLYPH_PLAIN);
  draw_text_at(font_12, x + 180, y + 10, cost_title, text_colours[title_colour], GLYPH_PLAIN);
  font_12.set_shadow_color(0);
  ScrollList& l = summon_list;
  if (l.item_count <= 0) return;
  l.x = x + 280;
  l.y = y;
  l.row_mouse_x = x + 140;
  l.first_row_y = y + 50;
  draw_scroll_bar(&l);
  for (int i = 0; i < summon_visible_rows; ++i) {
    SummonEntry e;
    if (!summon_entry(l.top_item + i, &e)) break;
    draw_row(x, y + 40 + 30 * i, e);
  }
  draw_select_bar(x, y + 30 + 30 * l.cursor_row, 280, 32, highlight_colour);
}

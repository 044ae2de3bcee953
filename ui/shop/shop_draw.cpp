// The shop's buy and sell lists drawn (modes 5 and 6).
#include <cstdio>

#include "core/game_mode.h"
#include "core/text_colours.h"
#include "data/item_list.h"
#include "data/party.h"
#include "field/debug_overlay.h"
#include "g3d/act_draw.h"
#include "g3d/renderer.h"
#include "gfx2d/game_fonts.h"
#include "ui/cursor.h"
#include "ui/menu/menu_system.h"
#include "ui/paragraph.h"
#include "ui/screen_button.h"
#include "ui/shop/shop.h"
#include "ui/shop/shop_compare.h"
#include "ui/shop/shop_rules.h"
#include "ui/talk_msg.h"
#include "ui/text_draw.h"
#include "ui/ui_numbers.h"
#include "ui/window_frame.h"

namespace {

constexpr std::uint16_t shop_act = 9026;  // the shop's pictures, by QQ below
enum : std::uint16_t {
  qq_background = 0, qq_list_panel = 1, qq_info_panel = 2, qq_minus = 3, qq_plus = 4, qq_minus_lit = 5,
  qq_plus_lit = 6, qq_confirm_frame = 7, qq_highlight = 9, qq_sell_side = 15, qq_buy_side = 16,
  qq_buttons_top = 17, qq_pointer = 18,
};
constexpr std::uint16_t tab_act = 9060, chosen_tab_act = 9061;
constexpr std::uint16_t portrait_act = 9018, portrait_qq_first = 3;
constexpr std::uint16_t compare_frame_act = 9008;
constexpr std::uint16_t money_act = 9926, money_qq = 33;
constexpr int title_colour = 15, name_colour = 20, short_colour = 21, info_colour = 26, refuse_colour = 2;
constexpr std::uint32_t select_colour = 0x46FFFFFF;
constexpr std::uint32_t dim_colour = 0x78000000, dim_flags = 0x4000002;
constexpr int help_label_x = 440, help_label_y = 420;
constexpr int rows_y = 74, row_height = 30;  // the rows start at (140, 74)

// 物品名, 單價, 數量, 現有
constexpr const char* column_titles[4] = {"\xAA\xAB\xAB~\xA6W", "\xB3\xE6\xBB\xF9", "\xBC\xC6\xB6q", "\xB2{\xA6\xB3"};
constexpr int column_x[4] = {160, 330, 400, 440};
constexpr const char* total_format = "\xC1`\xBB\xF9:%7d";          // 總價:%7d
constexpr const char* balance_format = "\xBEl\xC3" "B:%7d";        // 餘額:%7d
constexpr const char* button_labels[2] = {"\xBDT\xA9w", "\xA8\xFA\xAE\xF8"};  // 確定, 取消
constexpr const char* cannot_equip_text = "\xA4\xA3\xAF\xE0\xB8\xCB\xB3\xC6";  // 不能裝備

void text(GlyphFont& font, int x, int y, const char* s, int colour, std::uint16_t mode) {
  draw_text_at(font, x, y, s, text_colours[colour], mode);
}

void draw_frame() {
  draw_act(shop_act, qq_background, 0, 0, 0);
  draw_act(shop_act, qq_list_panel, 136, 43, 0);
  draw_act(shop_act, qq_info_panel, 136, 346, 0);
  for (int c = 0; c < 4; ++c) text(font_12, column_x[c], 52, column_titles[c], title_colour, GLYPH_PLAIN);
  draw_act(scroll_arrow_act, std::uint16_t(shop.close_frame), 610, 0, 0);
}

void draw_tabs() {
  BounceMotion& b = shop.tab_bounce;
  if (shop.step == shop_step_tab) {
    step_tab_hop(b);
  } else {
    b.current.y = b.rest.y;
  }
  for (int i = 0; i < shop_tab_count; ++i) {
    const int x = 150 + 30 * i;
    if (i == shop.tab)
      draw_act(chosen_tab_act, std::uint16_t(i + 1), x, int(b.current.y), 0);
    else
      draw_act(tab_act, std::uint16_t(i + 1), x, 4, 0);
  }
}

int owned_shown(int row, const ItemData& item) {
  int owned = shop_row_held(shop, row);
  if (!shop.selling && item.kind != shop_kind_consumable) owned += count_equipped(item.object_id);
  return owned;
}

void draw_cursor_row(int y, const ItemData& item) {
  if (shop.flash == shop_flash_minus) draw_act(shop_act, qq_minus_lit, 360, y - 5, 0);
  if (shop.flash == shop_flash_plus) draw_act(shop_act, qq_plus_lit, 370, y - 5, 0);
  draw_select_bar(130, y - 10, 350, 32, select_colour);
  draw_act(item.object_id, 0, 508, 70, 0);
  draw_paragraph(&font_20, item.INFO, 151, 354, 3, 290, info_colour);
  draw_help_panel(item.HELP);
}

void draw_rows() {
  const ScrollList& l = shop.list;
  char line[32];
  for (int r = 0; r < l.visible_rows; ++r) {
    const int row = l.top_item + r;
    const ItemData* item = shop_row_item(shop, row);
    if (!item) break;
    const int y = rows_y + row_height * r;
    const int unit = shop_unit_price(item->price, shop.selling);
    const bool short_of_money = !shop.selling && party_money - shop.total < unit;
    text(font_20, 150, y, item->NAME, short_of_money ? short_colour : name_colour, GLYPH_BOLD_SHADOW);
    std::snprintf(line, sizeof line, "%6d", unit);
    text(font_20, 300, y, line, name_colour, GLYPH_BOLD_SHADOW);
    std::snprintf(line, sizeof line, "%2d", int(shop.quantity[std::size_t(row)]));
    text(font_20, 405, y, line, name_colour, GLYPH_BOLD_SHADOW);
    std::snprintf(line, sizeof line, "%2d", owned_shown(row, *item));
    text(font_20, 445, y, line, info_colour, GLYPH_BOLD_SHADOW);
    draw_act(shop_act, qq_minus, 360, y - 5, 0);
    draw_act(shop_act, qq_plus, 370, y - 5, 0);
    if (r == l.cursor_row && shop.step >= shop_step_quantity) draw_cursor_row(y, *item);
  }
  draw_scroll_bar(&shop.list);
}

void draw_money_and_totals() {
  char line[32];
  draw_help_label(help_label_x, help_label_y);
  draw_act(money_act, money_qq, 360, 4, 0);
  font_16.set_shadow_color(text_colours[title_colour]);
  std::snprintf(line, sizeof line, "%d", int(party_money));
  text(font_16, 390, 12, line, title_colour, GLYPH_PLAIN);
  text(font_16, 389, 12, line, title_colour, GLYPH_PLAIN);
  font_16.set_shadow_color(0);
  std::snprintf(line, sizeof line, total_format, shop.total);
  text(font_16, 160, 440, line, info_colour, GLYPH_PLAIN);
  std::snprintf(line, sizeof line, balance_format, int(shop_balance(shop)));
  text(font_16, 330, 440, line, info_colour, GLYPH_PLAIN);
}

void draw_confirm_buttons() {
  draw_act(shop_act, shop.selling ? qq_sell_side : qq_buy_side, 540, 315, 0);
  draw_act(shop_act, shop.selling ? qq_buy_side : qq_sell_side, 580, 315, 0);
  draw_act(shop_act, qq_buttons_top, 562, 312, 0);
  for (int i = 0; i < 2; ++i) {
    text(font_12, 545, 360 + 30 * i, button_labels[i], info_colour, GLYPH_PLAIN);
    draw_act(shop_act, std::uint16_t(qq_confirm_frame + i), 570, 355 + 30 * i, 0);
  }
  if (shop.step != shop_step_confirm && !shop.confirm_hover) return;
  const int choice = shop.confirm_choice & 1;
  draw_act(shop_act, std::uint16_t(qq_highlight + choice), 570, 355 + 30 * choice, 0);
  ActInstance& p = shop.pointer;
  if (p.act != shop_act || p.qq != qq_pointer) {
    p = ActInstance{};
    p.act = shop_act;
    p.qq = qq_pointer;
  }
  if (Take_3dActData(&p) == 1)
    draw_act_3d(&p, 560, float(345 + 30 * choice), 0, 0, 0, 0, 0.5f, 0.5f, 0.5f, p.color, p.draw_flags);
}

void draw_party_panel() {
  const ItemData* item = shop_row_item(shop, shop.list.top_item + shop.list.cursor_row);
  const bool compare = shop.step == shop_step_quantity && shop.tab != 0 && item;
  for (int i = 0; i < shop.party_count; ++i) {
    const int slot = shop.party[i];
    draw_act(portrait_act, std::uint16_t(portrait_qq_first + slot), 40, 155 + 106 * i, 0);
    if (!compare) continue;
    if (shop_can_equip(*item, slot)) {
      draw_window_frame_bg(compare_frame_act, 6, 64 + 100 * i, 120, 100, 0);
      draw_shop_compare(gmRoleData[slot], 65, 78 + 100 * i, *item);
    } else {
      text(font_16, 56, 109 + 100 * i, cannot_equip_text, refuse_colour, GLYPH_PLAIN);
    }
  }
}

}  // namespace

void draw_shop_system() {
  if (GameMode == mode_shop_buy || GameMode == mode_shop_sell) {
    renderer.draw_rect(0, 0, 640, 480, 0, G3D_FAR_DEPTH);
    draw_frame();
    draw_tabs();
    draw_rows();
    draw_money_and_totals();
    draw_confirm_buttons();
    draw_party_panel();
    if (shop.equip_now) renderer.draw_rect(0, 0, 640, 480, dim_colour, dim_flags);
  }
  show_talkmsg();
  show_button();
  cursor_act.act = cursor_act_number;
  cursor_act.qq = cursor_qq_choice;
  draw_mouse_cursor();
  draw_debug_info();
  renderer.present();
}

// The items page's drawing.
#include <cstdio>

#include "core/text_colours.h"
#include "data/item_list.h"
#include "data/maps_lookups.h"
#include "data/party.h"
#include "data/role_rows.h"
#include "g3d/act_draw.h"
#include "gfx2d/game_fonts.h"
#include "ui/menu/item_recovery.h"
#include "ui/menu/menu_items_parts.h"
#include "ui/menu/menu_numbers.h"
#include "ui/menu/menu_system.h"
#include "ui/paragraph.h"
#include "ui/screen_extras.h"
#include "ui/text_draw.h"
#include "ui/ui_numbers.h"
#include "ui/window_frame.h"

namespace {

constexpr std::uint32_t highlight = 0x64FFFFFF;
constexpr int name_colour = 21, usable_colour = 20, story_colour = 33, number_colour = 7;
constexpr int info_colour = 26, box_colour = 7, box_disabled_colour = 12, title_colour = 26;

// "物品名", "數量", "使用", "丟棄", "  閒置中", "  使用中"
constexpr const char* name_title = "\xaa\xab\xab~\xa6W";
constexpr const char* count_title = "\xbc\xc6\xb6q";
constexpr const char* use_text = "\xa8\xcf\xa5\xce";
constexpr const char* discard_text = "\xa5\xe1\xb1\xf3";
constexpr const char* idle_text = "  \xb6\xa2\xb8m\xa4\xa4";
constexpr const char* in_use_text = "  \xa8\xcf\xa5\xce\xa4\xa4";

int row_name_colour(const ItemNode& node) {
  if (node.item.kind == object_type_story)
    return node.object == object_placement_item || item_talk_number(node.item) != 0 ? usable_colour : story_colour;
  return item_is_usable(node.item) ? usable_colour : name_colour;
}

void draw_member_choice() {
  for (int i = 0; i < menu_party_count; ++i) {
    menu_card_tweens[i].update();
    const int x = menu_card_tweens[i].get_x(), y = menu_card_tweens[i].get_y();
    draw_status_card(menu_party[i], x, y);
    if (item_used_all || i == menu_party_target)
      draw_select_frame_act(select_mark_act, 0, x + 120, y + 62, 260, 132);
  }
}

void draw_tabs() {
  const int bounce = step_tab_bounce();
  for (int i = 0; i < item_tab_count; ++i)
    if (i != item_tab) draw_act(item_tab_act, std::uint16_t(i), 120 + 26 * i, 4, 0);
  draw_act(item_tab_selected_act, std::uint16_t(item_tab), 120 + 26 * item_tab, bounce, 0);
  draw_hint_line(std::uint16_t(menu_hint_key + 10), 60, 448);
}

void draw_rows(int x, int y, int info_x, int info_y) {
  const std::uint16_t key = item_tab_keys[item_tab];
  char number[8];
  for (int i = 0; i < item_list.visible_rows; ++i) {
    const ItemNode* node = get_item_by_tab(&party_bag, key, 0, std::uint16_t(item_list.top_item + i));
    if (!node) break;
    const bool cursor = i == item_list.cursor_row;
    const int d = cursor ? 1 : 0, ry = y + 40 + 30 * i;
    draw_text_at(font_20, x + 20 - d, ry - d, node->item.NAME, text_colours[row_name_colour(*node)], GLYPH_BOLD_SHADOW);
    std::snprintf(number, sizeof number, "%2d", key == item_key_new ? node->new_count : node->count);
    draw_text_at(font_20, x + 200 - d, ry - d, number, text_colours[number_colour], GLYPH_BOLD_SHADOW);
    if (!cursor) continue;
    draw_select_bar(x, y + 30 + 30 * i, 280, 32, highlight);
    draw_paragraph(&font_20, node->item.INFO, info_x + 15, info_y + 5, 3, 440, info_colour);
  }
}

void draw_use_box() {
  draw_window_frame(window_frame_act, 360, 150, 64, 64);
  draw_text_at(font_20, 370, 158, use_text, text_colours[item_usable ? box_colour : box_disabled_colour],
               GLYPH_BOLD_SHADOW);
  draw_text_at(font_20, 370, 184, discard_text, text_colours[box_colour], GLYPH_BOLD_SHADOW);
  draw_select_bar(360, 150 + 26 * item_box_choice, 64, 30, highlight);
}

void draw_placement_list() {
  draw_window_frame_bg(window_frame_act, 220, 40, 300, 30 * placement_rows + 10, 1);
  char text[96];
  for (int n = 0; n < placement_rows; ++n) {
    const std::uint16_t id = std::uint16_t(placement_role_first + n);
    int len = std::snprintf(text, sizeof text, "%d", n);
    if (get_maps_role_state(id) & 1) {
      std::snprintf(text + len, sizeof text - std::size_t(len), "%s", idle_text);
    } else {
      char name[64];
      if (read_maps_name(get_maps_role_map(id), name, sizeof name))
        std::snprintf(text + len, sizeof text - std::size_t(len), "  %s", name);
      else
        std::snprintf(text + len, sizeof text - std::size_t(len), "%s", in_use_text);
    }
    draw_text_at(font_20, 230, 50 + 30 * n, text, text_colours[usable_colour], GLYPH_BOLD_SHADOW);
  }
  draw_select_bar(218, 40 + 30 * placement_cursor, 300, 32, highlight);
}

}  // namespace

void draw_item_page(int, int) {
  if (menu_page != menu_page_items) return;
  if (item_target_flag) {
    draw_member_choice();
    return;
  }
  draw_tabs();
  item_list_tween.update();
  item_info_tween.update();
  item_picture_tween.update();
  const int x = item_list_tween.get_x(), y = item_list_tween.get_y();
  const int info_x = item_info_tween.get_x(), info_y = item_info_tween.get_y();
  draw_act(item_list_panel_act, 0, x, y, 0);
  draw_act(info_panel_act, 0, info_x, info_y, 0);
  font_12.set_shadow_color(text_colours[15]);
  draw_text_at(font_12, x + 20, y + 8, name_title, text_colours[title_colour], GLYPH_PLAIN);
  draw_text_at(font_12, x + 200, y + 8, count_title, text_colours[title_colour], GLYPH_PLAIN);
  font_12.set_shadow_color(0);
  item_list.x = x + 280;
  item_list.y = y;
  item_list.row_mouse_x = x + 100;
  item_list.first_row_y = y + 45;
  item_list.row_height = 30;
  draw_scroll_bar(&item_list);
  draw_rows(x, y, info_x, info_y);
  if (item_page_state == item_state_box) draw_use_box();
  const ItemNode* node = selected_item_node();
  if (node) show_menu_model(node->object, item_picture_tween.get_x(), item_picture_tween.get_y());
  draw_help_panel(node ? node->item.HELP : nullptr);
  draw_help_label(540, 420);
  if (item_page_state == item_state_placement) draw_placement_list();
}

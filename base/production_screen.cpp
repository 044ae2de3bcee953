// The production pages.
#include "base/production_screen.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "base/base_camp.h"
#include "base/base_numbers.h"
#include "base/base_pages.h"
#include "base/base_top_menu.h"
#include "base/house_kinds.h"
#include "base/houses.h"
#include "base/houses_screen.h"
#include "base/list_scroll.h"
#include "base/recipe.h"
#include "base/yes_no_box.h"
#include "core/game_flags.h"
#include "core/grp_input.h"
#include "core/key_mapping.h"
#include "core/text_colours.h"
#include "data/item_list.h"
#include "data/maps_lookups.h"
#include "data/object_db.h"
#include "data/party.h"
#include "g3d/renderer.h"
#include "gfx2d/game_fonts.h"
#include "gfx2d/glyph_font.h"
#include "sound/sfx_bank.h"
#include "ui/cursor.h"
#include "ui/paragraph.h"
#include "ui/talk_msg.h"
#include "ui/text_draw.h"
#include "ui/window_frame.h"

int production_recipe_key = 1;

namespace {

constexpr int list_x = 27, list_y = 42, detail_x = 260, detail_y = 42, panel_x = 215, panel_y = 160;
constexpr int box_x = 215, box_y = 280;  // the treasures' confirmation box
constexpr int held_cap = 99;
constexpr int treasure_slots[] = {4, 5};

const ProductionFamily families[] = {
    {base_weapons, 1, "\xA5\x69\xA5\xCD\xB2\xA3\xAA\x5A\xBE\xB9\xB2\x4D\xB3\xE6",  // 可生產武器清單
     "\xB2\x7B\xA6\xB3\xBB\xDD\xA8\x44\xB8\xEA\xB7\xBD", flag_tutorial_weapons, false},  // 現有需求資源
    {base_armour, 2, "\xA5\x69\xA5\xCD\xB2\xA3\xA8\xBE\xA8\xE3\xB2\x4D\xB3\xE6",  // 可生產防具清單
     "\xB2\x7B\xA6\xB3\xAF\x53\xAE\xED\xB8\xEA\xB7\xBD", 0, false},  // 現有特殊資源
    {base_items, 0, "\xA5\x69\xA5\xCD\xB2\xA3\xB9\x44\xA8\xE3\xB2\x4D\xB3\xE6",  // 可生產道具清單
     "\xB2\x7B\xA6\xB3\xAF\x53\xAE\xED\xB8\xEA\xB7\xBD", 0, false},
    {base_treasures, 3, "\xA5\x69\xA5\xCD\xB2\xA3\xAA\x6B\xC4\x5F\xB2\x4D\xB3\xE6",  // 可生產法寶清單
     "\xBD\x54\xA9\x77\xA5\xCD\xB2\xA3\xA6\xB9\xAA\x6B\xC4\x5F\xB6\xDC\x3F", 0, true},  // 確定生產此法寶嗎?
};
ProductionScreen screens[std::size(families)];

const char* const skill_names[4] = {"\xA7\x4D\xAA\xF7", "\xBE\xE3\xB3\xC6", "\xBB\x73\xC3\xC4",
                                    "\xAF\xAB\xA7\xDE"};  // 冶金 整備 製藥 神技

int family_index(int sub_mode) { return std::clamp(sub_mode - base_weapons, 0, int(std::size(families)) - 1); }

ListScroll scroll_of(ProductionScreen& s) {
  return {&s.cursor, &s.top, int(s.rows.size()), production_page_rows, list_x, list_y};
}

// The row under the cursor, or null when the list shrank below it.
const ProductionRow* cursor_row(const ProductionScreen& s) {
  const int i = s.top + s.cursor - 1;
  return i >= 0 && i < int(s.rows.size()) ? &s.rows[std::size_t(i)] : nullptr;
}

void narrator_box(const char* text, int width) { add_txt_msg(224, 196, width, 64, 0, 0, text, 2); }

// Keeps the ordered piece, found at row n (1-based), under the cursor.
void follow_ordered(ProductionScreen& s, int n, bool affordable) {
  if (n == s.top + s.cursor) return;
  if (!affordable) {
    s.top = std::max(0, n - s.cursor);
    s.cursor = n - s.top;
    return;
  }
  s.cursor = n - s.top;
  if (s.cursor < 1) s.top = n - 1, s.cursor = 1;
  else if (s.cursor > production_page_rows) s.top = n - production_page_rows, s.cursor = production_page_rows;
}

}  // namespace

const ProductionFamily& production_family(int sub_mode) { return families[family_index(sub_mode)]; }
ProductionScreen& production_screen(int sub_mode) { return screens[family_index(sub_mode)]; }

void reset_production_screens() {
  for (ProductionScreen& s : screens) s = ProductionScreen{};
}

int production_held(std::uint16_t object, bool worn_too) {
  int held = get_item_num(&party_bag, object);
  if (held || !worn_too) return held;
  for (const RoleData& r : gmRoleData)
    if (std::any_of(std::begin(treasure_slots), std::end(treasure_slots), [&](int slot) { return r.equip[slot] == object; }))
      ++held;
  return held;
}

void list_production_recipes(ProductionScreen& s, const ProductionFamily& f) {
  s.rows.clear();
  select_maps_recipe(f.recipe_category);
  int n = 0;
  for (std::uint16_t id; (id = read_maps_recipe(std::uint16_t(production_recipe_key))) != 0;) {
    const int held = production_held(id, f.one_piece);
    s.rows.push_back({id, held, false});
    ++n;
    ItemData record{};
    if (read_Item(id, &record) != 1) continue;
    s.rows.back().readable = true;
    if (n == s.top + s.cursor) s.piece = record;
    if (!record.level) continue;
    const bool ordered = s.quantity > 0 && s.ordered == id;
    const bool affordable = check_recipe(&record, 1, 0) && !(f.one_piece && held > 0);
    if (!affordable && !ordered) {
      s.rows.pop_back();
      --n;
      continue;
    }
    if (ordered && n != s.top + s.cursor) {
      follow_ordered(s, n, affordable);
      s.piece = record;
    }
  }
  if (s.deliver == 1) {
    if (s.ordered && s.quantity > 0) add_item(&party_bag, s.ordered, std::uint16_t(s.quantity), 1);
    s.quantity = 0;
    s.ordered = 0;
    s.deliver = 0;
  }
}

void open_production_order(ProductionScreen& s, const ProductionFamily& f) {
  const ProductionRow* row = cursor_row(s);
  if (!row || !row->readable) return;  // the list shrank under the cursor
  if (row->held > (f.one_piece ? 0 : held_cap - 1)) {
    char text[64];
    std::snprintf(text, sizeof text, "\xAD\xD3\xBC\xC6\xA4\x77\xB9\x46\xA4\x57\xAD\xAD%%Q");  // 個數已達上限%Q
    narrator_box(text, 5 * int(std::strlen(text)) + 150);
    play_sfx(sfx_base_refused, 0);
    return;
  }
  if (!check_recipe(&s.piece, 1, 1)) {
    play_sfx(sfx_base_refused, 0);
    return;
  }
  pay_recipe(&s.piece, 1);
  s.state = production_order;
  s.quantity = 1;
  s.ordered = s.piece.object_id;
  s.panel_button = 0;
  play_sfx(sfx_base_open, 0);
}

void production_plus(ProductionScreen& s) {
  if (!check_recipe(&s.piece, 1, 0)) return;
  pay_recipe(&s.piece, 1);
  ++s.quantity;
  const ProductionRow* row = cursor_row(s);
  const int held = row ? row->held : 0;
  if (held + s.quantity > held_cap) {
    s.quantity = std::int16_t(held_cap - held);
    refund_recipe(&s.piece, 1);
  }
  play_sfx(sfx_base_quantity, 0);
}

void production_minus(ProductionScreen& s) {
  if (s.quantity - 1 < 1) {
    s.quantity = 1;
  } else {
    --s.quantity;
    refund_recipe(&s.piece, 1);
  }
  play_sfx(sfx_base_quantity, 0);
}

void cancel_production_order(ProductionScreen& s) {
  s.state = production_list;
  if (s.quantity > 0) refund_recipe(&s.piece, s.quantity);
  s.quantity = 0;
  s.ordered = 0;
  play_sfx(sfx_base_back, 0);
}

void confirm_production_order(ProductionScreen& s, const ProductionFamily& f) {
  s.state = production_done;
  play_sfx(sfx_base_order_done, 0);
  char text[128];
  if (f.one_piece) {
    std::snprintf(text, sizeof text, "\xA7\xB9\xA6\xA8 %%C9%s%%C0%%Q", s.piece.NAME);  // 完成
    add_txt_msg(224, 196, 5 * int(std::strlen(text)) + 115, 64, 0, 0, text, 2);
  } else {
    std::snprintf(text, sizeof text, "\xA7\xB9\xA6\xA8 %%C9%s%%C0 X %d%%Q", s.piece.NAME, int(s.quantity));
    add_txt_msg(224, 196, 5 * int(std::strlen(text)) + 118, 64, 0, 0, text, 2);
  }
}

int finish_production_order(ProductionScreen& s, const ProductionFamily& f) {
  if (check_txt_msg_end() != 1) return 0;
  s.deliver = 1;
  base_sub_mode = f.sub_mode;
  s.state = production_list;
  base_tooltip[0] = 0;
  play_sfx(sfx_base_open, 0);
  return 1;
}

namespace {

bool inside(int x0, int x1, int y0, int y1) { return mouse_x >= x0 && mouse_x < x1 && mouse_y >= y0 && mouse_y < y1; }

void leave_page(ProductionScreen& s) {
  open_houses_on(picked_house_id);
  s.cursor = 1;
  play_sfx(sfx_base_back, 0);
}

// The HUD's buttons from the page: 1 when one opened its page.
bool hud_button() {
  const int b = top_bar_button_at(mouse_x, mouse_y);
  if (!b || b == top_menu_page) return false;
  click_top_bar(mouse_x, mouse_y);
  return true;
}

void input_list(ProductionScreen& s, const ProductionFamily& f) {
  const int count = int(s.rows.size());
  const int visible = std::min(count - s.top, production_page_rows);
  hover_list_rows(list_x + 20, list_x + 180, list_y + 75, visible, &s.cursor);
  if (cancel_pressed()) {
    leave_page(s);
    return;
  }
  if (!count) return;
  const ListScroll scroll = scroll_of(s);
  if (grp_input.key_repeat(key_mouse1)) {
    if (hud_button()) {
      s.cursor = 1;
      return;
    }
    if (click_scroll(scroll, mouse_x, mouse_y)) return;
    const bool on_button = mouse_x > detail_x + 230 && mouse_x < detail_x + 322 && mouse_y > detail_y + 240 &&
                           mouse_y < detail_y + 265;
    const bool on_row = mouse_x > list_x + 20 && mouse_x < list_x + 180 && mouse_y > list_y + 75 &&
                        mouse_y < list_y + 75 + 25 * visible;
    if (on_button || on_row) {
      open_production_order(s, f);
      return;
    }
  }
  if (confirm_pressed()) {
    open_production_order(s, f);
    return;
  }
  list_keys(scroll);
  if (grp_input.key_repeat(key_f1)) {
    s.help = !s.help;
    play_sfx(sfx_base_switch, 0);
  }
}

// The order panel, or the treasures' confirmation box: hover and the two buttons.
void input_order(ProductionScreen& s, const ProductionFamily& f) {
  if (f.one_piece) {
    const YesNoAnswer a = input_yes_no_box(box_x, box_y, &s.panel_button);
    if (a == answer_yes) confirm_production_order(s, f);
    else if (a != answer_none) cancel_production_order(s);
    return;
  }
  if (!mouse_keyboard_lock && mouse_y > panel_y + 170 && mouse_y < panel_y + 207)
    for (int i = 0; i < 2; ++i)
      if (mouse_x > panel_x + 76 + 90 * i && mouse_x < panel_x + 116 + 90 * i && s.panel_button != i) {
        s.panel_button = i;
        play_sfx(sfx_base_cursor, 0);
      }
  for (int i = 0; i < 2; ++i)
    s.minus_plus[i] = mouse_x > panel_x + 120 + 90 * i && mouse_x < panel_x + 150 + 90 * i &&
                      mouse_y > panel_y + 127 && mouse_y < panel_y + 152;
  if (cancel_pressed()) {
    cancel_production_order(s);
    return;
  }
  if (grp_input.key_repeat(key_mouse1)) {
    if (inside(panel_x + 76, panel_x + 116, panel_y + 170, panel_y + 207)) {
      if (s.panel_button == 0) confirm_production_order(s, f);
      return;
    }
    if (inside(panel_x + 166, panel_x + 206, panel_y + 170, panel_y + 207)) {
      if (s.panel_button == 1) cancel_production_order(s);
      return;
    }
    if (inside(panel_x + 210, panel_x + 245, panel_y + 132, panel_y + 162)) production_plus(s);
    else if (inside(panel_x + 120, panel_x + 155, panel_y + 132, panel_y + 162)) production_minus(s);
  }
  if (confirm_pressed()) {
    if (s.panel_button == 0) confirm_production_order(s, f);
    else cancel_production_order(s);
    return;
  }
  if (grp_input.key_repeat(key_up)) production_plus(s);
  if (grp_input.key_repeat(key_down)) production_minus(s);
  const bool l = grp_input.key_repeat(key_left), r = grp_input.key_repeat(key_right);
  if (l || r) {
    s.panel_button = std::clamp(s.panel_button + (r ? 1 : -1), 0, 1);
    mouse_keyboard_lock = 1;
    play_sfx(sfx_base_cursor, 0);
  }
}

void input_workshop(int sub_mode) {
  const ProductionFamily& f = production_family(sub_mode);
  ProductionScreen& s = production_screen(sub_mode);
  arbitrate_mouse();
  if (s.state == production_list && f.tutorial_flag && panels_settled && start_base_tutorial(f.tutorial_flag)) {
    cursor_act.qq = base_cursor_busy;
    return;
  }
  switch (s.state) {
    case production_list: input_list(s, f); break;
    case production_order: input_order(s, f); break;
    default: finish_production_order(s, f); break;
  }
}

void draw_detail(const ProductionScreen& s) {
  const ItemData& p = s.piece;
  draw_base_sprite(p.object_id, 0, detail_x + 210, detail_y + 18);
  const std::uint16_t icons[4] = {33, 30, 31, 32};
  const int costs[4] = {p.cost_money, p.cost_metal, p.cost_wood, p.cost_coal};
  const int enough[4] = {resource_ok[3], resource_ok[0], resource_ok[1], resource_ok[2]};
  char text[32];
  for (int i = 0; i < 4; ++i) {
    draw_base_sprite(base_icon_act, icons[i], detail_x + 30, detail_y + 43 + 20 * i);
    std::snprintf(text, sizeof text, "%2d", costs[i]);
    draw_bold(base_font_12, detail_x + 60, detail_y + 53 + 20 * i, text, enough[i] ? 16 : 25);
    draw_bold(base_font_12, detail_x + 105, detail_y + 53 + 20 * i, skill_names[i], 17);
    std::snprintf(text, sizeof text, "%2d", int(p.skill_need[i]));
    draw_bold(base_font_12, detail_x + 140, detail_y + 53 + 20 * i, text, skill_ok[i] ? 16 : 25);
  }
  for (int j = 0; j < recipe_material_entries && recipe_materials[j].object; ++j) {
    ItemData m{};
    read_Item(recipe_materials[j].object, &m);
    std::snprintf(text, sizeof text, "%-12s", m.NAME);
    draw_bold(base_font_16, detail_x + 60, detail_y + 178 + 20 * j, text, material_ok[j] ? 15 : 25);
    std::snprintf(text, sizeof text, "%d", int(recipe_materials[j].per_unit));
    draw_bold(base_font_16, detail_x + 135, detail_y + 178 + 20 * j, text, material_ok[j] ? 15 : 25);
  }
  base_font_16.set_shadow_color(text_colours[31]);
  draw_paragraph(&base_font_16, s.help ? p.INFO : p.HELP, detail_x + 30, detail_y + 282, 4, 310, 15);
  base_font_16.set_shadow_color(0);
}

void draw_order_panel(const ProductionScreen& s, const ProductionFamily& f) {
  if (f.one_piece) {
    draw_yes_no_box(box_x, box_y, 40, 18, f.heading, s.panel_button);
    return;
  }
  renderer.draw_rect(0, 0, 640, 480, 0x50000000, 2);
  draw_base_sprite(base_panel_act, 21, panel_x, panel_y);
  draw_text_at(base_font_16, panel_x + 80, panel_y + 24, f.heading, text_colours[20], GLYPH_BOLD_OUTLINE);
  draw_bold(base_font_16, panel_x + 40, panel_y + 134, "\xA5\xCD\xB2\xA3\xBC\xC6\xB6\x71", 17);  // 生產數量
  draw_base_sprite(base_icon_act, s.minus_plus[1] ? 39 : 38, panel_x + 210, panel_y + 127);
  draw_base_sprite(base_icon_act, s.minus_plus[0] ? 41 : 40, panel_x + 120, panel_y + 127);
  draw_base_sprite(base_panel_act, s.panel_button == 0 ? 7 : 8, panel_x + 76, panel_y + 170);
  draw_base_sprite(base_panel_act, s.panel_button == 1 ? 9 : 10, panel_x + 160, panel_y + 170);
  char text[48];
  for (int j = 0; j < recipe_material_entries && recipe_materials[j].object; ++j) {
    ItemData m{};
    read_Item(recipe_materials[j].object, &m);
    std::snprintf(text, sizeof text, "%-12s %4d", m.NAME, get_item_num(&party_bag, recipe_materials[j].object));
    draw_bold(base_font_16, panel_x + 87, panel_y + 60 + 20 * j, text, material_ok[j] ? 15 : 25);
  }
  std::snprintf(text, sizeof text, "%2d", int(s.quantity));
  draw_text_at(base_font_20, panel_x + 170, panel_y + 134, text, text_colours[24], GLYPH_BOLD_OUTLINE);
}

void draw_rows(const ProductionScreen& s) {
  char text[48];
  const int end = std::min(int(s.rows.size()), s.top + production_page_rows);
  for (int i = s.top; i < end; ++i) {
    const ProductionRow& row = s.rows[std::size_t(i)];
    ItemData d{};
    if (!row.readable || read_Item(row.object, &d) != 1) continue;
    const int y = list_y + 83 + 25 * (i - s.top);
    std::snprintf(text, sizeof text, "%s", d.NAME);
    if (d.level) {
      base_font_16.set_shadow_color(text_colours[30]);
      draw_text_at(base_font_16, list_x + 33, y, text, text_colours[29], GLYPH_BOLD_OUTLINE);
      base_font_16.set_shadow_color(0);
    } else {
      draw_bold(base_font_16, list_x + 33, y, text, check_recipe(&d, 1, 0) && row.held < held_cap ? 15 : 21);
    }
    std::snprintf(text, sizeof text, "%2d", row.held);
    draw_bold(base_font_16, list_x + 148, y, text, 16);
  }
}

void draw_workshop(int sub_mode) {
  const ProductionFamily& f = production_family(sub_mode);
  ProductionScreen& s = production_screen(sub_mode);
  list_production_recipes(s, f);
  const int count = int(s.rows.size());
  draw_base_sprite(base_panel_act, 11, list_x, list_y);
  draw_base_sprite(base_panel_act, 20, detail_x, detail_y);
  draw_base_sprite(base_panel_act, 5, list_x + 188, list_y + 58);
  if (count > production_page_rows)
    renderer.draw_rect(list_x + 194, list_y + 88 + 260 * s.top / count, 11, 3120 / count, 0x969B5F23, 2);
  else if (count)
    renderer.draw_rect(list_x + 194, list_y + 88, 11, 260, 0x969B5F23, 2);
  const HouseRecord* shop = find_house(picked_house_id);
  draw_text_at(base_font_16, list_x + 65, list_y + 21, shop ? house_kind_name(shop->kind) : "", text_colours[20],
               GLYPH_BOLD_OUTLINE);
  draw_text_at(base_font_16, detail_x + 50, detail_y + 23, "\xA5\xCD\xB2\xA3\xBB\xDD\xA8\x44\xB8\xEA\xB7\xBD",  // 生產需求資源
               text_colours[20], GLYPH_BOLD_OUTLINE);
  draw_text_at(base_font_16, detail_x + 50, detail_y + 142, "\xAF\x53\xAE\xED\xBB\xDD\xA8\x44\xB8\xEA\xB7\xBD",  // 特殊需求資源
               text_colours[20], GLYPH_BOLD_OUTLINE);
  draw_bold(base_font_12, list_x + 55, list_y + 58, f.title, 17);
  draw_text_at(base_font_12, list_x + 28, list_y + 70, "----------------------", text_colours[17], GLYPH_PLAIN);
  draw_base_sprite(base_icon_act, 42, detail_x + 295, detail_y + 240);
  draw_bold(base_font_12, detail_x + 235, detail_y + 250, "\xBD\x54\xA9\x77\xA5\xCD\xB2\xA3", 17);  // 確定生產
  draw_bold(base_font_12, detail_x + 260, detail_y + 378, "F1\xBB\xA1\xA9\xFA\xA4\xC1\xB4\xAB", 23);  // F1說明切換
  if (!count) return;
  draw_select_bar(list_x + 20, list_y + 75 + 25 * (s.cursor - 1), 160, 25, 0x78FFFFFF);
  draw_rows(s);
  const ProductionRow* row = cursor_row(s);
  if (!row || !row->readable) return;
  check_recipe(&s.piece, 1, 0);
  draw_detail(s);
  if (s.state == production_order) draw_order_panel(s, f);
}

}  // namespace

void input_production_screen() { input_workshop(base_sub_mode); }
void draw_production_screen() { draw_workshop(base_sub_mode); }

void input_weapon_workshop() { input_workshop(base_weapons); }
void draw_weapon_workshop() { draw_workshop(base_weapons); }
void list_weapon_recipes() { list_production_recipes(screens[0], families[0]); }
void input_armour_workshop() { input_workshop(base_armour); }
void draw_armour_workshop() { draw_workshop(base_armour); }
void list_armour_recipes() { list_production_recipes(screens[1], families[1]); }
void input_item_workshop() { input_workshop(base_items); }
void draw_item_workshop() { draw_workshop(base_items); }
void list_item_recipes() { list_production_recipes(screens[2], families[2]); }
void input_treasure_workshop() { input_workshop(base_treasures); }
void draw_treasure_workshop() { draw_workshop(base_treasures); }
void list_treasure_recipes() { list_production_recipes(screens[3], families[3]); }

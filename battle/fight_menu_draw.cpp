// The command menu's drawing: the wheels, the target markers and the enemy's name plate, the
// lists with their tabs, the option lists and the guardian panel. Drawing a list makes its
// highlighted entry the chosen action, which confirm then takes.
#include <cstring>

#include "base/escort.h"
#include "battle/fight_action.h"
#include "battle/fight_cmd_table.h"
#include "battle/fight_globals.h"
#include "battle/fight_hud.h"
#include "battle/fight_man.h"
#include "battle/fight_menu.h"
#include "battle/fight_target.h"
#include "battle/fight_text.h"
#include "data/battle_fields.h"
#include "data/item_list.h"
#include "data/object_db.h"
#include "data/party.h"
#include "g3d/act_draw.h"
#include "gfx2d/game_fonts.h"
#include "ui/menu/menu_system.h"
#include "ui/window_frame.h"

namespace {
constexpr std::uint16_t slot_act = 9130, panel_act = 9137, tab_act = 9138, help_act = 9009, cost_act = 9081,
                        marker_act = 9109, plate_act = 9136, gauge_act = 9080, guardian_act = 9146,
                        kind_icon_act = 9098, kind_icon_lit_act = 9099, empty_guardian_act = 9069,
                        guardian_deco_act = 9068;
constexpr std::uint16_t marker_qq = 2;
constexpr std::uint32_t slot_flags = 0x4000000, dimmed_colour = 0x64FFFFFF, dimmed_blend = 2;
constexpr std::uint32_t row_bar = 0x78FFFFFF, column_bar = 0x64FFFFFF;
constexpr int name_colour = 14, help_colour = 7, plate_colour = 15, list_colour = 20, list_colour_short = 21,
              label_colour = 26;
constexpr int marker_count = 10, target_part = 3;
constexpr int kind_item = 201, kind_martial = 300, kind_mechanism = 304, kind_special = 305, user_battle = 2;
constexpr std::uint32_t status_sealed = 0x20, status_no_special = 0x8;

ActInstance slot_picture;
ActInstance markers[marker_count];

FightMan* actor() { return menu_actor(); }
ItemNode* arts() {
  FightMan* a = actor();
  return a && a->GetRole() ? &a->GetRole()->arts : nullptr;
}

bool dimmed(int command) {
  if (command == 0) return true;
  FightMan* a = actor();
  if (!a) return false;
  if (a->HasStatus(status_sealed) && (command == cmd_magic || command == cmd_martial || command == cmd_mechanisms))
    return true;
  return a->HasStatus(status_no_special) && command == cmd_special;
}

void draw_wheel_slot(int i, bool lit, bool dim) {
  slot_picture.act = slot_act;
  slot_picture.qq = lit && !dim ? 1 : 0;
  if (!Take_3dActData(&slot_picture)) return;
  const float x = float(wheel_tweens[i].get_x()), y = float(wheel_tweens[i].get_y());
  if (dim) draw_act_3d(&slot_picture, x, y, 0, 0, 0, 0, 0, 0, 0, dimmed_colour, slot_flags | dimmed_blend);
  else draw_act_3d(&slot_picture, x, y, 0, 0, 0, 0, 0, 0, 0, slot_picture.color, slot_flags);
}

void draw_cmd_wheel() {
  for (Tween& t : wheel_tweens) t.update();
  const bool second = subwheel_open == 1;
  const int lit = second ? subwheel_slot : wheel_slot;
  int commands[4];
  for (int i = 0; i < 4; ++i) commands[i] = second ? subwheel_cmds[i] : wheel_command(i);
  for (int i = 0; i < 4; ++i) draw_wheel_slot(i, i == lit, second && dimmed(commands[i]));
  for (int i = 0; i < 4; ++i) {
    const char* name = commands[i] > 0 ? fight_cmd_name(commands[i]) : nullptr;
    if (name)
      draw_text_at(font_20, wheel_tweens[i].get_x() + 40, wheel_tweens[i].get_y() - 5, name, text_colours[name_colour],
                   GLYPH_BOLD_OUTLINE);
  }
}

void draw_target_marker(std::uint16_t n, std::uint16_t act, std::uint16_t qq, const G3dVector& p) {
  if (n >= marker_count) return;
  ActInstance& m = markers[n];
  m.act = act;
  m.qq = qq;
  Take_3dActData(&m);
  draw_act_model(&m, p.x, p.y, p.z, 0, 0, 0, 0, 0, 0, m.color, 0);
}

void draw_target_label() {
  if (fight_main_target < 0 || fight_main_target >= fight_unit_slots) return;
  FightMan& t = gmFightMan[fight_main_target];
  if (t.IsAlly() || chosen_action.target_mode == 1 || t.IsDead()) return;
  const int x0 = talisman_count ? 30 : 10;
  draw_act(plate_act, 0, x0, 5, 0);
  const char* name = t.GetName();
  fight_plate_text(font_16, x0 + 60 - 4 * int(std::strlen(name)), 12, name);
  t.DrawHpBar(x0 + 24, 30);
}

void draw_targets() {
  G3dVector p{};
  if (!target_all) {
    if (fight_main_target >= 0 && fight_main_target < fight_unit_slots) {
      gmFightMan[fight_main_target].GetPartPoint(&p, target_part);
      draw_target_marker(0, marker_act, marker_qq, p);
    }
    draw_target_label();
    return;
  }
  for (int i = 0; i < fight_action.target_count && i < marker_count; ++i) {
    FightMan* t = fight_action.targets[i];
    if (!t || t->IsDead()) continue;
    t->GetPartPoint(&p, target_part);
    draw_target_marker(std::uint16_t(i), marker_act, marker_qq, p);
  }
}

void draw_list_tabs(int x, int y) {
  draw_act(panel_act, 0, x, y, 0);
  for (int t = 0; t < 3; ++t)
    if (t != list_tab) draw_act(tab_act, std::uint16_t(t), x + 5 + 32 * t, y + 3, 0);
  // The bounce rests at 4: the active tab stands at y + 3 and hops up from there.
  draw_act(tab_act, std::uint16_t(list_tab + 3), x + 5 + 32 * list_tab, y - 1 + step_tab_bounce(), 0);
}

void place_list(int bar_x, int y, int mouse_x0) {
  menu_list.x = bar_x;
  menu_list.y = y;
  menu_list.row_mouse_x = mouse_x0;
  menu_list.first_row_y = y + 40;
  menu_list.row_height = 30;
  draw_scroll_bar(&menu_list);
}

// How one list shows its entries.
struct ListStyle {
  ItemNode* (*entry)(std::uint8_t mask, int n);
  bool by_cost;      // names of entries the actor cannot pay for in the short colour
  int cost_icon_dx;  // 0: no icon; the cost is the rage cost
  int bar_x0, bar_w;  // the highlight bar's x offset and width
};

void draw_cost(const ItemData& rec, int x, int y, int r, int icon_dx) {
  if (icon_dx == 0) {
    fight_text(font_20, x + 180, y + 30 + 30 * r, list_colour, GLYPH_BOLD_SHADOW, "%3d", int(rec.rage_cost));
    return;
  }
  const bool sp = rec.sp_cost != 0;
  draw_act(cost_act, sp ? 2 : 1, x + icon_dx, y + 40 + 30 * r, 0);
  fight_text(font_20, x + 190, y + 30 + 30 * r, list_colour, GLYPH_BOLD_SHADOW, "%4d", int(sp ? rec.sp_cost : rec.mp_cost));
}

void highlight_entry(const ItemNode* e, int x, int y, int r, const ListStyle& s) {
  chosen_action = e->item;
  chosen_item = e->object;
  if (FightMan* a = actor()) a->SetAction(chosen_action);
  draw_select_bar(x + s.bar_x0, y + 22 + 30 * r, s.bar_w, 30, row_bar);
  draw_text_at(font_20, x - 40, y + 230, e->item.INFO, text_colours[help_colour], GLYPH_BOLD_SHADOW);
}

void draw_list_rows(int x, int y, const ListStyle& s) {
  chosen_item = 0;
  const std::uint8_t mask = tab_masks[list_tab % 3];
  for (int r = 0; r < menu_list.visible_rows; ++r) {
    const ItemNode* e = s.entry(mask, menu_list.top_item + r);
    if (!e) break;
    FightMan* a = actor();
    const bool short_of = s.by_cost && a && !a->CanPayCost(&e->item);
    const int colour = short_of ? list_colour_short : list_colour;
    draw_text_at(font_20, x + 10, y + 30 + 30 * r, e->item.NAME, text_colours[colour], GLYPH_BOLD_SHADOW);
    if (s.by_cost) draw_cost(e->item, x, y, r, s.cost_icon_dx);
    else fight_text(font_20, x + 180, y + 30 + 30 * r, list_colour, GLYPH_BOLD_SHADOW, "%2d", e->count + e->new_count);
    if (r != menu_list.cursor_row) continue;
    if (!s.by_cost) draw_text_at(font_20, x + 9, y + 29 + 30 * r, e->item.NAME, text_colours[colour], GLYPH_BOLD_SHADOW);
    highlight_entry(e, x, y, r, s);
  }
}

ItemNode* bag_entry(std::uint8_t mask, int n) {
  return get_item_by_type_flag(&party_bag, kind_item, mask, user_battle, std::uint16_t(n));
}
ItemNode* magic_entry(std::uint8_t mask, int n) {
  ItemNode* a = arts();
  return a ? get_item_by_flag(a, mask, user_battle, std::uint16_t(n)) : nullptr;
}
ItemNode* martial_entry(std::uint8_t mask, int n) {
  ItemNode* a = arts();
  return a ? get_item_by_type_flag(a, kind_martial, mask, user_battle, std::uint16_t(n)) : nullptr;
}
ItemNode* mechanism_entry(std::uint8_t mask, int n) {
  ItemNode* a = arts();
  return a ? get_item_by_type_flag(a, kind_mechanism, mask, user_battle, std::uint16_t(n)) : nullptr;
}
ItemNode* special_entry(std::uint8_t, int n) {
  ItemNode* a = arts();
  return a ? get_item_by_type(a, kind_special, user_battle, std::uint16_t(n)) : nullptr;
}

void draw_tabbed_list(int x, int y, const ListStyle& s) {
  draw_list_tabs(x, y);
  draw_window_frame(help_act, x - 50, y + 220, 560, 40);
  place_list(x + 244, y, x + 120);
  draw_list_rows(x, y, s);
}

void draw_special_list(int x, int y) {
  draw_act(panel_act, 0, x, y, 0);
  draw_window_frame(help_act, x - 50, y + 220, 560, 40);
  menu_list.thumb_width = 20;
  menu_list.track_length = 270;
  place_list(x + 150, y, x + 70);
  draw_list_rows(x, y, {special_entry, true, 0, -5, 245});
}

void draw_option_list(int x, int y, const char* const labels[]) {
  draw_act(panel_act, 0, x, y, 0);
  if (fight_menu_state == menu_resist) {
    static const char* const columns[2] = {"\xA4\xF4", "\xA4\xF5"};  // 水, 火
    for (int c = 0; c < 2; ++c) {
      draw_act(guardian_act, 1, x + 60 * c, y - 40, 0);
      draw_text_at(font_20, x + 10 + 60 * c, y - 30, columns[c], text_colours[list_colour], GLYPH_BOLD_SHADOW);
    }
  }
  fight_plate_text(font_16, x + 30, y + 6, "\xA5\\\xAF\xE0");  // 功能
  fight_plate_text(font_16, x + 180, y + 6, "\xAE\xF8\xB6O");  // 消費
  FightMan* a = actor();
  for (int r = 0; r < option_rows && r < option_row_count; ++r) {
    chosen_action.rage_cost = std::int16_t(option_rage_cost[r]);
    const int colour = a && !a->CanPayCost(&chosen_action) ? list_colour_short : list_colour;
    draw_text_at(font_20, x + 10, y + 35 + 35 * r, labels[r], text_colours[colour], GLYPH_BOLD_SHADOW);
    fight_text(font_20, x + 190, y + 35 + 35 * r, colour, GLYPH_BOLD_SHADOW, "%2d", option_rage_cost[r]);
  }
  if (fight_menu_state == menu_resist) draw_select_bar(x + 60 * resist_column, y - 40, 60, 35, column_bar);
  draw_select_bar(x, y + 27 + 35 * option_cursor, 240, 30, row_bar);
  if (option_cursor >= 0 && option_cursor < option_row_count)
    chosen_action.rage_cost = std::int16_t(option_rage_cost[option_cursor]);
}

void draw_guardian_values(const ItemData& g, int x, int y) {
  draw_text_at(font_20, x + 12, y + 10, g.NAME, text_colours[name_colour], GLYPH_BOLD_OUTLINE);
  draw_act(cost_act, 2, x + 180, y + 20, 0);
  draw_act(guardian_deco_act, 1, x + 180, y + 5, 0);
  fight_text(font_16, x + 205, y + 12, help_colour, GLYPH_BOLD_SHADOW, "%3d", int(g.sp_cost));
  draw_act(cost_act, 0, x + 20, y + 50, 0);
  fight_text(font_16, x + 32, y + 40, list_colour, GLYPH_BOLD_SHADOW, ":%3d", int(g.max_hp));
  draw_text_at(font_12, x + 95, y + 44, "\xB5\xA5\xAF\xC5:", text_colours[label_colour], GLYPH_BOLD_SHADOW);  // 等級:
  fight_text(font_16, x + 140, y + 40, list_colour, GLYPH_BOLD_SHADOW, "%2d", int(g.level));
  draw_text_at(font_12, x + 12, y + 70, "\xA7\xF0\xC0\xBB\xA4O:     \xA8\xBE\xBFm\xA4O:", text_colours[label_colour],
               GLYPH_BOLD_SHADOW);  // 攻擊力:     防禦力:
  fight_text(font_12, x + 60, y + 70, list_colour, GLYPH_BOLD_SHADOW, "%3d         %3d", int(g.stats[combat_attack]),
             int(g.stats[combat_defence]));
  draw_text_at(font_12, x + 12, y + 90, "\xA5P  \xA7\xF0:     \xA5P  \xA8\xBE:", text_colours[label_colour],
               GLYPH_BOLD_SHADOW);  // 仙  攻:     仙  防:
  fight_text(font_12, x + 60, y + 90, list_colour, GLYPH_BOLD_SHADOW, "%3d         %3d", int(g.stats[combat_magic_attack]),
             int(g.stats[combat_magic_defence]));
  draw_text_at(font_12, x + 12, y + 110, "\xB3t  \xAB\xD7:", text_colours[label_colour], GLYPH_BOLD_SHADOW);  // 速  度:
  fight_text(font_12, x + 60, y + 110, list_colour, GLYPH_BOLD_SHADOW, "%3d", int(item_speed_value(g) & 0xFF));
  static const char* const ordinals[3] = {"\xA4@", "\xA4G", "\xA4T"};  // 一, 二, 三
  for (int k = 0; k < 3; ++k) {
    chosen_action = ItemData{};
    read_Item(g.ai_actions[k], &chosen_action);
    fight_text(font_12, x + 12, y + 140 + 24 * k, label_colour, GLYPH_BOLD_SHADOW, "\xA8\xCF\xA5\xCE\xA5P\xB3N%s:",
               ordinals[k]);  // 使用仙術%s:
    draw_text_at(font_16, x + 96, y + 138 + 24 * k, chosen_action.NAME, text_colours[list_colour], GLYPH_BOLD_SHADOW);
  }
}

void draw_guardian_panel(int x, int y) {
  draw_act(guardian_act, 0, x, y, 0);
  for (int g = 0; g < escort_count; ++g) {
    draw_act(guardian_act, 1, x - 60, y + 40 * g, 0);
    const bool lit = g == guardian_cursor;
    if (escort_data[g].kind != 0)
      draw_act(lit ? kind_icon_lit_act : kind_icon_act, std::uint16_t(get_kind_icon(escort_data[g].kind)), x - 45,
               y + 5 + 40 * g, 0);
    else draw_act(empty_guardian_act, lit ? 3 : 2, x - 45, y + 5 + 40 * g, 0);
  }
  if (guardian_cursor < 0 || guardian_cursor >= escort_count) return;
  const ItemData& g = escort_data[guardian_cursor];
  if (g.object_id != 0) draw_guardian_values(g, x, y);
  else if (guardians_called[guardian_cursor])
    draw_text_at(font_20, x + 80, y + 80, "\xA5l\xB3\xEA\xA4\xA4", text_colours[name_colour], GLYPH_BOLD_OUTLINE);  // 召喚中
  else
    draw_text_at(font_20, x + 70, y + 80, "\xA8S\xA6\xB3\xC5@\xBEr", text_colours[name_colour], GLYPH_BOLD_OUTLINE);  // 沒有護駕
}
}  // namespace

void fight_plate_text(GlyphFont& font, int x, int y, const char* text) {
  font.set_shadow_color(text_colours[plate_colour]);
  draw_text_at(font, x, y, text, text_colours[plate_colour], GLYPH_PLAIN);
  draw_text_at(font, x - 1, y, text, text_colours[plate_colour], GLYPH_PLAIN);
  font.set_shadow_color(0);
}

void draw_guest_entry(FightMan* unit, int row) {
  if (!unit) return;
  draw_act(plate_act, 0, 500, 5 + 40 * row, 0);
  const char* name = unit->GetName();
  fight_plate_text(font_16, 560 - 4 * int(std::strlen(name)), 12 + 40 * row, name);
  int hp = 0, max = 0;
  unit->GetHp(&hp, &max);
  draw_gauge(gauge_act, 1, 524, 30 + 40 * row, gauge_width(84, hp, max));
}

void fight_cmd_draw(int, int) {
  if (fight_menu_open == 0) return;
  switch (fight_menu_state) {
    case menu_wheel: case menu_subwheel: draw_cmd_wheel(); break;
    case menu_target: draw_targets(); break;
    case menu_items: draw_tabbed_list(120, 60, {bag_entry, false, 0, 0, 240}); break;
    case menu_magic: draw_tabbed_list(120, 60, {magic_entry, true, 180, 0, 240}); break;
    case menu_martial: draw_tabbed_list(120, 60, {martial_entry, true, 188, 0, 240}); break;
    case menu_mechanisms: draw_tabbed_list(120, 60, {mechanism_entry, true, 184, 0, 240}); break;
    case menu_special: draw_special_list(120, 60); break;
    case menu_guardians: draw_guardian_panel(170, 80); break;
    case menu_defence: draw_option_list(120, 60, defence_labels); break;
    case menu_resist: draw_option_list(120, 90, resist_labels); break;
    default: break;
  }
}

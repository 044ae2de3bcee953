// The log page: the lists it builds on entry, its input and its draw step.
#include "ui/menu/menu_log.h"

#include <algorithm>
#include <cstdio>

#include "battle/fame.h"
#include "core/flags.h"
#include "core/game_flags.h"
#include "core/grp_input.h"
#include "core/key_mapping.h"
#include "core/text_colours.h"
#include "data/data_file.h"
#include "data/item_list.h"
#include "data/maps_lookups.h"
#include "data/mission_name.h"
#include "data/object_db.h"
#include "g3d/act_draw.h"
#include "g3d/model_cache.h"
#include "g3d/motion.h"
#include "g3d/renderer.h"
#include "gfx2d/game_fonts.h"
#include "sound/sfx_bank.h"
#include "ui/menu/menu_input.h"
#include "ui/menu/menu_log_model.h"
#include "ui/menu/menu_numbers.h"
#include "ui/menu/menu_pages.h"
#include "ui/menu/menu_system.h"
#include "ui/paragraph.h"
#include "ui/screen_extras.h"
#include "ui/talk_msg.h"
#include "ui/text_draw.h"
#include "ui/ui_numbers.h"
#include "ui/window_frame.h"

int log_tab = log_tab_missions;
int log_focus = log_focus_tabs;
int log_sub_tab = missions_unfinished;
int log_monster_kind = 0, log_item_kind = 0;
int log_hint_on = 0;
ItemNode log_monsters{}, log_items{};
std::vector<std::uint16_t> log_missions[3];
int log_history_lines = 0;
ScrollList log_mission_lists[3];
ScrollList log_current_missions;
ScrollList log_chart_list;
std::vector<std::uint16_t> log_places;

namespace {

constexpr std::uint16_t log_tab_act = 9064, log_tab_selected_act = 9065;
constexpr std::uint16_t log_list_act = 9044;   // 0 the panel, 1 the scroll bar
constexpr std::uint16_t chart_panel_act = 9045;  // 0 the panel, 1 the scroll bar, 2 the values
constexpr std::uint16_t monster_kind_act = 9098, monster_kind_selected_act = 9099;
constexpr std::uint16_t item_kind_act = 9060, item_kind_selected_act = 9061;
constexpr std::uint16_t picture_act = 9250;
constexpr std::uint16_t placeholder_qq = 13;  // of the cursor act
constexpr std::uint16_t place_picture_qq = 2;
constexpr int log_tab_hint_base = 24, monster_hint_base = 33, item_hint_base = 11;
constexpr int chart_rows = 8;
constexpr std::uint32_t highlight_colour = 0x64FFFFFF;
constexpr int monster_kind_count = 10, item_kind_count = 6;

// 未完成任務, 已完成任務, 歷史相關
const char* const sub_tab_names[3] = {"\xA5\xBC\xA7\xB9\xA6\xA8\xA5\xF4\xB0\xC8", "\xA4\x77\xA7\xB9\xA6\xA8\xA5\xF4\xB0\xC8",
                                      "\xBE\xFA\xA5\x76\xAC\xDB\xC3\xF6"};
// 怪圖一 ... 怪圖十
const char* const picture_titles[picture_count] = {
    "\xA9\xC7\xB9\xCF\xA4\x40", "\xA9\xC7\xB9\xCF\xA4\x47", "\xA9\xC7\xB9\xCF\xA4\x54", "\xA9\xC7\xB9\xCF\xA5\x7C",
    "\xA9\xC7\xB9\xCF\xA4\xAD", "\xA9\xC7\xB9\xCF\xA4\xBB", "\xA9\xC7\xB9\xCF\xA4\x43", "\xA9\xC7\xB9\xCF\xA4\x4B",
    "\xA9\xC7\xB9\xCF\xA4\x45", "\xA9\xC7\xB9\xCF\xA4\x51"};
constexpr std::uint16_t picture_text_first = 5000;

BounceMotion chart_bounce;

bool text_of(PoolText t, char* out, std::size_t size) {
  out[0] = 0;
  return !t.empty() && read_Item_str(t, out, size) > 0;
}

void reset_chart_bounce() { chart_bounce = tab_hop(35.0f); }

int step_chart_bounce() { return step_tab_hop(chart_bounce); }

ScrollList mission_scroll(int rows) {
  ScrollList l{};
  l.bar_act = log_list_act;
  l.bar_qq = 1;
  l.thumb_width = 13;
  l.track_length = 257;
  l.item_count = rows;
  l.visible_rows = std::min(rows, mission_visible_rows);
  l.x = 96 + 495;
  l.y = 86;
  l.row_mouse_x = 96 + 250;
  l.first_row_y = 86 + 20;
  l.row_height = 25;
  return l;
}

void set_chart_list(int rows, int visible, std::uint16_t qq, int track) {
  log_chart_list = ScrollList{};
  log_chart_list.bar_act = chart_panel_act;
  log_chart_list.bar_qq = qq;
  log_chart_list.thumb_width = 13;
  log_chart_list.track_length = track;
  log_chart_list.item_count = rows;
  log_chart_list.visible_rows = visible;
}

void open_monster_chart() {
  set_chart_list(count_item_type(&log_monsters, log_monster_kinds[log_monster_kind]), chart_rows, 1, 202);
  reset_chart_bounce();
  set_menu_camera(-190, -30, 0, 5, 0, 0, 1100);
}

void open_item_chart() {
  set_chart_list(count_item_type(&log_items, log_item_kinds[log_item_kind]), chart_rows, 1, 202);
  reset_chart_bounce();
  set_menu_camera(-100, 20, 0, 0, 0, 0, 600);
}

// The gallery pages turn through the chart list, one page a row.
void set_gallery_list() {
  const int pages = log_tab == log_tab_places ? int(log_places.size()) : picture_count;
  const int top = log_chart_list.top_item;
  log_chart_list.bar_act = log_list_act;
  log_chart_list.bar_qq = 1;
  log_chart_list.thumb_width = 13;
  log_chart_list.track_length = 257;
  log_chart_list.cursor_row = 0;
  log_chart_list.visible_rows = 1;
  log_chart_list.item_count = pages;
  log_chart_list.top_item = pages > 0 ? std::clamp(top, 0, pages - 1) : 0;
}

// Confirm from the tab strip; kind_clicked is the kind button clicked, -1 for none.
void confirm_tab(int kind_clicked) {
  log_hint_on = 0;
  if (log_tab == log_tab_missions) {
    log_focus = log_focus_missions;
    log_sub_tab = missions_unfinished;
    log_current_missions = log_mission_lists[missions_unfinished];
  } else if (log_tab == log_tab_monsters) {
    log_focus = log_focus_monsters;
    log_monster_kind = kind_clicked >= 0 ? kind_clicked : 0;
    open_monster_chart();
  } else if (log_tab == log_tab_items) {
    log_focus = log_focus_items;
    log_item_kind = kind_clicked >= 0 ? kind_clicked : 0;
    open_item_chart();
  }
}

void input_kind_buttons(bool click) {
  if (log_tab == log_tab_missions) {
    const int k = first_box_hit({110, 44, 240, 68, 130, 0, 3}, mouse_x, mouse_y);
    if (k >= 0 && click) {
      log_focus = log_focus_missions;
      play_sfx(sfx_tab, 1);
      choose_mission_list(k);
    }
  } else if (log_tab == log_tab_monsters) {
    const int k = first_box_hit({90, 35, 116, 59, 26, 0, monster_kind_count}, mouse_x, mouse_y);
    if (!log_hint_on) menu_hint_key = log_monster_kind;
    if (k >= 0) menu_hint_key = k;
    if (k >= 0 && click) {
      play_sfx(sfx_tab, 1);
      choose_monster_kind(k);
      confirm_tab(k);
    }
  } else if (log_tab == log_tab_items) {
    const int k = first_box_hit({100, 35, 140, 59, 40, 0, item_kind_count}, mouse_x, mouse_y);
    if (!log_hint_on) menu_hint_key = log_item_kind;
    if (k >= 0) menu_hint_key = k;
    if (k >= 0 && click) {
      play_sfx(sfx_tab, 1);
      choose_item_kind(k);
      confirm_tab(k);
    }
  }
}

void input_mouse() {
  const bool click = grp_input.key_press(key_mouse1) != 0;
  log_hint_on = 0;
  menu_hint_key = log_tab;
  const int tab = first_box_hit({120, 4, 146, 36, 26, 0, log_tab_count}, mouse_x, mouse_y);
  if (tab >= 0) {
    log_hint_on = 1;
    menu_hint_key = tab;
    if (click) {
      play_sfx(sfx_tab, 1);
      log_focus = log_focus_tabs;
      log_tab = tab;
      reset_tab_bounce();
      log_chart_list = ScrollList{};
      confirm_tab(-1);
      return;
    }
  }
  input_kind_buttons(click);
}

void hover_row(ScrollList& list, const BoxStrip& strip) {
  if (key_nav_mode) return;
  const int row = first_box_hit(strip, mouse_x, mouse_y);
  if (row < 0) return;
  if (row != list.cursor_row) play_sfx(sfx_cursor, 1);
  list.cursor_row = row;
}

void input_missions() {
  input_scroll_list(&log_current_missions);
  if (grp_input.key_repeat(key_left)) {
    play_sfx(sfx_tab, 1);
    key_nav_mode = 1;
    choose_mission_list((log_sub_tab + 2) % 3);
  } else if (grp_input.key_repeat(key_right)) {
    play_sfx(sfx_tab, 1);
    key_nav_mode = 1;
    choose_mission_list((log_sub_tab + 1) % 3);
  }
  ScrollList& l = log_current_missions;
  const int rows = std::min(l.visible_rows, l.item_count - l.top_item);
  hover_row(l, {96, 86, 596, 112, 0, 26, rows});
  if (cancel_key()) {
    play_sfx(sfx_back, 1);
    log_focus = log_focus_tabs;
  }
}

void input_chart(bool monsters) {
  input_scroll_list(&log_chart_list);
  const int count = monsters ? monster_kind_count : item_kind_count;
  int& kind = monsters ? log_monster_kind : log_item_kind;
  int to = -1;
  if (grp_input.key_repeat(key_left)) to = (kind + count - 1) % count;
  if (grp_input.key_repeat(key_right)) to = (kind + 1) % count;
  if (to >= 0) {
    play_sfx(sfx_tab, 1);
    menu_hint_key = to;
    monsters ? choose_monster_kind(to) : choose_item_kind(to);
  }
  const int rows = std::min(chart_rows, log_chart_list.item_count - log_chart_list.top_item);
  hover_row(log_chart_list, {96, 100, 356, 130, 0, 28, rows});
  if (cancel_key()) {
    play_sfx(sfx_back, 1);
    log_chart_list = ScrollList{};
    log_focus = log_focus_tabs;
  }
}

void input_tab_strip() {
  if (key_nav_mode) {
    menu_hint_key = log_tab;
    log_hint_on = 1;
  }
  int to = -1;
  if (grp_input.key_repeat(key_left)) to = (log_tab + log_tab_count - 1) % log_tab_count;
  if (grp_input.key_repeat(key_right)) to = (log_tab + 1) % log_tab_count;
  if (to >= 0) {
    log_tab = to;
    play_sfx(sfx_cursor, 1);
    reset_tab_bounce();
    log_hint_on = 1;
    log_chart_list = ScrollList{};
  }
  if (log_tab == log_tab_places || log_tab == log_tab_pictures) {
    set_gallery_list();
    input_scroll_list(&log_chart_list);
  }
  if (confirm_key() || grp_input.key_repeat(key_down)) {
    confirm_tab(-1);
  } else if (cancel_key()) {
    play_sfx(sfx_back, 1);
    leave_log_page();
  }
}

// ---- Drawing ---------------------------------------------------------------------------------

void draw_tab_strip() {
  for (int i = 0; i < log_tab_count; ++i)
    if (i != log_tab) draw_act(log_tab_act, std::uint16_t(i), 120 + 26 * i, 4, 0);
  // The icon hops only while the strip has the focus.
  const int y = log_focus == log_focus_tabs ? step_tab_bounce() : 4;
  draw_act(log_tab_selected_act, std::uint16_t(log_tab), 120 + 26 * log_tab, y, 0);
  if (log_hint_on) draw_hint_line(std::uint16_t(menu_hint_key + log_tab_hint_base), 60, 448);
}

void draw_missions() {
  for (int i = 0; i < 3; ++i) {
    // Only the chosen list's label has an outline of its own colour.
    const bool outlined = log_focus == log_focus_missions && i == log_sub_tab;
    font_16.set_shadow_color(text_colours[outlined ? 21 : 12]);
    draw_text_at(font_16, 115 + 130 * i, 46, sub_tab_names[i], text_colours[12], GLYPH_BOLD_OUTLINE);
    font_16.set_shadow_color(0);
  }
  const int x = 96, y = 86;
  draw_act(log_list_act, 0, x, y, 0);
  ScrollList& l = log_current_missions;
  draw_scroll_bar(&l);
  const std::vector<std::uint16_t>& list = log_missions[log_sub_tab];
  const int colour = log_sub_tab == missions_finished ? 21 : 26;
  font_20.set_clip(0, 0, 640, 395);
  int offset = 0;
  for (int shown = 0; shown < l.visible_rows; ++shown) {
    const int entry = l.top_item + shown;
    if (entry < 0 || entry >= int(list.size())) break;
    char text[512];
    if (!text_of(get_mission(list[std::size_t(entry)]), text, sizeof text)) break;
    const int last = draw_paragraph(&font_20, text, x + 10, y + 10 + offset, 10, 410, colour);
    offset += (last + 1) * 25;
    if (y + 10 + offset >= 395) break;  // the rest is below the list
  }
  if (l.visible_rows > 0) draw_select_bar(x - 10, y + 25 * l.cursor_row, 510, 32, highlight_colour);
  font_20.set_clip(0, 0, 640, 480);
}

// The kind buttons of a chart; the chosen one hops while its list has the focus.
void draw_kind_buttons(bool monsters) {
  const int count = monsters ? monster_kind_count : item_kind_count;
  const int kind = monsters ? log_monster_kind : log_item_kind;
  const bool focused = log_focus == (monsters ? log_focus_monsters : log_focus_items);
  const int x0 = monsters ? 90 : 100, step = monsters ? 26 : 40, qq0 = monsters ? 0 : 1;
  const std::uint16_t act = monsters ? monster_kind_act : item_kind_act;
  for (int k = 0; k < count; ++k)
    if (!focused || k != kind) draw_act(act, std::uint16_t(k + qq0), x0 + step * k, 35, 0);
  if (focused)
    draw_act(monsters ? monster_kind_selected_act : item_kind_selected_act, std::uint16_t(kind + qq0), x0 + step * kind,
             step_chart_bounce(), 0);
  if (!log_hint_on) draw_hint_line(std::uint16_t(menu_hint_key + (monsters ? monster_hint_base : item_hint_base)), 60, 448);
}

void draw_chart_rows(ItemNode* list, std::uint16_t kind, int x, int y) {
  log_chart_list.x = x + 265;
  log_chart_list.y = y;
  log_chart_list.row_mouse_x = x + 130;
  log_chart_list.first_row_y = y + 35;
  log_chart_list.row_height = 30;
  draw_scroll_bar(&log_chart_list);
  for (int i = 0; i < chart_rows; ++i) {
    ItemNode* n = get_item_by_tab(list, kind, 0, std::uint16_t(log_chart_list.top_item + i));
    if (!n) break;
    draw_text_at(font_20, x + 20, y + 30 + 30 * i, n->item.NAME, text_colours[20], GLYPH_PLAIN);
  }
}


// The cursor row's bar, only while the list has rows: the tab strip's focus clears it, and the
// cursor row's values still show.
void draw_chart_highlight(int x, int y) {
  if (log_chart_list.item_count > 0) draw_select_bar(x, y + 20 + 30 * log_chart_list.cursor_row, 260, 32, highlight_colour);
}

void draw_monster_values(const ItemData& m) {
  draw_fmt(font_16, 425, 245, 20, "%2d\xAF\xC5", int(m.level));  // 級
  const int cur[3] = {m.hp, m.mp, m.sp}, max[3] = {m.max_hp, m.max_mp, m.max_sp};
  for (int g = 0; g < 3; ++g) {
    draw_gauge(gauge_act, std::uint16_t(g + 1), 505, 230 + 22 * g, 84);
    draw_fmt(font_12, 505, 219 + 22 * g, 20, "%4d/%4d", cur[g], max[g]);
    draw_act(gauge_label_act, std::uint16_t(g), 495, 233 + 22 * g, 0);
  }
  struct Value {
    const char* label;
    int x, y, value;
  };
  // 攻擊:, 防禦:, 仙攻:, 仙防:, 速度:
  const Value values[5] = {{"\xA7\xF0\xC0\xBB:", 415, 285, m.stats[combat_attack]},
                           {"\xA8\xBE\xBF\x6D:", 525, 285, m.stats[combat_defence]},
                           {"\xA5\x50\xA7\xF0:", 415, 301, m.stats[combat_magic_attack]},
                           {"\xA5\x50\xA8\xBE:", 525, 301, m.stats[combat_magic_defence]},
                           {"\xB3\x74\xAB\xD7:", 415, 317, m.stats[combat_speed]}};
  for (const Value& v : values) {
    draw_fmt(font_12, v.x, v.y, 26, "%s", v.label);
    draw_fmt(font_12, v.x, v.y, 20, "     %4d", v.value);
  }
}

void draw_monster_chart() {
  draw_kind_buttons(true);
  const int x = 96, y = 70;
  renderer.set_no_cull(1);
  draw_act(chart_panel_act, 0, x, y, 0);
  draw_act(chart_panel_act, 2, 395, 215, 0);
  draw_act(info_panel_act, 0, 94, 345, 0);
  const std::uint16_t kind = log_monster_kinds[log_monster_kind];
  draw_chart_rows(&log_monsters, kind, x, y);
  if (ItemNode* n = chart_cursor_node(&log_monsters, kind)) {
    read_monster(n->object, &n->item);
    draw_monster_values(n->item);
    draw_paragraph(&font_20, n->item.HELP, 109, 350, 3, 440, 26);
    draw_log_monster_model(n->object, monster_weapon_act(n->item));
  }
  draw_chart_highlight(x, y);
  renderer.set_no_cull(0);
}

void draw_item_chart() {
  draw_kind_buttons(false);
  const int x = 100, y = 70;
  draw_act(chart_panel_act, 0, x, y, 0);
  draw_act(info_panel_act, 0, 94, 345, 0);
  const std::uint16_t kind = log_item_kinds[log_item_kind];
  draw_chart_rows(&log_items, kind, x, y);
  if (ItemNode* n = chart_cursor_node(&log_items, kind)) {
    draw_paragraph(&font_20, n->item.HELP, 109, 350, 3, 440, 26);
    show_menu_model(n->object, 450, 80);
  }
  draw_chart_highlight(x, y);
}

void draw_place_picture(std::uint16_t map, int x, int y) {
  if (menu_model.act != map || menu_model.qq != place_picture_qq) {
    menu_model = ActInstance{};
    menu_model.act = map;
    menu_model.qq = place_picture_qq;
  }
  Take_3dActData(&menu_model);
  draw_act_instance(&menu_model, x, y, 0);
}

void draw_gallery() {
  const int x = 96, y = 86;
  draw_act(log_list_act, 0, x, y, 0);
  set_gallery_list();
  log_chart_list.x = x + 495;
  log_chart_list.y = y;
  log_chart_list.row_mouse_x = x + 350;
  draw_scroll_bar(&log_chart_list);
  const int p = log_chart_list.cursor_row + log_chart_list.top_item;
  char text[512];
  if (log_tab == log_tab_places) {
    draw_fmt(font_16, x + 430, y + 20, 20, "%d/%d", p + 1, int(log_places.size()));
    const std::uint16_t map = p < int(log_places.size()) ? log_places[std::size_t(p)] : 0;
    if (map != 0 && fame_find(map, fame_type_map)) {
      draw_place_picture(map, x + 10, y + 10);
      if (read_maps_name(map, text, sizeof text)) draw_text_at(font_20, x + 10, y - 30, text, text_colours[26], GLYPH_PLAIN);
      if (text_of(get_Name(map), text, sizeof text)) draw_paragraph(&font_20, text, 109, y + 240, 4, 400, 26);
      return;
    }
  } else {
    draw_fmt(font_16, x + 440, y + 20, 20, "%d/10", p + 1);
    if (p >= 0 && p < picture_count && test_flag(flag_picture_first + p)) {
      draw_act(picture_act, std::uint16_t(p), x + 10, y + 10, 0);
      draw_text_at(font_20, x + 10, y - 30, picture_titles[p], text_colours[26], GLYPH_PLAIN);
      if (text_of(get_Name(std::uint16_t(picture_text_first + p)), text, sizeof text))
        draw_paragraph(&font_20, text, 109, y + 240, 4, 400, 26);
      return;
    }
  }
  draw_act(cursor_act_number, placeholder_qq, x + 100, y + 100, 0);
}

}  // namespace

ItemNode* chart_cursor_node(ItemNode* list, std::uint16_t kind) {
  return get_item_by_tab(list, kind, 0, std::uint16_t(log_chart_list.top_item + log_chart_list.cursor_row));
}

// ---- Lists ------------------------------------------------------------------------------------

std::uint16_t count_mission_lines(std::uint16_t n) {
  char text[512];
  if (!text_of(get_mission(n), text, sizeof text)) return 0;
  return std::uint16_t(count_paragraph_lines(text, 10, 410));
}

void collect_fame(ItemNode* list, std::uint16_t type) {
  for (std::uint16_t n = 0;; ++n) {
    const FameNode* rec = fame_find_nth(type, n);
    if (!rec) break;
    add_item(list, rec->id, 1, 2);
    if (n == 0xFFFF) break;
  }
}

void build_mission_lists() {
  for (auto& l : log_missions) l.clear();
  log_history_lines = 0;
  for (int n = 0; n < mission_count; ++n) {
    const bool accepted = test_flag(flag_mission_accepted_first + n);
    const bool finished = test_flag(flag_mission_finished_first + n);
    if (accepted && !finished) log_missions[missions_unfinished].push_back(std::uint16_t(flag_mission_accepted_first + n));
    if (finished) log_missions[missions_finished].push_back(std::uint16_t(flag_mission_accepted_first + n));
  }
  for (int h = 0; h < history_count; ++h) {
    if (!test_flag(flag_history_first + h)) continue;
    log_missions[missions_history].push_back(std::uint16_t(flag_history_first + h));
    log_history_lines += count_mission_lines(std::uint16_t(flag_history_first + h));
  }
  // The history scrolls by entries, as its top row and its drawing count them; its lines only
  // decide how far down each entry starts.
  for (int k = 0; k < 3; ++k) log_mission_lists[k] = mission_scroll(int(log_missions[k].size()));
  log_current_missions = log_mission_lists[missions_unfinished];
}

void choose_monster_kind(int kind) {
  if (kind < 0 || kind >= monster_kind_count || kind == log_monster_kind) return;
  log_monster_kind = kind;
  set_chart_list(count_item_type(&log_monsters, log_monster_kinds[kind]), chart_rows, 1, 202);
  play_sfx(sfx_tab, 1);
  reset_chart_bounce();
  FreePolyMemory(255);
}

void choose_item_kind(int kind) {
  if (kind < 0 || kind >= item_kind_count || kind == log_item_kind) return;
  log_item_kind = kind;
  set_chart_list(count_item_type(&log_items, log_item_kinds[kind]), chart_rows, 1, 202);
  play_sfx(sfx_tab, 1);
  reset_chart_bounce();
}

void choose_mission_list(int k) {
  if (k < 0 || k > 2) return;
  log_sub_tab = k;
  log_current_missions = log_mission_lists[k];
}

// ---- The page ---------------------------------------------------------------------------------

void enter_log_page() {
  reset_tab_bounce();
  log_tab = log_tab_missions;
  log_focus = log_focus_tabs;
  log_sub_tab = missions_unfinished;
  log_monster_kind = log_item_kind = 0;
  log_hint_on = 0;
  log_chart_list = ScrollList{};
  build_mission_lists();
  free_item_list(&log_monsters);
  free_item_list(&log_items);
  collect_fame(&log_monsters, fame_type_monster);
  collect_fame(&log_items, fame_type_object);
  sort_item_list(&log_monsters);
  sort_item_list(&log_items);
  // As many places as the map database lists.
  const int places = std::max(0, count_maps_place());
  log_places.clear();
  for (int n = 0; n < places; ++n) log_places.push_back(read_maps_place(n));
  set_menu_camera(-190, -30, 0, 5, 0, 0, 1100);
}

void leave_log_page() {
  free_item_list(&log_monsters);
  free_item_list(&log_items);
  log_tab = log_tab_missions;
  log_focus = log_focus_tabs;
  menu_page = menu_page_bar;
}

void input_log_page() {
  renew_key_nav_mode();
  if (!key_nav_mode) input_mouse();
  switch (log_focus) {
    case log_focus_missions: input_missions(); break;
    case log_focus_monsters: input_chart(true); break;
    case log_focus_items: input_chart(false); break;
    default: input_tab_strip(); break;
  }
}

void draw_log_page(int, int) {
  draw_tab_strip();
  switch (log_tab) {
    case log_tab_missions: draw_missions(); break;
    case log_tab_monsters: draw_monster_chart(); break;
    case log_tab_items: draw_item_chart(); break;
    default: draw_gallery(); break;
  }
}

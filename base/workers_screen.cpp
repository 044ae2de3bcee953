// The workshop workers page.
#include "base/workers_screen.h"

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
#include "base/residents.h"
#include "core/game_flags.h"
#include "core/grp_input.h"
#include "core/key_mapping.h"
#include "core/text_colours.h"
#include "data/item_data.h"
#include "data/maps_lookups.h"
#include "data/object_db.h"
#include "g3d/renderer.h"
#include "gfx2d/game_fonts.h"
#include "gfx2d/glyph_font.h"
#include "sound/sfx_bank.h"
#include "ui/cursor.h"
#include "ui/monster_model.h"
#include "ui/text_draw.h"
#include "ui/window_frame.h"

int worker_substate = workers_choose;
int idle_count = 0;
int residents_top = 0;
int residents_row = 0;
int worker_slot = 1;
int skill_preview[4] = {};

namespace {

constexpr int idle_x = 27, idle_y = 42, card_x = 260, card_y = 42;
constexpr int idle_rows = 12;
ActInstance worker_models[5];  // one per worker card
ActInstance idle_model;
const char* const skill_names[4] = {"\xA7\x4D\xAA\xF7", "\xBE\xE3\xB3\xC6", "\xBB\x73\xC3\xC4",
                                    "\xAF\xAB\xA7\xDE"};  // 冶金 整備 製藥 神技

// The monster in the workshop's card slot (0-based) when its record reads.
bool worker_record(const HouseRecord* w, int slot, ItemData* d) {
  return w && slot >= 0 && slot < std::min(w->capacity, house_slot_count) && w->residents[slot].monster &&
         read_Item(w->residents[slot].monster, d) == 1;
}

// The n-th idle resident's record (n from 1).
bool idle_record(int n, ItemData* d) {
  const HouseRecord* home = n > 0 ? nth_idle_resident(n) : nullptr;
  return home && read_monster(home->residents[selected_slot].monster, d) != nullptr;
}

int highlighted_idle() { return residents_top + residents_row; }

void back_to_commands() {
  open_houses_on(selected_house_id);
  houses_state = houses_commands;
  residents_row = 0;
  worker_slot = 1;
  base_tooltip[0] = 0;
  play_sfx(sfx_base_box_leave, 0);
}

void start_removing(const HouseRecord* w) {
  if (!w || w->resident_count <= 0) return;
  residents_row = 0;
  worker_substate = workers_remove;
  play_sfx(sfx_base_open, 0);
}

ListScroll idle_list() {
  return {&residents_row, &residents_top, idle_count, idle_rows, idle_x, idle_y, true, 352};
}

bool hud_button() {
  const int b = top_bar_button_at(mouse_x, mouse_y);
  if (!b || b == top_menu_page) return false;
  click_top_bar(mouse_x, mouse_y);
  residents_row = 1;
  residents_state = 0;
  return true;
}

void input_choose(HouseRecord* w) {
  if (panels_settled == 1 && start_base_tutorial(flag_tutorial_workers)) {
    cursor_act.qq = base_cursor_busy;
    return;
  }
  const int visible = std::min(idle_count - residents_top, idle_rows);
  if (!mouse_keyboard_lock && mouse_x > idle_x + 20 && mouse_x < idle_x + 180)
    for (int r = -1; r < visible; ++r)
      if (mouse_y > idle_y + 75 + 25 * r && mouse_y < idle_y + 100 + 25 * r && residents_row != r + 1) {
        residents_row = r + 1;
        play_sfx(sfx_base_cursor, 0);
      }
  if (cancel_pressed()) {
    back_to_commands();
    return;
  }
  if (grp_input.key_repeat(key_mouse1)) {
    if (hud_button()) return;
    const bool exit_row = mouse_x > idle_x + 20 && mouse_x < idle_x + 180 && mouse_y > idle_y + 50 && mouse_y < idle_y + 75;
    const bool on_cards = mouse_x > idle_x + 253 && mouse_x < idle_x + 596 && mouse_y > idle_y + 58 && mouse_y < idle_y + 216;
    if ((exit_row && residents_row == 0) || on_cards) {
      start_removing(w);
      return;
    }
  }
  if (confirm_pressed() && residents_row == 0) {
    start_removing(w);
    return;
  }
  if (!idle_count) return;
  list_keys(idle_list());
  if (confirm_pressed() && residents_row > 0) {
    take_idle_resident(w);
    return;
  }
  if (grp_input.key_repeat(key_mouse1)) {
    if (click_scroll(idle_list(), mouse_x, mouse_y)) return;
    if (mouse_x > idle_x + 20 && mouse_x < idle_x + 180 && residents_row > 0)
      for (int i = 0; i < visible; ++i)
        if (mouse_y > idle_y + 75 + 25 * i && mouse_y < idle_y + 100 + 25 * i) {
          take_idle_resident(w);
          return;
        }
  }
}

// The card under the mouse (0-based), or -1.
int card_at(const HouseRecord* w) {
  if (mouse_y <= card_y + 58 || mouse_y >= card_y + 188) return -1;
  for (int i = 0; i < (w ? w->resident_count : 0); ++i)
    if (mouse_x > card_x + 25 + 65 * i && mouse_x < card_x + 85 + 65 * i) return i;
  return -1;
}

void input_cards(HouseRecord* w) {
  const int card = card_at(w);
  if (!mouse_keyboard_lock && card >= 0 && worker_slot != card + 1) {
    worker_slot = card + 1;
    play_sfx(sfx_base_cursor, 0);
  }
  if (cancel_pressed()) {
    const bool removing = worker_substate == workers_remove;
    worker_substate = workers_choose;
    base_tooltip[0] = 0;
    play_sfx(removing ? sfx_base_cursor : sfx_base_back, 0);
    return;
  }
  if (grp_input.key_repeat(key_up) || grp_input.key_repeat(key_down)) mouse_keyboard_lock = 1;
  const int workers = w ? w->resident_count : 0;
  if (grp_input.key_repeat(key_right)) {
    worker_slot = std::max(1, std::min(worker_slot + 1, workers));
    mouse_keyboard_lock = 1;
    play_sfx(sfx_base_cursor, 0);
  }
  if (grp_input.key_repeat(key_left)) {
    worker_slot = std::max(1, worker_slot - 1);
    mouse_keyboard_lock = 1;
    play_sfx(sfx_base_cursor, 0);
  }
  if (confirm_pressed() || (grp_input.key_repeat(key_mouse1) && card >= 0)) {
    if (worker_substate == workers_remove) remove_highlighted_worker(w);
    else exchange_highlighted_worker(w);
  }
}

void draw_data_card(const ItemData& d, const char* heading, int x, int y) {
  char text[48];
  draw_bold(base_font_16, x + 55, y + 235, heading, 17);
  std::snprintf(text, sizeof text, "%s", d.NAME);
  draw_bold(base_font_16, x + 80, y + 268, text, 18);
  std::snprintf(text, sizeof text, "%2d", int(d.level));
  draw_bold(base_font_16, x + 40, y + 298, text, 16);
  draw_bold(base_font_16, x + 70, y + 298, "\xAF\xC5", 15);  // 級
  draw_type_badge(d.kind, x + 120, y + 290);
  if (read_maps_type_name(d.kind, text, sizeof text)) draw_bold(base_font_16, x + 150, y + 298, text, 15);
  for (int k = 0; k < 4; ++k) {
    const int lx = x + 50 + 60 * (k % 2), ly = y + 338 + 20 * (k / 2);
    draw_bold(base_font_12, lx, ly, skill_names[k], 17);
    std::snprintf(text, sizeof text, "%2d", int(d.skill_need[k]));
    draw_bold(base_font_12, lx + 30, ly, text, 16);
  }
}

// Worker card i's monster stands in the scene behind its card, the row bending back.
void draw_worker_model(int i, std::uint16_t monster) {
  if (i >= int(std::size(worker_models))) return;
  const float f = i == 2 ? 1.2f * float(i) : i == 3 ? 1.1f * float(i) : float(i);
  const int r = i <= 2 ? i : i % 2;
  const MonsterModelPlace place{5550 + 310 * f, float(1100 - 100 * r), float(2500 + 650 * r), float(-3 * i), 3, false};
  draw_monster_model(&worker_models[i], monster, base_model_qq, place, 0);
}

void draw_worker_cards(HouseRecord* w) {
  sum_workshop_skills(w);
  update_skill_preview(w);
  char text[32];
  for (int i = 0; w && i < std::min(w->capacity, house_slot_count); ++i) {
    ItemData d{};
    if (!worker_record(w, i, &d)) continue;
    draw_worker_model(i, d.object_id);
    base_font_12.set_advance(12);
    draw_text_at(base_font_12, card_x + 20 + 70 * i, card_y + 193, d.NAME, text_colours[18], GLYPH_BOLD_OUTLINE);
    base_font_12.set_advance(14);
    if (i == worker_slot - 1 && worker_substate != workers_choose)
      draw_data_card(d, "\xA4\x75\xA7\x40\xA9\x7E\xA5\xC1\xB8\xEA\xAE\xC6", card_x, card_y);  // 工作居民資料
  }
  for (int k = 0; k < 4; ++k) {
    draw_bold(base_font_12, card_x + 30 + 80 * k, card_y + 18, skill_names[k], 17);
    std::snprintf(text, sizeof text, "%3d", w ? w->skill_totals[k] : 0);
    draw_bold(base_font_12, card_x + 60 + 80 * k, card_y + 18, text, 15);
  }
  const int workers = w ? w->resident_count : 0;
  const bool shown = (worker_substate == workers_choose && residents_row && w && workers < w->capacity && idle_count) ||
                     (worker_substate != workers_choose && workers);
  for (int k = 0; shown && k < 4; ++k) {
    const int total = w->skill_totals[k];
    if (skill_preview[k] != total)
      draw_base_sprite(base_icon_act, skill_preview[k] > total ? 35 : 36, card_x + 35 + 80 * k, card_y + 30);
    std::snprintf(text, sizeof text, "%3d", skill_preview[k]);
    draw_text_at(base_font_12, card_x + 62 + 80 * k, card_y + 40, text, text_colours[15], GLYPH_PLAIN);
    draw_text_at(base_font_12, card_x + 61 + 80 * k, card_y + 40, text, text_colours[22], GLYPH_PLAIN);
    draw_text_at(base_font_12, card_x + 60 + 80 * k, card_y + 40, text, text_colours[22], GLYPH_PLAIN);
  }
}

void draw_idle_residents() {
  count_idle_residents();
  char text[48];
  const int end = std::min(idle_count, residents_top + idle_rows);
  for (int n = residents_top + 1; n <= end; ++n) {
    ItemData d{};
    if (!idle_record(n, &d)) continue;
    std::snprintf(text, sizeof text, "%-8s", d.NAME);
    draw_bold(base_font_16, idle_x + 33, idle_y + 83 + 25 * (n - 1 - residents_top), text, 18);
    if (n == highlighted_idle() && residents_row > 0 && worker_substate == workers_choose) {
      draw_monster_model(&idle_model, d.object_id, base_model_qq, {6500, 550, 1800, -20, 3, false}, 0);
      draw_data_card(d, "\xB6\xA2\xB8\x6D\xA9\x7E\xA5\xC1\xB8\xEA\xAE\xC6", card_x, card_y);  // 閒置居民資料
    }
  }
}

}  // namespace

void sum_workshop_skills(HouseRecord* w) {
  if (!w) return;
  for (std::int32_t& t : w->skill_totals) t = 0;
  for (int i = 0; i < std::min(w->capacity, house_slot_count); ++i) {
    ItemData d{};
    if (!worker_record(w, i, &d)) continue;
    for (int k = 0; k < 4; ++k) w->skill_totals[k] += d.skill_need[k];
  }
}

int count_idle_residents() {
  int capacity = 0, residents = 0, idle = 0;
  population_count(&capacity, &residents, &idle);
  return idle_count = idle;
}

void update_skill_preview(const HouseRecord* w) {
  for (int k = 0; k < 4; ++k) skill_preview[k] = w ? w->skill_totals[k] : 0;
  ItemData d{};
  if (worker_substate != workers_remove && idle_count && residents_row && idle_record(highlighted_idle(), &d))
    for (int k = 0; k < 4; ++k) skill_preview[k] += d.skill_need[k];
  if (worker_substate != workers_choose && worker_record(w, worker_slot - 1, &d))
    for (int k = 0; k < 4; ++k) skill_preview[k] -= d.skill_need[k];
}

void take_idle_resident(HouseRecord* w) {
  HouseRecord* home = nth_idle_resident(highlighted_idle());
  if (!w || !home) {
    play_sfx(sfx_base_refused, 0);
    return;
  }
  if (w->resident_count < w->capacity) {
    assign_worker(w, home, selected_slot);
    if (idle_count - residents_top < idle_rows + 1) residents_top = std::max(0, residents_top - 1);
    residents_row = 0;
  } else {
    worker_substate = workers_exchange;
  }
  play_sfx(sfx_base_open, 0);
}

void remove_highlighted_worker(HouseRecord* w) {
  if (!w) {
    play_sfx(sfx_base_refused, 0);
    return;
  }
  if (release_worker(w, worker_slot)) compact_slots(w);
  worker_slot = std::max(1, worker_slot - 1);
  if (w->resident_count <= 0) worker_substate = workers_choose;
  play_sfx(sfx_base_open, 0);
}

void exchange_highlighted_worker(HouseRecord* w) {
  // The newcomer is found before the worker leaves: a stale row changes nothing.
  HouseRecord* home = nth_idle_resident(highlighted_idle());
  const int slot = selected_slot;
  if (!w || !home || worker_slot < 1 || worker_slot > w->resident_count) {
    play_sfx(sfx_base_refused, 0);
    return;
  }
  if (!release_worker(w, worker_slot)) {
    std::snprintf(base_tooltip, sizeof base_tooltip, "%s",
                  "\xA5\xE6\xB4\xAB\xA9\xC7\xAA\xAB\xB5\x6F\xA5\xCD\xBF\xF9\xBB\x7E");  // 交換怪物發生錯誤
    play_sfx(sfx_base_refused, 0);
    return;
  }
  assign_worker(w, home, slot);
  worker_substate = workers_choose;
  worker_slot = 1;
  play_sfx(sfx_base_open, 0);
}

void reset_idle_list() {
  residents_row = 0;
  residents_top = 0;
}

void input_workers_screen() {
  HouseRecord* w = find_house(selected_house_id);
  arbitrate_mouse();
  if (worker_substate == workers_choose) input_choose(w);
  else input_cards(w);
}

void draw_workers_screen() {
  HouseRecord* w = find_house(selected_house_id);
  draw_base_sprite(base_panel_act, 11, idle_x, idle_y);
  draw_base_sprite(base_panel_act, 22, card_x, card_y);
  draw_base_sprite(base_panel_act, 5, idle_x + 188, idle_y + 58);
  if (idle_count > idle_rows)
    renderer.draw_rect(idle_x + 194, idle_y + 88 + residents_top * 260 / idle_count, 11, 3120 / idle_count, 0x969B5F23, 2);
  else if (idle_count)
    renderer.draw_rect(idle_x + 194, idle_y + 88, 11, 260, 0x969B5F23, 2);
  draw_text_at(base_font_16, idle_x + 50, idle_y + 21, "\xB6\xA2\xB8\x6D\xA9\x7E\xA5\xC1\xB2\x4D\xB3\xE6",  // 閒置居民清單
               text_colours[20], GLYPH_BOLD_OUTLINE);
  const int workers = w ? w->resident_count : 0;
  const bool lit = workers && residents_row == 0;
  base_font_12.set_shadow_color(text_colours[lit ? 25 : 23]);
  draw_text_at(base_font_12, idle_x + 33, idle_y + 58, "\xB0\x68\xA5\x58\xB0\x74\xB8\x6D", text_colours[lit ? 24 : 0],  // 退出配置
               GLYPH_BOLD_OUTLINE);
  base_font_12.set_shadow_color(0);
  if (worker_substate != workers_remove && (idle_count || workers) && residents_row)
    draw_select_bar(idle_x + 20, idle_y + 75 + 25 * (residents_row - 1), 160, 25, 0x78FFFFFF);
  if (worker_substate != workers_choose && workers)
    draw_select_frame(card_x + 45 + 68 * (worker_slot - 1), card_y + 118, 60, 130);
  draw_worker_cards(w);
  draw_idle_residents();
}

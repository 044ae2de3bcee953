// The formation screen.
#include "base/formation_screen.h"

#include <algorithm>
#include <cstdio>

#include "base/base_camp.h"
#include "base/base_numbers.h"
#include "base/base_pages.h"
#include "base/base_top_menu.h"
#include "base/escort.h"
#include "base/house_kinds.h"
#include "base/houses.h"
#include "base/houses_screen.h"
#include "base/list_scroll.h"
#include "base/monster_card.h"
#include "base/residents.h"
#include "core/flags.h"
#include "core/game_flags.h"
#include "core/grp_input.h"
#include "core/key_mapping.h"
#include "core/text_colours.h"
#include "data/battle_fields.h"
#include "data/item_data.h"
#include "data/object_db.h"
#include "g3d/renderer.h"
#include "gfx2d/game_fonts.h"
#include "gfx2d/glyph_font.h"
#include "sound/sfx_bank.h"
#include "ui/monster_model.h"
#include "ui/talk_msg.h"
#include "ui/text_draw.h"
#include "ui/window_frame.h"

int formation_row = 0, formation_card_toggle = 0;
int formation_state = formation_choose;
int formation_top = 0, formation_count = 0, formation_cursor = 1;
int formation_slot = 0;
unsigned short formation_candidate = 0;

namespace {

constexpr int list_x = 27, list_y = 42, panel_x = 260, panel_y = 42;
constexpr int page_rows = 12;
constexpr int member_slots = 5;
constexpr std::uint16_t armed_member = 170;  // the one member drawn with its weapon

ActInstance member_models[member_slots];
ActInstance candidate_model;

// Position boxes 1-5 from the position panel (exclusive bounds) and their highlight frames.
struct PositionBox {
  int x0, x1, y0, y1, frame_x, frame_y;
};
constexpr PositionBox position_boxes[6] = {
    {}, {145, 232, 91, 181, 184, 129}, {235, 322, 8, 98, 291, 48}, {235, 322, 168, 258, 291, 206},
    {55, 142, 168, 258, 79, 206}, {55, 142, 8, 98, 79, 50},
};

int members_of(const HouseRecord* f) { return f ? f->resident_count : 0; }
int slots_of(const HouseRecord* f) { return std::min({f->capacity, member_slots, house_slot_count}); }

// The slot of the member at the position, or -1.
int member_at(const HouseRecord* f, int position) {
  for (int i = 0; f && i < slots_of(f); ++i)
    if (f->residents[i].monster && formation_position(f, i) == position) return i;
  return -1;
}

void back_to_choosing(int sound) {
  formation_row = 0;
  formation_state = formation_choose;
  play_sfx(sound, 0);
}

void refuse(const char* text) {
  add_txt_msg(224, 176, 264, 64, 0, 0, text, 2);
  back_to_choosing(sfx_base_refused);
}

ListScroll candidate_list() {
  return {&formation_row, &formation_top, formation_count, page_rows, list_x, list_y, true};
}

void start_withdrawing(HouseRecord* f) {
  if (!members_of(f)) {
    play_sfx(sfx_base_refused, 0);
    return;
  }
  formation_state = formation_withdraw;
  formation_cursor = std::max(1, next_free_position(f) - 1);
  play_sfx(sfx_base_open, 0);
}

void choose_row(HouseRecord* f) {
  if (formation_row == 0) {
    start_withdrawing(f);
    return;
  }
  formation_state = formation_place;
  formation_cursor = std::max(1, next_free_position(f));
  play_sfx(sfx_base_open, 0);
}

bool on_row(int r) {
  return mouse_x > list_x + 20 && mouse_x < list_x + 180 && mouse_y > list_y + 75 + 25 * r &&
         mouse_y < list_y + 100 + 25 * r;
}

void input_choose(HouseRecord* f) {
  const int visible = std::min(page_rows, formation_count - formation_top);
  if (!mouse_keyboard_lock)
    for (int r = -1; r < visible; ++r)
      if (on_row(r) && formation_row != r + 1) {
        formation_row = r + 1;
        play_sfx(sfx_base_cursor, 0);
      }
  if (cancel_pressed()) {
    open_houses_on(picked_house_id);
    formation_row = 0;
    play_sfx(sfx_base_box_leave, 0);
    return;
  }
  const bool click = grp_input.key_repeat(key_mouse1);
  if (click) {
    if (top_bar_button_at(mouse_x, mouse_y) && top_bar_button_at(mouse_x, mouse_y) != top_menu_page) {
      click_top_bar(mouse_x, mouse_y);
      formation_row = 1;
      return;
    }
    if (on_row(-1) && formation_row == 0) {
      start_withdrawing(f);
      return;
    }
  }
  if (!formation_count) return;
  if (click) {
    for (int r = -1; r < visible; ++r)
      if (on_row(r)) {
        choose_row(f);
        return;
      }
    if (click_scroll(candidate_list(), mouse_x, mouse_y)) return;
  }
  if (confirm_pressed()) {
    choose_row(f);
    return;
  }
  list_keys(candidate_list());
}

// The position box under the mouse (1-5), 0 none; positions 2-5 only with min_members.
int position_at(const HouseRecord* f, int min_members) {
  for (int p = 1; p <= 5; ++p) {
    const PositionBox& b = position_boxes[p];
    if (p > 1 && members_of(f) < min_members) break;
    if (mouse_x > panel_x + b.x0 && mouse_x < panel_x + b.x1 && mouse_y > panel_y + b.y0 && mouse_y < panel_y + b.y1)
      return p;
  }
  return 0;
}

void input_positions(HouseRecord* f) {
  const bool withdrawing = formation_state == formation_withdraw;
  const int min_members = withdrawing ? 2 : 1;
  const int p = mouse_keyboard_lock ? 0 : position_at(f, min_members);
  if (p && p != formation_cursor) {
    formation_cursor = p;
    play_sfx(sfx_base_cursor, 0);
  }
  if (withdrawing && test_flag(flag_developer_keys) && grp_input.key_press(KeyCode(key_v))) {
    formation_card_toggle = !formation_card_toggle;
    play_sfx(sfx_base_switch, 0);
  }
  if (cancel_pressed()) {
    back_to_choosing(sfx_base_back);
    return;
  }
  const bool single = members_of(f) < min_members;
  const int step = grp_input.key_repeat(key_left) || grp_input.key_repeat(key_down)   ? -1
                   : grp_input.key_repeat(key_right) || grp_input.key_repeat(key_up) ? 1
                                                                                      : 0;
  if (step) {
    formation_cursor = single ? 1 : (formation_cursor - 1 + step + 5) % 5 + 1;
    mouse_keyboard_lock = 1;
    play_sfx(sfx_base_cursor, 0);
  }
  const bool in_panel = mouse_x > panel_x + 55 && mouse_x < panel_x + 322 && mouse_y > panel_y + 8 && mouse_y < panel_y + 258;
  if (confirm_pressed() || (grp_input.key_repeat(key_mouse1) && in_panel)) {
    if (withdrawing) withdraw_formation_member(f);
    else place_formation_candidate(f);
  }
}

void draw_value_rows(const int values[formation_values], int colour) {
  static const int at[formation_values][2] = {{84, 296}, {84, 311}, {240, 296}, {84, 331},
                                              {84, 346}, {84, 361}, {240, 331}, {240, 346}};
  char text[16];
  for (int i = 0; i < formation_values; ++i) {
    std::snprintf(text, sizeof text, "%d", values[i]);
    draw_bold(base_font_12, panel_x + at[i][0], panel_y + at[i][1], text, colour);
  }
}

void draw_guard_card(const HouseRecord* f) {
  draw_text_at(base_font_16, panel_x + 44, panel_y + 268, "\xA5\x44\xC5\x40\xBE\x72", text_colours[20],  // 主護駕
               GLYPH_BOLD_OUTLINE);
  ItemData guard{};
  if (f && f->residents[0].monster && read_Item(f->residents[0].monster, &guard) == 1)
    draw_bold(base_font_16, panel_x + 108, panel_y + 268, guard.NAME, 18);
  draw_base_sprite(9081, 0, panel_x + 44, panel_y + 289);
  draw_base_sprite(9081, 1, panel_x + 44, panel_y + 304);
  draw_base_sprite(9081, 2, panel_x + 200, panel_y + 289);
  static const int label_at[5][2] = {{44, 331}, {44, 346}, {44, 361}, {200, 331}, {200, 346}};
  for (int i = 0; i < 5; ++i) draw_bold(base_font_14, panel_x + label_at[i][0], panel_y + label_at[i][1], combat_labels[i], 23);
  for (int r = 0; f && r < escort_count; ++r) {
    if (escort_scratch[r].house_id != f->id) continue;
    int values[formation_values];
    formation_card_values(escort_data[r], values);
    draw_value_rows(values, 16);
  }
}

// Every member stands in the scene at its position.
void draw_member_models(const HouseRecord* f) {
  static const float at[member_slots + 1][3] = {
      {}, {6200, 1150, 2500}, {6650, 1550, 2500}, {6700, 800, 2500}, {5700, 800, 2500}, {5700, 1550, 2500}};
  for (int position = 1; position <= member_slots; ++position) {
    const int slot = member_at(f, position);
    ItemData d{};
    if (slot < 0 || read_Item(f->residents[slot].monster, &d) != 1) continue;
    const std::uint16_t weapon = d.object_id == armed_member ? monster_weapon_act(d) : 0;
    draw_monster_model(&member_models[position - 1], d.object_id, base_model_qq,
                       {at[position][0], at[position][1], at[position][2], -5, 3, false}, weapon);
  }
}

// The monster's card with its frame at (x, y).
void draw_formation_card(std::uint16_t monster, int x, int y) {
  ItemData d{};
  if (!monster || !read_monster(monster, &d)) return;
  draw_base_sprite(base_panel_act, 17, x, y);
  draw_monster_card(d, x, y, detail_card_layout);
}

void draw_candidates() {
  count_formation_candidates();
  char text[48];
  for (int n = formation_top + 1; n <= std::min(formation_count, formation_top + page_rows); ++n) {
    const HouseRecord* home = nth_formation_candidate(n);
    ItemData d{};
    if (!home || !read_Item(home->residents[formation_slot].monster, &d)) continue;
    std::snprintf(text, sizeof text, "%-8s", d.NAME);
    draw_bold(base_font_16, list_x + 33, list_y + 83 + 25 * (n - 1 - formation_top), text, 18);
    if (formation_state == formation_choose && n == formation_top + formation_row) formation_candidate = d.object_id;
  }
}

}  // namespace

HouseRecord* nth_formation_candidate(int n) {
  for (const auto& h : house_list) {
    if (!is_dwelling_kind(h->kind)) continue;
    for (int i = 0; i < std::min(h->capacity, house_slot_count); ++i) {
      const ResidentSlot& s = h->residents[i];
      if (!s.monster || s.link || s.monster == never_a_guard || --n != 0) continue;
      formation_slot = i;
      return h.get();
    }
  }
  return nullptr;
}

int count_formation_candidates() {
  int n = 0;
  while (nth_formation_candidate(n + 1)) ++n;
  return formation_count = n;
}

int next_free_position(HouseRecord* f) {
  const int members = members_of(f);
  if (!f || f->id != picked_house_id) return members;
  int held[6] = {};
  for (int i = 0; i < slots_of(f); ++i)
    if (f->residents[i].monster) {
      const int p = formation_position(f, i);
      if (p >= 1 && p <= 5 && held[p]++) return members;  // two members on one position
    }
  for (int p = 1; p <= std::min(f->capacity, 5); ++p)
    if (!held[p]) return p;
  return members;
}

void add_formation_member(HouseRecord* f, int position, HouseRecord* d, int slot) {
  if (!f || !d || slot < 0 || slot >= std::min(d->capacity, house_slot_count)) return;
  for (int i = 0; i < slots_of(f); ++i) {
    if (f->residents[i].monster) continue;
    d->residents[slot].link = std::int8_t(f->id);
    f->residents[i].monster = d->residents[slot].monster;
    f->residents[i].link = std::int8_t(d->id);
    set_formation_position(f, i, position);
    ++f->resident_count;
    return;
  }
}

void withdraw_formation_member(HouseRecord* f) {
  const int slot = member_at(f, formation_cursor);
  if (slot >= 0 && release_worker(f, slot + 1) == 1) {
    if (f->resident_count > 1 && f->residents[0].monster) {
      compact_slots(f);
    } else {
      promote_reserve(f);
      formation_cursor = 1;
    }
  }
  back_to_choosing(sfx_base_open);
}

void place_formation_candidate(HouseRecord* f) {
  HouseRecord* home = nth_formation_candidate(formation_row + formation_top);
  const int slot = formation_slot;
  if (!f || !home) {  // the row names no candidate any more
    back_to_choosing(sfx_base_refused);
    return;
  }
  const int member = member_at(f, formation_cursor);
  if (member < 0) {
    if (f->resident_count >= slots_of(f)) {
      refuse("\xB6\x57\xB9\x4C\xA5\xD8\xAB\x65\xAE\x65\xAF\xC7\xAD\xC8!!%Q");  // 超過目前容納值!!%Q
      return;
    }
  } else if (release_worker(f, member + 1) != 1) {
    refuse("\xA5\xE6\xB4\xAB\xA9\xC7\xAA\xAB\xB5\x6F\xA5\xCD\xBF\xF9\xBB\x7E!!%Q");  // 交換怪物發生錯誤!!%Q
    return;
  }
  add_formation_member(f, formation_cursor, home, slot);
  back_to_choosing(sfx_base_open);
}

void formation_card_values(const ItemData& e, int out[formation_values]) {
  const int values[formation_values] = {e.max_hp, e.max_mp, e.max_sp, e.stats[combat_attack], e.stats[combat_defence],
                                        e.stats[combat_ave], e.stats[combat_magic_attack], e.stats[combat_magic_defence]};
  std::copy(std::begin(values), std::end(values), out);
}

void formation_preview(const ItemData& escort, const ItemData* in, const ItemData* out_member, int d, bool promoted,
                       int out[formation_values]) {
  formation_card_values(escort, out);
  int incoming[formation_values] = {}, outgoing[formation_values] = {};
  if (in) formation_card_values(*in, incoming);
  if (out_member) formation_card_values(*out_member, outgoing);
  // A monster's own speed is its speed byte, not its hit word.
  incoming[5] = in ? item_speed_value(*in) : 0;
  outgoing[5] = out_member ? item_speed_value(*out_member) : 0;
  for (int i = 0; i < formation_values; ++i) {
    if (i == 5) continue;
    out[i] += incoming[i] / d - outgoing[i] / d;
    if (promoted) out[i] -= incoming[i] / 4;
  }
  out[5] = std::uint8_t(out[5] + incoming[5] - outgoing[5]);
}

void reset_formation_selection() { formation_row = formation_card_toggle = 0; }

void input_formation_screen() {
  HouseRecord* f = find_house(picked_house_id);
  arbitrate_mouse();
  if (formation_state == formation_choose) input_choose(f);
  else input_positions(f);
}

void draw_formation_screen() {
  const HouseRecord* f = find_house(picked_house_id);
  draw_base_sprite(base_panel_act, 11, list_x, list_y);
  draw_base_sprite(base_panel_act, 24, panel_x, panel_y);
  draw_base_sprite(base_panel_act, 5, list_x + 188, list_y + 58);
  if (formation_count > page_rows)
    renderer.draw_rect(list_x + 194, list_y + 88 + formation_top * 260 / formation_count, 11, 12 * 260 / formation_count,
                       0x969B5F23, 2);
  else if (formation_count)
    renderer.draw_rect(list_x + 194, list_y + 88, 11, 260, 0x969B5F23, 2);
  draw_text_at(base_font_16, list_x + 50, list_y + 21, "\xB6\xA2\xB8\x6D\xA9\x7E\xA5\xC1\xB2\x4D\xB3\xE6",  // 閒置居民清單
               text_colours[20], GLYPH_BOLD_OUTLINE);
  const bool lit = members_of(f) && formation_row == 0;
  base_font_12.set_shadow_color(text_colours[lit ? 25 : 23]);
  draw_text_at(base_font_12, list_x + 33, list_y + 58, "\xB0\x68\xA5\x58\xB0\x74\xB8\x6D", text_colours[lit ? 24 : 0],  // 退出配置
               GLYPH_BOLD_OUTLINE);
  base_font_12.set_shadow_color(0);
  if ((formation_count || members_of(f)) && formation_row >= 1)
    draw_select_bar(list_x + 20, list_y + 50 + 25 * formation_row, 160, 25, 0x78FFFFFF);
  draw_guard_card(f);
  draw_member_models(f);
  draw_candidates();
  if (formation_state == formation_choose && formation_row >= 1 && formation_candidate) {
    draw_formation_card(formation_candidate, panel_x, panel_y);
    draw_monster_model(&candidate_model, formation_candidate, base_model_qq, {6000, 700, 1800, -15, 4, false}, 0);
  } else if (formation_state != formation_choose && formation_card_toggle) {
    const int slot = member_at(f, formation_cursor);
    if (slot >= 0) draw_formation_card(f->residents[slot].monster, list_x - 10, list_y);
  }
  if (formation_state != formation_choose && formation_cursor >= 1 && formation_cursor <= 5) {
    const PositionBox& b = position_boxes[formation_cursor];
    draw_select_frame(panel_x + b.frame_x, panel_y + b.frame_y, 87, 90);
  }
}

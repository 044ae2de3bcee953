// The residents page.
#include "base/residents_screen.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "base/base_camp.h"
#include "base/base_numbers.h"
#include "base/base_pages.h"
#include "base/base_top_menu.h"
#include "base/debug_dialogs.h"
#include "base/exiles.h"
#include "base/house_kinds.h"
#include "base/houses.h"
#include "base/list_scroll.h"
#include "base/monster_card.h"
#include "base/residents.h"
#include "base/workers_screen.h"
#include "base/yes_no_box.h"
#include "core/flags.h"
#include "core/game_flags.h"
#include "core/grp_input.h"
#include "core/key_mapping.h"
#include "core/random_r250.h"
#include "core/text_colours.h"
#include "data/item_data.h"
#include "data/object_db.h"
#include "g3d/renderer.h"
#include "gfx2d/game_fonts.h"
#include "gfx2d/glyph_font.h"
#include "sound/sfx_bank.h"
#include "ui/cursor.h"
#include "ui/monster_model.h"
#include "ui/paragraph.h"
#include "ui/talk_msg.h"
#include "ui/text_draw.h"
#include "ui/window_frame.h"

int residents_state = residents_list;
int residents_total = 0;
int residents_command = 1;
int exchange_row = 1, exchange_top = 0;
int expel_choice = 1;

namespace {

constexpr int list_x = 25, list_y = 42, card_x = 380, card_y = 42, box_x = 200, box_y = 200;
constexpr int confirm_x = 250, confirm_y = 250;
constexpr int details_x = 270, details_y = 42;  // the details page's second panel
ActInstance card_model;
constexpr int sfx_debug_added = 40, sfx_expelled = 43, sfx_command_key = 2;
constexpr std::uint16_t debug_exile_kinds = 22;

// The developer dialog's monster moves in when a dwelling has room.
void take_dialog_monster(int code) {
  if (code == 0 && has_free_resident_slot() && add_resident(monster_dialog_value)) play_sfx(sfx_debug_added, 0);
}

ListScroll rows_scroll(int* row, int* top) {
  // The list's bar stands at (290, 48) of the panel: 102 to the right and 10 up of the shared frame.
  return {row, top, residents_total, residents_page_rows, list_x + 102, list_y - 10, false, 354};
}

bool on_row(int j) {
  return mouse_x > list_x + 15 && mouse_x < list_x + 275 && mouse_y > list_y + 47 + 25 * j && mouse_y < list_y + 72 + 25 * j;
}
int visible_rows() { return std::min(residents_page_rows, residents_total - residents_top); }

void hover(int* row) {
  if (mouse_keyboard_lock) return;
  for (int j = 0; j < visible_rows(); ++j)
    if (on_row(j) && *row != j + 1) {
      *row = j + 1;
      play_sfx(sfx_base_cursor, 0);
    }
}

bool hud_button() {
  const int b = top_bar_button_at(mouse_x, mouse_y);
  if (!b || b == top_menu_page || !grp_input.key_repeat(key_mouse1)) return false;
  click_top_bar(mouse_x, mouse_y);
  residents_state = residents_list;
  return true;
}

void input_list() {
  if (panels_settled == 1 && start_base_tutorial(flag_tutorial_residents)) {
    cursor_act.qq = base_cursor_busy;
    return;
  }
  hover(&residents_row);
  if (test_flag(flag_developer_keys) && grp_input.key_press(KeyCode(key_z)))
    run_dialog(IDD_MONSTER, monster_dialog_proc, take_dialog_monster);
  if (test_flag(flag_developer_keys) && grp_input.key_press(KeyCode(key_c)) && add_debug_exile())
    play_sfx(sfx_debug_added, 0);
  if (cancel_pressed()) {
    residents_top = 0;
    back_to_overview();
    return;
  }
  if (hud_button() || !residents_total) return;
  const ListScroll s = rows_scroll(&residents_row, &residents_top);
  if (grp_input.key_repeat(key_mouse1)) {
    if (click_scroll(s, mouse_x, mouse_y)) return;
    for (int j = 0; j < visible_rows(); ++j)
      if (on_row(j)) {
        residents_state = residents_commands, residents_command = 1;
        play_sfx(sfx_base_open, 0);
        return;
      }
  }
  if (confirm_pressed()) {
    residents_state = residents_commands, residents_command = 1;
    play_sfx(sfx_base_open, 0);
    return;
  }
  list_keys(s);
}

void perform_command(bool by_key) {
  if (residents_command == 1) residents_state = residents_details;
  else if (residents_command == 2) exchange_row = 1, exchange_top = residents_top, residents_state = residents_exchange;
  else expel_choice = 1, residents_state = residents_expel;
  if (by_key) play_sfx(sfx_command_key, 0), play_sfx(sfx_base_cursor, 0);
  else play_sfx(sfx_base_open, 0);
}

void input_commands() {
  if (cancel_pressed()) {
    residents_state = residents_list;
    play_sfx(sfx_base_back, 0);
    return;
  }
  int hit = 0;
  for (int k = 0; k < 3; ++k)
    if (mouse_x > box_x + 55 && mouse_x < box_x + 155 && mouse_y > box_y + 15 + 35 * k && mouse_y < box_y + 45 + 35 * k)
      hit = k + 1;
  if (hit && !mouse_keyboard_lock && hit != residents_command) {
    residents_command = hit;
    play_sfx(sfx_base_cursor, 0);
  }
  const int step = grp_input.key_repeat(key_up) ? -1 : grp_input.key_repeat(key_down) ? 1 : 0;
  if (step) {
    residents_command = std::clamp(residents_command + step, 1, 3);
    mouse_keyboard_lock = 1;
    play_sfx(sfx_base_cursor, 0);
  }
  if (grp_input.key_press(key_mouse1) && hit == residents_command) perform_command(false);
  else if (confirm_pressed()) perform_command(true);
}

void input_expel() {
  const bool in_row = mouse_y > confirm_y + 60 && mouse_y < confirm_y + 95;
  const int over = !in_row ? -1 : mouse_x > confirm_x + 54 && mouse_x < confirm_x + 91 ? 0
                               : mouse_x > confirm_x + 144 && mouse_x < confirm_x + 181 ? 1 : -1;
  if (over >= 0 && !mouse_keyboard_lock && over != expel_choice) {
    expel_choice = over;
    play_sfx(sfx_base_cursor, 0);
  }
  if (grp_input.key_repeat(key_left) || grp_input.key_repeat(key_right)) {
    expel_choice = 1 - expel_choice;
    mouse_keyboard_lock = 1;
    play_sfx(sfx_base_cursor, 0);
  }
  const bool click = grp_input.key_press(key_mouse1);
  if (cancel_pressed() || (confirm_pressed() && expel_choice == 1) || (click && over == 1)) {
    residents_state = residents_commands;
    play_sfx(sfx_base_back, 0);
    return;
  }
  if (!(confirm_pressed() || (click && over == 0 && expel_choice == 0))) return;
  if (!expel_row(residents_row + residents_top)) {
    residents_state = residents_commands;
    play_sfx(sfx_base_back, 0);
    return;
  }
  residents_row = std::max(1, residents_row - 1);
  residents_state = residents_list;
  play_sfx(sfx_expelled, 0);
}

void input_exchange() {
  hover(&exchange_row);
  if (cancel_pressed()) {
    residents_state = residents_commands;
    play_sfx(sfx_base_back, 0);
    return;
  }
  bool chosen = confirm_pressed();
  if (grp_input.key_press(key_mouse1)) {
    if (click_scroll(rows_scroll(&exchange_row, &residents_top), mouse_x, mouse_y)) return;
    for (int j = 0; j < visible_rows(); ++j) chosen = chosen || on_row(j);
  }
  if (chosen) {
    if (exchange_rows(residents_row + exchange_top, exchange_row + residents_top)) {
      residents_state = residents_list;
      exchange_row = 1;
      play_sfx(sfx_base_open, 0);
    }
    return;
  }
  list_keys(rows_scroll(&exchange_row, &residents_top));
}

// The name, and the workplace text, of a row's monster.
void row_texts(int row, char* name, std::size_t name_size, char* work, std::size_t work_size, bool* idle) {
  ItemData d{};
  const HouseRecord* home = find_row_resident(row);
  const std::uint16_t monster = home ? home->residents[selected_slot].monster : ExileList[row];
  *idle = false;
  std::snprintf(work, work_size, "%s", "\xAC\x79\xA9\xF1\xA4\xA4");  // 流放中
  if (home) {
    const int link = home->residents[selected_slot].link;
    const HouseRecord* place = link ? find_house(link) : nullptr;
    *idle = !place;
    if (!place) std::snprintf(work, work_size, "%s", "\xB6\xA2\xB8\x6D\xA4\xA4");  // 閒置中
    else if (place->kind == house_formation) std::snprintf(work, work_size, "%s%s", house_kind_name(place->kind), house_label_text(place->label));
    else std::snprintf(work, work_size, "%s", house_kind_name(place->kind));
  }
  read_Item(monster, &d);
  std::snprintf(name, name_size, "%s", d.NAME);
}

void draw_rows() {
  char name[40], work[48], text[48];
  const HouseRecord* last_home = nullptr;
  for (int i = residents_top; i < std::min(residents_total, residents_top + residents_page_rows); ++i) {
    const int row = i + 1, y = list_y + 54 + 25 * (i - residents_top);
    bool idle = false;
    row_texts(row, name, sizeof name, work, sizeof work, &idle);
    const HouseRecord* home = find_row_resident(row);
    if (!home) {
      draw_bold(base_font_16, list_x + 27, y, "\xAC\x79\xA9\xF1\xA4\xA4", 15);  // 流放中
    } else if (home != last_home) {
      std::snprintf(text, sizeof text, "%s%s", house_kind_name(home->kind), house_label_text(home->label));
      draw_bold(base_font_16, list_x + 27, y, text, 15);
      std::snprintf(text, sizeof text, "%d/%d", home->resident_count, home->capacity);
      draw_bold(base_font_16, list_x + 115, y, text, 16);
    }
    last_home = home;
    std::snprintf(text, sizeof text, home && !idle ? "%-8s" : "%-10s", name);
    draw_bold(base_font_16, list_x + 177, y, text, 18);
    const int lit = (residents_state == residents_exchange ? exchange_row : residents_row) + residents_top;
    if (row == lit && residents_state != residents_expel) draw_bold(base_font_16, card_x + 120, card_y + 20, work, 15);
  }
}

// The monster of a row: a resident's, an exile's, or 0 past the rows.
std::uint16_t row_monster(int row) {
  if (const HouseRecord* home = find_row_resident(row)) return home->residents[selected_slot].monster;
  return row >= 1 && row <= exile_count() ? ExileList[row] : 0;
}

void draw_resident_card(int row) {
  ItemData d{};
  if (!read_monster(row_monster(row), &d)) return;
  draw_monster_model(&card_model, d.object_id, base_model_qq, {6500, 700, 1800, -20, 4, true}, 0);
  draw_monster_card(d, card_x, card_y, resident_card_layout);
}

// The details page: the card on the first panel; the actions, the spell it teaches and its
// help on the second.
void draw_details(int row) {
  draw_base_sprite(base_panel_act, 17, list_x, list_y);
  draw_base_sprite(base_panel_act, 18, details_x, details_y);
  const struct { int x; const char* text; } headings[] = {
      {60, "\xA9\xDB\x20\xA6\xA1"}, {180, "\xC6\x46\x20\xA4\x4F"}, {270, "\xC5\xE9\x20\xA4\x4F"}};  // 招 式 靈 力 體 力
  for (const auto& h : headings)
    draw_text_at(base_font_16, details_x + h.x, details_y + 20, h.text, text_colours[20], GLYPH_BOLD_OUTLINE);
  ItemData d{};
  if (!read_monster(row_monster(row), &d)) return;
  draw_monster_model(&card_model, d.object_id, base_model_qq, {5100, 700, 1800, 0, 4, true}, 0);
  draw_monster_card(d, list_x, list_y, detail_card_layout);
  char text[48];
  int shown = 0;
  for (int k = 0; k < 4; ++k) {
    ItemData action{};
    if (!d.ai_actions[k] || read_Item(d.ai_actions[k], &action) != 1) continue;
    std::snprintf(text, sizeof text, "%-10s", action.NAME);
    draw_bold(base_font_16, details_x + 60, details_y + 62 + 30 * shown++, text, 21);
  }
  ItemData spell{};
  if (d.teach_spell && read_Item(d.teach_spell, &spell) == 1) {
    draw_bold(base_font_12, details_x + 30, details_y + 180, "\xA5\x69\xBE\xC7\xA9\xDB\xB3\x4E", 17);  // 可學招術
    std::snprintf(text, sizeof text, "%-10s", spell.NAME);
    draw_bold(base_font_16, details_x + 60, details_y + 195, text, 19);
    std::snprintf(text, sizeof text, "%4d", int(spell.mp_cost));
    draw_bold(base_font_16, details_x + 185, details_y + 195, text, 16);
    std::snprintf(text, sizeof text, "%4d", int(spell.sp_cost));
    draw_bold(base_font_16, details_x + 275, details_y + 195, text, 16);
  }
  base_font_16.set_shadow_color(text_colours[31]);
  draw_paragraph(&base_font_16, d.HELP, details_x + 30, details_y + 282, 4, 310, 15);
  base_font_16.set_shadow_color(0);
}

void draw_command_box() {
  renderer.draw_rect(0, 0, 640, 480, 0x50000000, 2);
  draw_base_sprite(base_panel_act, 19, box_x, box_y);
  static const char* const names[3] = {"\xB8\xD4\xB2\xD3\xB8\xEA\xAE\xC6", "\xA5\xE6\xB4\xAB\xA9\x7E\xA5\xC1",
                                       "\xC5\x58\xB3\x76\xA9\x7E\xA5\xC1"};  // 詳細資料 交換居民 驅逐居民
  for (int k = 0; k < 3; ++k) {
    const bool lit = residents_command == k + 1;
    base_font_16.set_shadow_color(text_colours[lit ? 25 : 23]);
    draw_text_at(base_font_16, box_x + 75, box_y + 22 + 35 * k, names[k], text_colours[lit ? 24 : 22], GLYPH_BOLD_OUTLINE);
  }
  base_font_16.set_shadow_color(0);
}

void draw_expel_box() {
  draw_yes_no_box(confirm_x, confirm_y, 40, 20, "\xBD\x54\xA9\x77\xC5\x58\xB3\x76\xA6\xB9\xA9\x7E\xA5\xC1",  // 確定驅逐此居民
                  expel_choice);
}

}  // namespace

HouseRecord* find_row_resident(int row) {
  int n = exile_count();
  if (row <= n) return nullptr;
  for (const auto& h : house_list) {
    if (!is_dwelling_kind(h->kind)) continue;
    for (int i = 0; i < std::min(h->capacity, house_slot_count); ++i)
      if (h->residents[i].monster && ++n == row) {
        selected_slot = i;
        return h.get();
      }
  }
  return nullptr;
}

int count_resident_rows() {
  int capacity = 0, residents = 0, idle = 0;
  population_count(&capacity, &residents, &idle);
  return residents_total = exile_count() + residents;
}

int residents_thumb_height(int total) {
  return total > residents_page_rows ? residents_page_rows * 260 / total : 260;
}

int expel_row(int row) {
  if (row >= 1 && row <= exile_count()) {
    remove_exile(row);
    compact_exiles();
    return 1;
  }
  HouseRecord* home = find_row_resident(row);
  if (!home || !expel_resident(home, selected_slot)) return 0;
  compact_slots(home);
  exile_refill_notice = 1;
  exiles_move_in();
  if (count_resident_rows() - residents_top <= residents_page_rows) residents_top = std::max(0, residents_top - 1);
  return 1;
}

int exchange_rows(int first, int partner) {
  HouseRecord* a = find_row_resident(first);
  const int slot_a = selected_slot;
  HouseRecord* b = find_row_resident(partner);
  const int slot_b = selected_slot;
  const bool a_exile = first >= 1 && first <= exile_count(), b_exile = partner >= 1 && partner <= exile_count();
  if ((!a && !a_exile) || (!b && !b_exile) || (a_exile && b_exile)) {
    play_sfx(sfx_base_refused, 0);
    return 0;
  }
  if (a && b && a == b) {
    char text[64];
    std::snprintf(text, sizeof text, "\xA6\x50\xA4\x40\xAB\xCE\xAA\xD9\xB5\x4C\xAA\x6B\xA5\xE6\xB4\xAB%%Q");  // 同一屋舍無法交換
    add_txt_msg(224, 196, 5 * int(std::strlen(text)) + 150, 64, 0, 0, text, 2);
    play_sfx(sfx_base_refused, 0);
    return 0;
  }
  if (a && b) swap_residents(b, slot_b, a, slot_a);
  else if (a) swap_with_exile(a, slot_a, &ExileList[partner]);
  else swap_with_exile(b, slot_b, &ExileList[first]);
  return 1;
}

int add_debug_exile() {
  if (!add_exile(std::uint16_t(debug_exile_first + rand_below(debug_exile_kinds)))) return 0;
  exiles_move_in();
  return 1;
}

void reset_residents_screen() {
  residents_state = residents_list;
  residents_row = 1;
}

void input_residents_screen() {
  arbitrate_mouse();
  switch (residents_state) {
    case residents_list: input_list(); break;
    case residents_commands: input_commands(); break;
    case residents_details:
      if (cancel_pressed()) residents_state = residents_commands, play_sfx(sfx_base_back, 0);
      else if (confirm_pressed() || grp_input.key_press(key_mouse1)) residents_state = residents_list, play_sfx(sfx_base_open, 0);
      break;
    case residents_expel: input_expel(); break;
    default: input_exchange(); break;
  }
}

void draw_residents_screen() {
  count_resident_rows();
  if (residents_state == residents_details) {
    draw_details(residents_row + residents_top);
    return;
  }
  draw_base_sprite(base_panel_act, 16, list_x, list_y);
  draw_base_sprite(base_panel_act, 17, card_x, card_y);
  draw_base_sprite(base_panel_act, 5, list_x + 290, list_y + 48);
  if (residents_total)
    renderer.draw_rect(list_x + 296, list_y + 78 + residents_top * 260 / residents_total, 11,
                       residents_thumb_height(residents_total), 0x969B5F23, 2);
  const int bar_row = residents_state == residents_exchange ? exchange_row : residents_row;
  draw_select_bar(list_x + 15, list_y + 22 + 25 * bar_row, 260, 25, 0x78FFFFFF);
  const struct { int x, y; const char* text; } headings[] = {
      {list_x + 35, list_y + 20, "\xA6\xED\xB3\x42"}, {list_x + 105, list_y + 20, "\xA9\x7E\xA5\xC1\xBC\xC6"},
      {list_x + 175, list_y + 20, "\xA9\x7E\xA5\xC1\xA6\x57\xBA\xD9"}, {card_x + 40, card_y + 20, "\xA4\x75\xA7\x40\xA6\x61"}};
  for (const auto& h : headings) draw_text_at(base_font_16, h.x, h.y, h.text, text_colours[20], GLYPH_BOLD_OUTLINE);
  draw_rows();
  draw_resident_card((residents_state == residents_exchange ? exchange_row : residents_row) + residents_top);
  if (residents_state == residents_commands) draw_command_box();
  if (residents_state == residents_expel) draw_expel_box();
}

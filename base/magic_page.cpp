// The magic page of the training screen (page 3): the learned spells on the left, the party's
// eight magic slots on the right; a learned spell is equipped into the first empty slot, or,
// with all eight taken, into the slot the player picks next.
#include <algorithm>
#include <cstdio>
#include <vector>

#include "base/base_camp.h"
#include "base/base_numbers.h"
#include "base/base_pages.h"
#include "base/base_top_menu.h"
#include "base/debug_dialogs.h"
#include "base/houses_screen.h"
#include "base/list_scroll.h"
#include "base/training_hall.h"
#include "base/training_screen.h"
#include "core/flags.h"
#include "core/game_flags.h"
#include "core/grp_input.h"
#include "core/key_mapping.h"
#include "core/random_r250.h"
#include "core/text_colours.h"
#include "data/item_data.h"
#include "data/magic_study.h"
#include "data/object_db.h"
#include "data/party.h"
#include "g3d/renderer.h"
#include "gfx2d/game_fonts.h"
#include "gfx2d/glyph_font.h"
#include "sound/sfx_bank.h"
#include "ui/paragraph.h"
#include "ui/talk_msg.h"
#include "ui/text_draw.h"
#include "ui/window_frame.h"

int magic_focus = magic_learned;
int magic_cursor[2] = {1, 1}, magic_top[2] = {}, magic_count[2] = {};
std::uint16_t magic_selected_spell = 0;

namespace {

constexpr std::uint16_t magic_banner_act = 9135;
constexpr std::uint16_t debug_spell_first = 5801;  // the developer key learns one of 30 spells from here
constexpr int debug_spell_range = 30;
constexpr int rows_y = 97;
constexpr int row_x0[2] = {87, 323}, row_x1[2] = {267, 502};
constexpr int bar_x[2] = {284, 520};
// The click areas that take the focus to the other list.
constexpr int area_x0[2] = {85, 320}, area_x1[2] = {304, 539}, area_y0 = 60, area_y1 = 289;

std::vector<std::uint16_t> learned_spells;  // the learned list at the last draw

ListScroll magic_scroll(int list) {
  ListScroll s{&magic_cursor[list], &magic_top[list], magic_count[list], magic_page_rows, bar_x[list] - 188, 42};
  s.down_arrow_y = 226;
  s.track = 128;
  return s;
}

int visible_rows(int list) { return std::clamp(magic_count[list] - magic_top[list], 0, magic_page_rows); }

bool on_row(int list) {
  return mouse_x > row_x0[list] && mouse_x < row_x1[list] && mouse_y > rows_y &&
         mouse_y < rows_y + 25 * visible_rows(list);
}

bool in_area(int list) {
  return mouse_x >= area_x0[list] && mouse_x <= area_x1[list] && mouse_y >= area_y0 && mouse_y <= area_y1;
}

void to_first_rows() {
  training_cursor = 1;
  magic_cursor[0] = magic_cursor[1] = 1;
  magic_focus = magic_learned;
}

void leave_magic_page() {
  open_houses_on(picked_house_id);
  to_first_rows();
  training_page = training_masters;
  play_sfx(sfx_base_back, 0);
}

// The HUD's buttons: 1 when one opened its page (the frame's input ends).
bool hud_button() {
  const int b = top_bar_button_at(mouse_x, mouse_y);
  if (!b || b == top_menu_page || !click_top_bar(mouse_x, mouse_y)) return false;
  to_first_rows();
  training_page = training_masters;
  return true;
}

// The equipped list takes the focus only when it holds a spell.
void focus_equipped() {
  if (equipped_spell_count() > 0) {
    magic_focus = magic_equipped;
    play_sfx(sfx_base_switch, 0);
  } else {
    play_sfx(sfx_base_refused, 0);
  }
}

void focus_learned() {
  magic_focus = magic_learned;
  play_sfx(sfx_base_switch, 0);
}

void learn_by_key(std::uint16_t spell) { play_sfx(learn_spell(spell) ? sfx_base_open : sfx_base_refused, 0); }

void magic_dialog_done(int code) {
  if (code == 0) learn_by_key(magic_dialog_value);
}

void debug_keys() {
  if (!test_flag(flag_developer_keys)) return;
  if (grp_input.key_press(KeyCode(key_z))) run_dialog(IDD_MAGIC, magic_dialog_proc, magic_dialog_done);
  if (grp_input.key_press(KeyCode(key_c)))
    learn_by_key(std::uint16_t(debug_spell_first + rand_below(debug_spell_range)));
}

void equip_selected() {
  if (!magic_selected_spell) return;
  const int before = equipped_spell_count();
  if (equip_party_magic(magic_selected_spell) == 0) {
    add_txt_msg(224, 176, 264, 64, 50, 800, "\xA4w\xB8\xCB\xB0t\xA6\xB9\xAAk\xB3N!!%Q", 2);  // 已裝配此法術!!%Q
    play_sfx(sfx_base_refused, 0);
    return;
  }
  if (before >= party_magic_slots) magic_focus = magic_replacing;  // the player picks the slot to give up
  play_sfx(sfx_base_open, 0);
}

// The slot under the equipped list's cursor, or -1 past the slots.
int equipped_slot() {
  const int slot = magic_top[1] + magic_cursor[1] - 1;
  return slot >= 0 && slot < party_magic_slots ? slot : -1;
}

void unequip_selected() {
  const int slot = equipped_slot();
  if (slot < 0 || !unequip_party_magic(party_magic[slot].object)) {
    std::snprintf(base_tooltip, sizeof base_tooltip, "%s", "\xB8\xD1\xB0\xA3\xAAk\xB3N\xA5\xA2\xB1\xD1");  // 解除法術失敗
    play_sfx(sfx_base_refused, 0);
    return;
  }
  magic_cursor[1] = std::max(1, magic_cursor[1] - 1);
  // With the last spell gone the equipped list has nothing to point at.
  if (equipped_spell_count() == 0) magic_focus = magic_learned, magic_top[1] = 0;
  play_sfx(sfx_base_open, 0);
}

void replace_selected() {
  const int slot = equipped_slot();
  if (slot < 0 || !party_magic[slot].object) {
    std::snprintf(base_tooltip, sizeof base_tooltip, "%s", "\xAAk\xB3N\xB4\xC0\xB4\xAB\xBF\xF9\xBB~");  // 法術替換錯誤
    play_sfx(sfx_base_refused, 0);
    return;
  }
  party_magic[slot].object = magic_selected_spell;
  magic_focus = magic_learned;
  magic_cursor[1] = 1;
  play_sfx(sfx_base_open, 0);
}

void input_learned(bool click) {
  if (cancel_pressed()) {
    leave_magic_page();
    return;
  }
  if (click && hud_button()) return;
  debug_keys();
  if (!magic_count[0]) return;
  if (confirm_pressed() || (click && on_row(0))) {
    equip_selected();
    return;
  }
  if (click && in_area(1)) {
    focus_equipped();
    return;
  }
  if (click && click_scroll(magic_scroll(0), mouse_x, mouse_y)) return;
  list_keys(magic_scroll(0));
  if (grp_input.key_repeat(key_left) || grp_input.key_repeat(key_right)) focus_equipped();
}

void input_equipped(bool click) {
  if (cancel_pressed()) {
    leave_magic_page();
    return;
  }
  if (click && hud_button()) return;
  if (confirm_pressed() || (click && on_row(1))) {
    unequip_selected();
    return;
  }
  if (click && in_area(0)) {
    focus_learned();
    return;
  }
  if (click && click_scroll(magic_scroll(1), mouse_x, mouse_y)) return;
  list_keys(magic_scroll(1));
  if (grp_input.key_repeat(key_left) || grp_input.key_repeat(key_right)) focus_learned();
}

void input_replacing(bool click) {
  if (cancel_pressed()) {
    magic_focus = magic_learned;
    play_sfx(sfx_base_back, 0);
    return;
  }
  if (confirm_pressed() || (click && on_row(1))) {
    replace_selected();
    return;
  }
  if (click && click_scroll(magic_scroll(1), mouse_x, mouse_y)) return;
  list_keys(magic_scroll(1));
}

void draw_thumb(int x, int list) {
  const int count = magic_count[list];
  if (count <= magic_page_rows) renderer.draw_rect(x, 130, 11, 128, 0x969B5F23, 2);
  else renderer.draw_rect(x, 130 + 128 * magic_top[list] / count, 11, 896 / count, 0x969B5F23, 2);
}

void draw_help(std::uint16_t spell) {
  ItemData d{};
  if (read_Item(spell, &d) != 1) return;
  base_font_16.set_shadow_color(text_colours[31]);
  draw_paragraph(&base_font_16, d.HELP, 126, 316, 4, 410, 15);
  base_font_16.set_shadow_color(0);
}

void draw_spell_row(std::uint16_t spell, int x, int row, int colour) {
  ItemData d{};
  if (read_Item(spell, &d) != 1) return;
  char text[48];
  std::snprintf(text, sizeof text, "%-8s ", d.NAME);
  draw_bold(base_font_16, x, 102 + 25 * row, text, colour);
}

bool is_equipped(std::uint16_t spell) {
  return std::any_of(std::begin(party_magic), std::begin(party_magic) + party_magic_slots,
                     [&](const ItemNode& n) { return n.object == spell; });
}

}  // namespace

void input_magic_page() {
  const int list = magic_focus == magic_learned ? 0 : 1;
  hover_list_rows(row_x0[list], row_x1[list], rows_y, visible_rows(list), &magic_cursor[list]);
  const bool click = grp_input.key_repeat(key_mouse1);
  if (magic_focus == magic_learned) input_learned(click);
  else if (magic_focus == magic_equipped) input_equipped(click);
  else input_replacing(click);
}

void list_equipped_spells() {
  magic_count[1] = equipped_spell_count();
  const int end = std::min(magic_count[1], magic_top[1] + magic_page_rows);
  for (int i = magic_top[1]; i < end; ++i) {
    draw_spell_row(party_magic[i].object, 329, i - magic_top[1], 19);
    if (i == magic_top[1] + magic_cursor[1] - 1 && magic_focus != magic_learned) draw_help(party_magic[i].object);
  }
}

void list_learned_spells() {
  learned_spells.clear();
  for (int n = 0;; ++n) {
    const std::uint16_t spell = get_magic_study_id(n);
    if (!spell) break;
    const MagicStudy* node = find_magic_study(spell);
    if (node && node->learned == 1) learned_spells.push_back(spell);
  }
  magic_count[0] = int(learned_spells.size());
  const int end = std::min(magic_count[0], magic_top[0] + magic_page_rows);
  for (int i = magic_top[0]; i < end; ++i) {
    const std::uint16_t spell = learned_spells[std::size_t(i)];
    draw_spell_row(spell, 94, i - magic_top[0], is_equipped(spell) ? 21 : 19);
    if (i == magic_top[0] + magic_cursor[0] - 1 && magic_focus == magic_learned) {
      magic_selected_spell = spell;
      draw_help(spell);
    }
  }
}

void draw_magic_page() {
  draw_base_sprite(base_panel_act, 25, 27, 42);
  draw_base_sprite(base_panel_act, 26, 284, 100);
  draw_base_sprite(base_panel_act, 26, 519, 100);
  draw_base_sprite(magic_banner_act, 1, 357, 59);
  const int learned_cursor_y = 97 + 25 * (magic_cursor[0] - 1), equipped_cursor_y = 97 + 25 * (magic_cursor[1] - 1);
  draw_thumb(290, 0);
  draw_thumb(525, 1);
  if (magic_count[0] && magic_focus != magic_equipped) draw_select_bar(87, learned_cursor_y, 180, 25, 0x78FFFFFF);
  if (magic_count[1] && magic_focus != magic_learned) draw_select_bar(322, equipped_cursor_y, 180, 25, 0x78FFFFFF);
  draw_text_at(base_font_16, 157, 64, "\xA5\xBC\xB8\xCB\xB3\xC6\xA5P\xB3N", text_colours[20],  // 未裝備仙術
               GLYPH_BOLD_OUTLINE);
  draw_text_at(base_font_16, 386, 64, "\xA4w\xB8\xCB\xB3\xC6\xA5P\xB3N", text_colours[20],  // 已裝備仙術
               GLYPH_BOLD_OUTLINE);
  list_equipped_spells();
  list_learned_spells();
}

// The magic training screen's master list and its two questions (pages 0-2).
#include "base/training_screen.h"

#include <algorithm>
#include <cstdio>

#include "base/base_camp.h"
#include "base/base_numbers.h"
#include "base/base_pages.h"
#include "base/base_top_menu.h"
#include "base/house_kinds.h"
#include "base/houses.h"
#include "base/houses_screen.h"
#include "base/list_scroll.h"
#include "base/training_hall.h"
#include "base/yes_no_box.h"
#include "core/flags.h"
#include "core/game_flags.h"
#include "core/grp_input.h"
#include "core/key_mapping.h"
#include "core/text_colours.h"
#include "data/item_data.h"
#include "data/magic_study.h"
#include "data/object_db.h"
#include "g3d/renderer.h"
#include "gfx2d/game_fonts.h"
#include "gfx2d/glyph_font.h"
#include "sound/sfx_bank.h"
#include "ui/paragraph.h"
#include "ui/text_draw.h"
#include "ui/window_frame.h"

int training_page = training_masters;
int training_cursor = 1, training_top = 0;
int question_choice = 1;

namespace {

constexpr int list_x = 27, list_y = 42, detail_x = 260, detail_y = 42, box_x = 215, box_y = 150;
constexpr int candidate_dy = 188;  // the candidate's panel lies below the master's

ListScroll masters_scroll() {
  return {&training_cursor, &training_top, master_count, training_page_rows, list_x, list_y};
}

int visible_rows() { return std::clamp(master_count - training_top, 0, training_page_rows); }

void leave_to_houses() {
  open_houses_on(picked_house_id);
  training_page = training_masters;
  training_cursor = 1;
  play_sfx(sfx_base_back, 0);
}

// The HUD's buttons: 1 when one opened its page (the frame's input ends).
bool hud_button() {
  const int b = top_bar_button_at(mouse_x, mouse_y);
  if (!b || b == top_menu_page || !click_top_bar(mouse_x, mouse_y)) return false;
  training_page = training_masters;
  training_cursor = 1;
  return true;
}

void input_masters() {
  hover_list_rows(list_x + 20, list_x + 180, list_y + 75, visible_rows(), &training_cursor);
  if (cancel_pressed()) {
    leave_to_houses();
    return;
  }
  const bool click = grp_input.key_repeat(key_mouse1);
  if (click && hud_button()) return;
  if (test_flag(flag_developer_keys) && grp_input.key_press(KeyCode(key_z)) && complete_current_study())
    play_sfx(sfx_base_open, 0);
  if (!master_count) return;
  const ListScroll scroll = masters_scroll();
  if (click) {
    click_scroll(scroll, mouse_x, mouse_y);
    const bool on_row = mouse_x > list_x + 20 && mouse_x < list_x + 180 && mouse_y > list_y + 75 &&
                        mouse_y < list_y + 75 + 25 * visible_rows();
    if (on_row) {
      choose_training_row();
      return;
    }
  }
  if (confirm_pressed()) {
    choose_training_row();
    return;
  }
  list_keys(scroll);
}

void input_question() {
  switch (input_yes_no_box(box_x, box_y, &question_choice)) {
    case answer_yes: answer_training_question(); return;
    case answer_no:
    case answer_cancel:
      training_page = training_masters;
      play_sfx(sfx_base_back, 0);
      return;
    case answer_none: return;
  }
}

void draw_spell_panel(std::uint16_t monster, int dy, int progress, int help_width) {
  ItemData m{}, spell{};
  if (!read_monster(monster, &m)) return;
  read_Item(m.teach_spell, &spell);
  char text[48];
  draw_type_badge(m.kind, detail_x + 25, detail_y + 45 + dy);
  draw_bold(base_font_16, detail_x + 75, detail_y + 50 + dy, m.NAME, 18);
  std::snprintf(text, sizeof text, "%2d", int(m.level));
  draw_bold(base_font_16, detail_x + 240, detail_y + 50 + dy, text, 16);
  draw_bold(base_font_16, detail_x + 270, detail_y + 50 + dy, "\xAF\xC5", 15);  // 級
  draw_bold(base_font_16, detail_x + 75, detail_y + 75 + dy, spell.NAME, 19);
  std::snprintf(text, sizeof text, "%d/%d", progress, int(item_study_goal(spell)));
  draw_bold(base_font_16, detail_x + 180, detail_y + 75 + dy, text, 16);
  base_font_16.set_shadow_color(text_colours[31]);
  draw_paragraph(&base_font_16, spell.HELP, detail_x + 32, detail_y + 106 + dy, 4, help_width, 15);
  base_font_16.set_shadow_color(0);
}

void draw_master_rows() {
  char text[48];
  const int end = std::min(master_count, training_top + training_page_rows);
  for (int i = training_top; i < end; ++i) {
    ItemData m{};
    if (!read_monster(master_list[i].monster, &m)) continue;
    std::snprintf(text, sizeof text, "%-8s ", m.NAME);
    draw_bold(base_font_16, list_x + 33, list_y + 83 + 25 * (i - training_top), text,
              master_list[i].house_kind == house_training ? 21 : 18);
  }
}

void draw_panels() {
  if (master_count && master_list[0].house_kind == house_training)
    draw_spell_panel(master_list[0].monster, 0, current_study.progress, 340);
  const int row = training_top + training_cursor - 1;
  if (row < 0 || row >= master_count || master_list[row].house_kind == house_training) return;
  ItemData m{};
  read_monster(master_list[row].monster, &m);
  const MagicStudy* node = find_magic_study(m.teach_spell);
  draw_spell_panel(master_list[row].monster, candidate_dy, node ? node->progress : 0, 350);
}

}  // namespace

void reset_training_screen() {
  training_page = training_masters;
  training_cursor = 1;
  training_top = 0;
  question_choice = 1;
  magic_focus = magic_learned;
  for (int l = 0; l < 2; ++l) magic_cursor[l] = 1, magic_top[l] = 0, magic_count[l] = 0;
  magic_selected_spell = 0;
}

void choose_training_row() {
  const int n = training_top + training_cursor;
  const HouseRecord* h = find_master_house(n);
  if (!h) {
    play_sfx(sfx_base_refused, 0);  // the list changed under the cursor
    return;
  }
  if (h->kind == house_training) {
    training_page = training_ask_withdraw;
    question_choice = 1;
    play_sfx(sfx_base_open, 0);
    return;
  }
  const int placed = choose_master(n);
  if (placed < 0) {
    play_sfx(sfx_base_refused, 0);
    return;
  }
  if (placed) {
    training_cursor = 1;
  } else {
    training_page = training_ask_replace;
    question_choice = 1;
  }
  play_sfx(sfx_base_open, 0);
}

void answer_training_question() {
  const int done = training_page == training_ask_replace ? replace_master(training_top + training_cursor)
                                                          : withdraw_master();
  training_page = training_masters;
  training_cursor = 1;
  play_sfx(done < 0 ? sfx_base_refused : sfx_base_open, 0);
}

void input_training_hall() {
  arbitrate_mouse();
  if (training_page == training_magic) input_magic_page();
  else if (training_page == training_masters) input_masters();
  else input_question();
}

void draw_training_hall() {
  dismiss_idle_master();  // a hall whose study ended sends its master home
  list_masters();
  draw_base_sprite(base_panel_act, 11, list_x, list_y);
  draw_base_sprite(base_panel_act, 23, detail_x, detail_y);
  draw_base_sprite(base_panel_act, 5, list_x + 188, list_y + 58);
  if (master_count > training_page_rows)
    renderer.draw_rect(list_x + 194, list_y + 88 + 260 * training_top / master_count, 11, 3120 / master_count,
                       0x969B5F23, 2);
  else if (master_count)
    renderer.draw_rect(list_x + 194, list_y + 88, 11, 260, 0x969B5F23, 2);
  const HouseRecord* hall = find_house(picked_house_id);
  draw_text_at(base_font_16, list_x + 70, list_y + 21, hall ? house_kind_name(hall->kind) : "", text_colours[20],
               GLYPH_BOLD_OUTLINE);
  draw_bold(base_font_12, list_x + 68, list_y + 58, "\xAEv\xBD\x64\xA7\xAF\xC5]\xB2M\xB3\xE6", 17);  // 師範妖魔清單
  draw_text_at(base_font_12, list_x + 28, list_y + 70, "----------------------", text_colours[17], GLYPH_PLAIN);
  draw_text_at(base_font_16, detail_x + 120, detail_y + 23, "\xAD\xD7\xBDm\xA4\xA4\xA5P\xB3N",  // 修練中仙術
               text_colours[20], GLYPH_BOLD_OUTLINE);
  draw_text_at(base_font_16, detail_x + 100, detail_y + 210, "\xA5i\xAD\xD7\xBDm\xA7\xAF\xC5]\xA5P\xB3N",  // 可修練妖魔仙術
               text_colours[20], GLYPH_BOLD_OUTLINE);
  if (master_count) draw_select_bar(list_x + 20, list_y + 75 + 25 * (training_cursor - 1), 160, 25, 0x78FFFFFF);
  draw_master_rows();
  draw_panels();
  if (training_page == training_ask_replace)
    draw_yes_no_box(box_x, box_y, 70, 20, "\xACO\xA7_\xB4\xC0\xB4\xAB?", question_choice);  // 是否替換?
  else if (training_page == training_ask_withdraw)
    draw_yes_no_box(box_x, box_y, 70, 20, "\xACO\xA7_\xBAM\xA6^?", question_choice);  // 是否撤回?
}

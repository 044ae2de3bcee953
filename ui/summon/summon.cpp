// The monster summoning list: its state, its rules and its input.
#include "ui/summon/summon.h"

#include "base/residents.h"
#include "battle/fame.h"
#include "core/flags.h"
#include "core/game_flags.h"
#include "core/grp_input.h"
#include "core/key_mapping.h"
#include "data/item_list.h"
#include "data/maps_lookups.h"
#include "data/party.h"
#include "sound/sfx_bank.h"
#include "ui/cursor.h"
#include "ui/menu/menu_input.h"
#include "ui/talk_msg.h"
#include "ui/text_button.h"
#include "ui/ui_numbers.h"

std::uint32_t field_overlay_bits = 0;
int summon_state = summon_choosing;
ScrollList summon_list;
std::uint16_t summon_eggs = 0;

namespace {

constexpr int row_x0 = 210, row_x1 = 460, rows_y0 = 100, rows_y1 = 160;
constexpr int message_x = 350, message_y = 200;
constexpr std::uint32_t one_second = 100;  // in the boxes' 10 ms units
constexpr std::uint16_t met_monster = 0;    // fame type: a monster met

PointerWatch summon_pointer;
int asked_row = -1;
std::uint16_t asked_monster = 0;

void count_eggs() { summon_eggs = std::uint16_t(get_item_num(&party_bag, summon_egg_object)); }

int row_under_mouse() { return list_row_at(summon_list, row_x0, row_x1, rows_y0, rows_y1, mouse_x, mouse_y); }

void confirm() {
  del_all_talkmsg();
  const int row = summon_list.top_item + summon_list.cursor_row;
  switch (summon_check(row)) {
    case SummonAsk::nothing:
      break;
    case SummonAsk::locked:
      play_sfx(sfx_refuse, 1);
      break;
    case SummonAsk::too_few_eggs:
      play_sfx(sfx_refuse, 1);
      add_time_msg(message_x, message_y, 0, one_second, summon_few_eggs_text, 0);
      break;
    case SummonAsk::ask: {
      SummonEntry e;
      summon_entry(row, &e);
      asked_row = row;
      asked_monster = e.monster;
      set_tbutton_cancel(1);
      add_txt_msg(200, 200, 340, 64, 0, 0, summon_question_text, 2);
      grp_input.set_mouse_pos(412, 234);
      summon_state = summon_asking;
      break;
    }
  }
}

void choosing() {
  input_scroll_list(&summon_list);
  bool clicked = false;
  if (!key_nav_mode) {
    const int r = row_under_mouse();
    if (r >= 0) {
      if (r != summon_list.cursor_row) play_sfx(sfx_cursor, 1);
      summon_list.cursor_row = r;
      clicked = grp_input.key_press(key_mouse1);
    }
  }
  if (clicked || confirm_key()) confirm();
  if (cancel_key(&GrpInput::key_press)) close_summon();
}

void asking() {
  int answer = 0;
  if (!get_tbutton(&answer)) return;
  summon_state = summon_choosing;
  if (answer != 0) return;
  switch (summon_accept(asked_row, asked_monster)) {
    case SummonResult::nothing:
      break;
    case SummonResult::summoned:
      del_all_talkmsg();
      add_time_msg(message_x, message_y, 0, one_second, summon_done_text, 0);
      break;
    case SummonResult::no_room:
      play_sfx(sfx_refuse, 1);
      del_all_talkmsg();
      add_time_msg(message_x, message_y, 0, one_second, summon_no_room_text, 0);
      break;
  }
}

}  // namespace

bool summon_entry(int n, SummonEntry* out) {
  if (n < 0 || n >= count_maps_summon()) return false;
  std::uint16_t words[3] = {};
  read_maps_summon(words, n);
  if (words[1] == 0) return false;
  *out = SummonEntry{words[0], words[1], words[2]};
  return true;
}

bool summon_is_open() { return field_overlay_bits & overlay_summon_open; }

void open_summon() {
  set_flag(flag_input_captured);
  field_overlay_bits |= overlay_summon_open;
  ScrollList& l = summon_list;
  l = item_scroll_list(summon_visible_rows);
  l.item_count = count_maps_summon();
  l.x = summon_list_x + 280;
  l.y = summon_list_y;
  l.row_mouse_x = summon_list_x + 140;
  l.first_row_y = summon_list_y + 50;
  summon_state = summon_choosing;
  asked_row = -1;
  asked_monster = 0;
  mouse_idle = 0;
  count_eggs();
}

void close_summon() {
  clear_flag(flag_input_captured);
  field_overlay_bits &= ~overlay_summon_open;
  del_all_talkmsg();
}

void input_summon() {
  if (!summon_is_open()) return;
  cursor_act.qq = cursor_qq_choice;
  if (summon_pointer.moved()) {
    mouse_idle = 0;
    key_nav_mode = 0;
  }
  if (summon_state == summon_choosing)
    choosing();
  else
    asking();
}

SummonAsk summon_check(int row) {
  SummonEntry e;
  if (!summon_entry(row, &e)) return SummonAsk::nothing;
  if (e.flag == summon_locked) return SummonAsk::locked;
  if (summon_eggs < e.cost) return SummonAsk::too_few_eggs;
  return SummonAsk::ask;
}

SummonResult summon_accept(int row, std::uint16_t monster) {
  SummonEntry e;
  if (!summon_entry(row, &e) || e.monster != monster || e.flag == summon_locked || summon_eggs < e.cost)
    return SummonResult::nothing;
  // The dwelling is asked first, so that a monster no dwelling takes in costs nothing.
  if (!has_free_resident_slot() || !add_resident(e.monster)) return SummonResult::no_room;
  fame_add(e.monster, 1, 0, met_monster);
  del_item(&party_bag, summon_egg_object, e.cost);
  count_eggs();
  clear_flag(e.flag);
  return SummonResult::summoned;
}

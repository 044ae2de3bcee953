// The save and load screens: their entries, the shared slot list and the summaries.
#include "ui/saves/save_load.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "core/flags.h"
#include "core/game_flags.h"
#include "core/game_mode.h"
#include "core/grp_input.h"
#include "core/key_mapping.h"
#include "gfx2d/game_fonts.h"
#include "sound/sfx_bank.h"
#include "ui/saves/save_file.h"
#include "ui/saves/save_image.h"
#include "ui/saves/save_thumbnail.h"
#include "ui/saves/snapshot.h"
#include "ui/talk_msg.h"
#include "ui/ui_numbers.h"

ScrollList save_slot_list;
SaveSummary save_summaries[save_rows];
SaveScreenState save_screen;
LoadScreenState load_screen;
SlotListState slot_list_state;

namespace {

constexpr std::uint16_t save_bar_qq = 3;
constexpr int bar_x = 20, bar_y = 80, bar_width = 13, bar_length = 257;
constexpr int row_mouse_x = 320, first_row_y = 80;
constexpr int font_16_list_advance = 18;
// The slot area the mouse picks rows in, and the close box.
constexpr int slots_left = 68, slots_right = 627, slots_top = 40, slots_bottom = 419, slot_pick_offset = 32;
constexpr int close_left = 610, close_bottom = 29;
enum SaveTimeWord { time_year = 0, time_month = 1, time_day = 3, time_hour = 4, time_minute = 5 };

void set_up_list() {
  ScrollList& l = save_slot_list;
  l.bar_act = save_screen_act;
  l.bar_qq = save_bar_qq;
  l.visible_rows = save_rows;
  l.item_count = test_flag(flag_developer_keys) ? save_slots_developer : save_slots;
  l.x = bar_x;
  l.y = bar_y;
  l.thumb_width = bar_width;
  l.track_length = bar_length;
  l.row_mouse_x = row_mouse_x;
  l.first_row_y = first_row_y;
  l.row_height = save_row_pitch;
  // A list left on the developers' longer list comes back within the shorter one.
  l.top_item = std::clamp(l.top_item, 0, l.item_count - save_rows);
  l.cursor_row = std::clamp(l.cursor_row, 0, save_rows - 1);
}

bool enter_screen(int mode) {
  if (GameMode == mode_save || GameMode == mode_load) return false;
  set_up_list();
  SavedGameMode = GameMode;
  GameMode = mode;
  clear_flag(flag_cursor_hidden);
  mouse_idle = 0;
  slot_list_state.last_mouse_x = mouse_x;
  slot_list_state.last_mouse_y = mouse_y;
  if (slot_list_state.first_visit) {
    slot_list_state.first_visit = 0;
    find_newest_save();
  }
  return true;
}

void leave_screen() {
  GameMode = SavedGameMode;
  SavedGameMode = 0;
  free_save_summaries();
}

bool any_press(std::initializer_list<KeyCode> keys) {
  for (KeyCode k : keys)
    if (grp_input.key_press(k)) return true;
  return false;
}

// The close box under the mouse, and its click.
bool close_box_clicked() {
  const bool over = mouse_x >= close_left && mouse_y <= close_bottom;
  slot_list_state.close_box_qq = close_box_qq + (over ? 1 : 0);
  return over && grp_input.key_press(key_mouse1);
}

// A click on a slot row picks it; a double click confirms, a right click cancels.
void pick_slot_with_mouse(SlotListInput& in) {
  if (mouse_x < slots_left || mouse_x > slots_right || mouse_y < slots_top || mouse_y > slots_bottom) return;
  if (grp_input.key_press(key_mouse1)) {
    const int row = std::min((mouse_y - slot_pick_offset) / save_row_pitch, save_rows - 1);
    if (row != save_slot_list.cursor_row) play_sfx(sfx_cursor, 1);
    save_slot_list.cursor_row = row;
  }
  if (grp_input.key_double_press(key_mouse1)) in.confirm = true;
  if (grp_input.key_press(key_mouse2)) in.cancel = true;
}

}  // namespace

void call_save_system(std::uint32_t flags, int, int) {
  if (flags == MODE_ENTER) {
    const int from = GameMode;
    if (!enter_screen(mode_save)) return;
    save_screen.prompt_open = 0;
    save_screen.saved_open = 0;
    save_screen.leave_countdown = 0;
    // The menu took its own snapshot when it opened, before it covered the field.
    if (from != mode_menu) take_snapshot();
    read_save_summaries();
  } else if (flags == MODE_RESUME) {
    GameMode = mode_save;
  } else {
    leave_screen();
  }
}

void call_load_system(std::uint32_t flags, int, int) {
  if (flags == MODE_ENTER) {
    if (!enter_screen(mode_load)) return;
    load_screen.load_request = 0;
    font_16.set_advance(font_16_list_advance);
    read_save_summaries();
  } else if (flags == MODE_RESUME) {
    GameMode = mode_load;
  } else {
    leave_screen();
  }
}

void free_save_summaries() {
  for (int i = 0; i < save_rows; ++i) {
    free_thumbnail(save_summaries[i].thumbnail, std::uint32_t(thumbnail_key_first + i));
    save_summaries[i] = SaveSummary{};
  }
}

void read_save_summaries() {
  free_save_summaries();
  for (int i = 0; i < save_rows; ++i) {
    const std::string name = save_slot_name(save_slot_list.top_item + i);
    SaveSummary& s = save_summaries[i];
    if (read_save_summary(name.c_str(), &s) != 1) continue;
    s.valid = 1;
    load_save_thumbnail(name.c_str(), &s.thumbnail);
  }
}

bool save_time_not_older(const std::uint16_t t[8], const std::uint16_t best[8]) {
  if (t[time_year] != best[time_year]) return t[time_year] > best[time_year];
  if (t[time_month] != best[time_month]) return t[time_month] > best[time_month];
  auto minutes = [](const std::uint16_t* w) {
    return (long(w[time_day]) * 24 + w[time_hour]) * 60 + w[time_minute];
  };
  return minutes(t) >= minutes(best);
}

void place_slot_list(int slot) {
  ScrollList& l = save_slot_list;
  l.top_item = std::clamp(slot, 0, std::max(0, l.item_count - save_rows));
  l.cursor_row = slot - l.top_item;
}

void find_newest_save() {
  if (SavedGameMode != mode_title) return;
  std::uint16_t best[8] = {};
  int winner = -1;
  std::vector<std::uint8_t> image;
  for (int slot = 0; slot < save_slot_list.item_count; ++slot) {
    const std::string name = save_slot_name(slot);
    SaveHeader h;
    if (!chang_lzo2save(name.c_str(), image) || !parse_save_header(image, h)) continue;
    if (!save_time_not_older(h.time, best)) continue;
    std::copy(h.time, h.time + 8, best);
    winner = slot;
  }
  if (winner > 0) place_slot_list(winner);
}

SlotListInput input_slot_list() {
  SlotListInput in;
  SlotListState& st = slot_list_state;
  const int top = save_slot_list.top_item;
  if (mouse_x != st.last_mouse_x || mouse_y != st.last_mouse_y) st.key_mode = 0;
  input_scroll_list(&save_slot_list);
  if (save_slot_list.key_move) st.key_mode = 1;
  // A key move puts the pointer on the cursor row; that is no move of the player's.
  st.last_mouse_x = grp_input.mouse_x();
  st.last_mouse_y = grp_input.mouse_y();
  if (close_box_clicked()) in.cancel = true;
  if (!st.key_mode) pick_slot_with_mouse(in);
  if (save_slot_list.top_item != top) read_save_summaries();
  if (any_press({key_enter, key_space, key_joy_button1})) {
    in.confirm = true;
    st.key_mode = 1;
  }
  if (slot_list_cancel_pressed()) in.cancel = true;
  return in;
}

bool slot_list_cancel_pressed() {
  return any_press({key_lctrl, key_rctrl, KeyCode(key_joy_button1 + 1), key_escape});
}

void cursor_slot_name(char (&out)[save_slot_name_size]) {
  std::snprintf(out, sizeof out, "%02d.sav", save_slot_list.top_item + save_slot_list.cursor_row);
}

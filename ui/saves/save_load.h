#pragma once
// The save screen (game mode 2) and the load screen (game mode 3): one slot list of three
// visible rows, with each saved game's date, play time, party, resources and thumbnail.
#include <cstdint>

#include "ui/saves/save_summary.h"
#include "ui/scroll_list.h"

constexpr int save_rows = 3;            // slots visible at a time
constexpr int save_row_pitch = 130;
constexpr int save_leave_frames = 30;   // the wait before leaving after an overwrite
constexpr std::uint8_t save_row_dim_max = 150;
constexpr int save_slot_name_size = 80;

// The screens' pictures: QQ 0 the screen, 1 a slot's frame, 2 the cursor, 3 the scroll bar.
constexpr std::uint16_t save_screen_act = 9012;
constexpr std::uint16_t save_portrait_act = 9018;  // QQ member number + 2
constexpr std::uint16_t save_resource_act = 9926;  // QQ 33 money, 30 metal, 31 wood, 32 coal

struct SaveScreenState {
  int prompt_open = 0;       // the overwrite question is open
  int saved_open = 0;        // the "saved" message is open
  int leave_countdown = 0;   // 0 idle, else the frames counted up to save_leave_frames
  char slot_name[save_slot_name_size] = {};
};
struct LoadScreenState {
  int load_request = 0;
  char slot_name[save_slot_name_size] = {};
};
// What both screens share.
struct SlotListState {
  int first_visit = 1;
  int key_mode = 0;          // 1 after a key was used: mouse hovering and clicks on slots are ignored
  int close_box_qq = 0;      // the close box's picture (2, or 3 under the mouse)
  int last_mouse_x = 0, last_mouse_y = 0;
  std::uint8_t row_dim[save_rows] = {save_row_dim_max, save_row_dim_max, save_row_dim_max};
};

extern ScrollList save_slot_list;
extern SaveSummary save_summaries[save_rows];
extern SaveScreenState save_screen;
extern LoadScreenState load_screen;
extern SlotListState slot_list_state;

// The screens' entries under the mode-switch convention (core/game_mode.h), with one exception:
// neither enters while the save or the load screen is current. Leaving restores SavedGameMode
// and sets it to 0.
void call_save_system(std::uint32_t flags, int, int);
void call_load_system(std::uint32_t flags, int, int);
void input_save_system();
void input_load_system();
void update_load_system();
void draw_save_system();

// The summaries (and thumbnails) of the three visible slots, read again.
void read_save_summaries();
void free_save_summaries();
// From the title only: puts the list on the newest save.
void find_newest_save();
// True when a save made at time `t` (the header's eight words: year, month, day of week, day,
// hour, minute, ...) counts as at least as new as one made at `best`: a later year or month, or
// in the same month a minute at least as late (seconds do not count).
bool save_time_not_older(const std::uint16_t t[8], const std::uint16_t best[8]);
// The list's top item and cursor row for the newest slot: the winner at the top when the list
// can show it there, else on the last page with the cursor on it.
void place_slot_list(int slot);

// What the slot list's keys and mouse asked for this frame (the list's own moves done).
struct SlotListInput {
  bool confirm = false;
  bool cancel = false;
};
SlotListInput input_slot_list();
// One of the cancel keys (not the mouse's) was pressed.
bool slot_list_cancel_pressed();
// The visible slot of the cursor row, "%02d.sav".
void cursor_slot_name(char (&out)[save_slot_name_size]);

#pragma once
// The menu's log page (menu page 6): the missions (unfinished, finished, history), the charts of
// the monster kinds met and the items obtained, the gallery of places visited and the pictures.
// Every list is built on entry from the flags and fame records of that moment; the page changes
// nothing but its own view. The entry points are in ui/menu/menu_pages.h.
#include <cstdint>
#include <vector>

#include "data/item_node.h"
#include "ui/scroll_list.h"

enum LogTab : int { log_tab_missions = 0, log_tab_monsters, log_tab_items, log_tab_places, log_tab_pictures };
constexpr int log_tab_count = 5;
enum LogFocus : int { log_focus_tabs = -1, log_focus_missions = 0, log_focus_monsters = 1, log_focus_items = 2 };
enum MissionList : int { missions_unfinished = 0, missions_finished = 1, missions_history = 2 };

constexpr int mission_count = 256;   // missions 0-255
constexpr int history_count = 486;   // history entries 0-485
constexpr int picture_count = 10;
constexpr int mission_visible_rows = 12;

inline constexpr std::uint16_t log_monster_kinds[10] = {110, 111, 112, 113, 114, 115, 116, 117, 118, 130};
inline constexpr std::uint16_t log_item_kinds[6] = {201, 202, 203, 204, 206, 205};

extern int log_tab;
extern int log_focus;
extern int log_sub_tab;
extern int log_monster_kind, log_item_kind;
extern int log_hint_on;
extern ItemNode log_monsters, log_items;
// The flag numbers of each list's entries (the texts are the Mission.gll records of these).
extern std::vector<std::uint16_t> log_missions[3];
extern int log_history_lines;  // the text lines of every history entry together
extern ScrollList log_mission_lists[3];
extern ScrollList log_current_missions;
extern ScrollList log_chart_list;
// The map ids of the place list, as many as maps.dat lists.
extern std::vector<std::uint16_t> log_places;

// The lines mission text n takes in the log (20-pixel font, at most 10 lines, 410 wide); 0
// without a record.
std::uint16_t count_mission_lines(std::uint16_t n);
// Adds one piece of every fame record of the type to the list.
void collect_fame(ItemNode* list, std::uint16_t type);
// The three mission lists and their scroll lists from the game flags.
void build_mission_lists();
// Chooses a monster (or item) kind in the chart; a changed monster kind also flushes the model
// cache, whose monster models the chart no longer shows.
void choose_monster_kind(int kind);
void choose_item_kind(int kind);
// The chart's cursor row of that kind in the list (also while the tab strip has the focus and the
// chart list is cleared), or null when the kind has no such row.
ItemNode* chart_cursor_node(ItemNode* list, std::uint16_t kind);
// Makes sub-tab k the current mission list.
void choose_mission_list(int k);

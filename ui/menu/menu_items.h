#pragma once
// The menu's items page (menu page 1): the party's bag in eight tabs, using an item on a member,
// the field items (save, story, travel, battle and placement), discarding and tidying. The
// selection is kept as a row and an object number and found in the bag again each time it is
// used, so no bag node is held from one frame to the next.
#include <cstdint>

#include "ui/scroll_list.h"

struct ItemNode;

enum : int {
  item_state_list = 0,
  item_state_box = 1,
  item_state_member = 2,
  item_state_discard = 3,
  item_state_placement = 10,
};
constexpr int item_tab_count = 8;
constexpr int item_tidy_tab = 7;
constexpr int placement_role_first = 1130;  // placeable role n has RoleID 1130 + n
constexpr int item_use_wait_frames = 14;
extern const std::uint16_t item_tab_keys[item_tab_count];

extern int item_page_state;
extern int item_tab;
extern ScrollList item_list;
extern std::uint16_t item_selected_object;  // object of the cursor row, 0 when the tab is empty
extern int item_usable;
extern int item_box_choice;                 // 0 use, 1 discard
extern int item_target_flag;                // 1 while the page asks for a member
extern std::uint16_t item_used_object;      // the object member choice uses
extern int item_used_all;                   // its target-all byte
extern int item_use_wait;                   // frames since a use in member choice, 0 when idle
extern int item_use_lock;
extern int item_save_mark;                  // 1 while the save screen runs for the save item
extern int placement_rows, placement_cursor;

void enter_item_page();
void input_item_page();
void update_item_page();
void draw_item_page(int x, int y);

// The node under the cursor row of the current tab, or null.
ItemNode* selected_item_node();
// Effect 1020 on the status card of menu_party[index], with its sound.
void show_use_effect(int index);
// Uses item_used_object; 1 when used.
int use_item();
void discard_item();
void tidy_items();
// Called by the save screen before it writes the slot: takes the save item the mark stands for.
void consume_save_item();
void clear_save_item_mark();
// Leaves the menu and queues the talk for the leader at its place (story items and arts).
void queue_story_talk(std::uint16_t talk);
// Leaves the menu for the world map, centred on the place of the town map the party is on (the
// travel item and the travel art).
void leave_for_world_map();
// The placement list's question was answered (answer 0 confirms) for row n.
void answer_placement(int n, int answer, int recall);

#pragma once
// What the items page's files share (not for other pages).
#include "ui/menu/menu_items.h"
#include "ui/tween.h"

extern int placement_recall, placement_answered, placement_answer;
extern Tween item_list_tween, item_info_tween, item_picture_tween;

// The row count of the current tab again; a top row past it goes back to 0.
void refresh_item_list();
// refresh_item_list, and the cursor row kept below the rows there are.
void keep_cursor_in_list();
// A refusal: the boxes closed, text for 1 second at (320, y), sound 309.
void refuse_item(const char* text, int y);
const char* undiscardable_text();
// Confirm in the placement list: asks its question, or acts on the answer given.
void placement_step();

#pragma once
// The menu's mechanisms page (menu page 4): the mechanisms the party owns as tabs, the chosen
// one's model and its description.

// Rebuilds the list from the listing flags (the menu's entry does it).
void rebuild_mechanism_list();
int mechanism_count();
int mechanism_at(int index);  // mechanism number 0-2 of list entry index, -1 outside the list
int mechanism_selection();
void input_mechanism_page();
void draw_mechanism_page();

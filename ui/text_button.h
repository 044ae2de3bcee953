#pragma once
// Text buttons made from a message box's markup.
void del_all_tbutton();

extern int tbutton_count;      // buttons made from the open boxes' markup
extern int tbutton_choice;     // the highlighted button, 0-based in button order
extern int tbutton_confirmed;  // 1 once the player confirmed the highlighted button

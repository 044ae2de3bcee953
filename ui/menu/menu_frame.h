#pragma once
// State the menu frame's input and draw files share (not for the pages).
#include "ui/menu/menu_system.h"

extern int menu_close_frame;   // close button picture: 2, 3 while hovered
extern int menu_bar_previous;  // the entry highlighted before, 0 none
extern Tween menu_bar_tweens[menu_entry_count];

#pragma once
// Screen buttons: a second button list (sprite or rectangle buttons with callbacks) that every
// screen's frame end draws and the reset empties. Nothing in the game fills it, so it stays
// empty; start-up points its 32 callback slots at an empty handler.
void init_button();
void show_button();
void del_all_button();

#pragma once
// Screen buttons.
void init_button();  // resets the button callback slots
void show_button();
void del_all_button();

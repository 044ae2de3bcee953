#pragma once
// The options panel: message speed, music and sound volume on three sliders, and the map
// effects, mission hints, camera rotation and shadow choices. The menu's system page and the
// title screen show it with the same input and drawing; the values live in User.cfg's globals
// (core/user_cfg.h) and change at once.
#include "ui/slider.h"

constexpr int options_slider_count = 3;
constexpr int options_row_count = 7;  // sliders 0-2, choice rows 3-6
extern Slider options_sliders[options_slider_count];
extern int options_focus;
// 1 while the menu's system page edits the options: the focus bar shows only then on the menu
// (always elsewhere).
extern int options_editing;

void init_options_panel();
void input_options_panel();
void draw_options_panel();
// What leaving the options sets from them: flags 38 and 41 and the field's shadow picture.
void apply_option_flags();

// The rules of the panel, without devices.
// The focus after Up (delta -1) or Down (+1), wrapping 0 <-> 6.
int options_step_focus(int focus, int delta);
// Row 3-6's value stepped by delta with wrap-around (rows 3-5 two values, row 6 three).
int options_step_choice(int row, int value, int delta);
// Where a wheel step puts the pointer for the focus.
void options_focus_point(int focus, int* x, int* y);
// The User.cfg option index of row 3-6.
int options_row_option(int row);
// Stores slider i's value where it belongs (with its sound or music volume).
void options_store_slider(int i);

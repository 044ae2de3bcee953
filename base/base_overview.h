#pragma once
// The base camp's overview (sub-mode 0): turning the view, picking houses and landmarks, the
// top bar, leaving, and the developer keys.
struct HouseRecord;

void input_base_overview();
void pick_base_tooltip();
// The record under the mouse, houses before landmarks (the strictly nearest wins); null when
// nothing is hit. *landmark tells which list it came from.
HouseRecord* pick_base_record(bool* landmark);

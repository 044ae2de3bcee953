#pragma once
// The base camp, game mode 10.
void input_base_camp();
void run_base_camp_talks();
void draw_base_camp();

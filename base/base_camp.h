#pragma once
// The base camp, game mode 10.
struct G3dWld;

void input_base_camp();
void run_base_camp_talks();
void draw_base_camp();

// The base camp's world, loaded by init_base_map.
extern G3dWld base_world;
// Loads the base map and, when there are no houses, builds the default dwelling.
void init_base_map();

#pragma once
// The screen tile fade: a transition that would copy the screen into tiles fading out. Its
// start does nothing in this system, so no tile ever exists; the work buffer is kept from
// start-up to shut-down.
void init_screen_tile_fade();
void free_screen_tile_fade();  // safe when nothing is allocated
void set_screen_tile_fade_step(short step);
void start_screen_tile_fade();  // returns at once: no fade starts
int draw_screen_tile_fade();    // draws nothing; 0
int is_screen_tile_fade_done();  // 1: no tile fade runs
short screen_tile_fade_step();

#pragma once
// The screen tile fade: its work buffer, allocated at start-up and freed at shut-down.
void init_screen_tile_fade();
void free_screen_tile_fade();  // safe when nothing is allocated

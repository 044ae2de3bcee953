// The screen tile fade.
#include "g3d/screen_tile_fade.h"

void init_screen_tile_fade() {}
void free_screen_tile_fade() {}

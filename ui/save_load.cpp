// The save and load screens.
#include "ui/save_load.h"

#include "g3d/renderer.h"

void input_save_system() {}
void input_load_system() {}
void update_load_system() {}
void draw_save_system() { renderer.present(); }

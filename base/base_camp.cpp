// The base camp.
#include "base/base_camp.h"

#include "g3d/renderer.h"
#include "g3d/wld_world.h"

G3dWld base_world;

void input_base_camp() {}
void run_base_camp_talks() {}
void draw_base_camp() { renderer.present(); }
void init_base_map() {}

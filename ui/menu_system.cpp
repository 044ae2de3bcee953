// The menu system.
#include "ui/menu_system.h"

#include "g3d/renderer.h"

void input_menu_system() {}
void draw_menu_system() { renderer.present(); }

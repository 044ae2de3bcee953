// The shop.
#include "ui/shop.h"

#include "g3d/renderer.h"

void input_shop_system() {}
void draw_shop_system() { renderer.present(); }

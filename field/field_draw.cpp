// Field drawing.
#include "field/field_draw.h"

#include "g3d/renderer.h"

ActInstance shadow_instance;

void draw_field() { renderer.present(); }

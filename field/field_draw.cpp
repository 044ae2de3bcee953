// Field drawing.
#include "field/field_draw.h"

#include "g3d/renderer.h"

void draw_field() { renderer.present(); }

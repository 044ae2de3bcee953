// The debug overlay.
#include "field/debug_overlay.h"

void draw_debug_info() {}

// Animation drawing.
#include "field/act_draw.h"

void draw_act_3d(ActInstance*, float, float, float, float, float, float, float, float, float,
                 std::uint32_t, int) {}

#pragma once
// Field drawing; ends the frame with a present.
#include "g3d/act_animation.h"

void draw_field();

// The role shadow's picture: ACT 9010, QQ 1 (2 for translucent shadows), set up by the map change.
extern ActInstance shadow_instance;

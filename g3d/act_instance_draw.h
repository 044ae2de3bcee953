#pragma once
// An animation instance's current picture drawn as a 2D sprite into the back buffer. Least
// version, enough for the effects; the animation drawing kit replaces it.
#include "gfx2d/sprite_blitter.h"

struct ActInstance;

// The instance's picture with its hot spot at (x, y); nothing when its resource is 0. The
// instance is not advanced.
void draw_act_instance(const ActInstance* a, int x, int y, BlitFlags flags);

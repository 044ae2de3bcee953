#pragma once
// The view scale and the far plane that every viewport set-up of the game passes.
extern float view_scale;  // 10.0 at load
extern float view_far;    // 10000.0 at load

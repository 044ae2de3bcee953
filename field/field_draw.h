#pragma once
// The field frame (game modes 0 and 4): the sky, the roles, the world, translucent roles,
// shadows, effects and weather, scene animations, and the 2D layers on top (talk timer, menu
// icon, minimap and compass, summoning list, fade, message boxes, buttons, dim, console, cursor,
// debug overlay, tile fade); then the frame is presented.
#include <cstdint>

void draw_field();

// The frame times the debug overlay shows: the clock at the previous and at the last present.
extern std::uint32_t field_frame_time_prev;
extern std::uint32_t field_frame_time_now;

// Whether this frame draws the minimap (map with a minimap, not hidden, no message box state 1).
bool field_minimap_shown();

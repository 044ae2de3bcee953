#pragma once
// The compass below the minimap: a dial, a needle that spins slowly, and a rose turned against
// the camera's yaw so that it keeps pointing along the map.
constexpr unsigned short compass_act = 9082;

// The needle's spin angle in degrees; it persists between frames and maps.
extern float compass_spin;

// Draws the compass at the minimap box's top-left corner; the spin advances by half a degree.
void draw_compass();
// The spin angle after one more call: +0.5, back to 0 at 360.
float next_compass_spin(float spin);
// The rose's turn for a camera yaw: 360 - yaw, 0 for a yaw of 360 or more.
float compass_rose_turn(float camera_yaw);

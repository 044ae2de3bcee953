#pragma once
// Field drawing; ends the frame with a present.
void draw_field();

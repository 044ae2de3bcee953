#pragma once
// The monster summoning list drawn over the field, at (x, y), while it is open.
void draw_summon(int x, int y);

#pragma once
// The monster summoning list drawn over the field. Nothing opens it yet, so it draws nothing.
void draw_summon(int x, int y);

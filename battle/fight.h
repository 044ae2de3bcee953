#pragma once
// The battle controller, game mode 20.
void fight_input();
void fight_update();
void fight_draw();
// Leaves the battle (shut-down calls it while mode 20 is current).
void fight_end();

#pragma once
#include <cstdint>

// The battle controller, game mode 20.
void fight_input();
void fight_update();
void fight_draw();
// Leaves the battle (shut-down calls it while mode 20 is current).
void fight_end();
// Starts battle n (its battlefield record and fight-talk script) in game mode 20 with game flag
// 8020; the result is not read.
int SFLB_Call_Fight(std::uint16_t n);
class FightMan;
// The counts and rewards of a unit that has just gone out.
void fight_unit_fell(FightMan* u);
// 1 when a talk started the battle (read by the battle units' state handling).
extern int fight_from_talk;

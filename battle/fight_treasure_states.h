#pragma once
// The per-frame handlers of the treasure commands' states (15-22, 25) and of an enemy's call of
// a companion (59), and the effect a command raises over each of its targets.
#include <cstdint>

class FightMan;

// Runs the unit's state when it is one of these: true then.
bool fight_treasure_state(FightMan& u);
// One special effect of the ACT and QQ at each target of the running action, raised by dy;
// with follow 1 each carries the actor and its target.
void fight_effect_on_targets(std::uint16_t act, std::uint16_t qq, int dy, int follow);

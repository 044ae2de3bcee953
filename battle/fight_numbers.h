#pragma once
// Applying an action's results: the damage rule asked per target, the floating numbers that
// carry each change to its unit, and the deferred pass that applies the changes.
#include <cstdint>

class FightMan;

constexpr std::uint32_t apply_damage_rule = 0x80000000, apply_hurt = 0x40000000;

// For each target, with bit 31 of flags: the damage rule and its numbers; with bit 30 every
// target's hurt reaction afterwards. A null actor does nothing; null targets are passed over.
void fight_apply_action(FightMan* actor, FightMan** targets, int count, std::uint32_t flags);
void fight_request_hp_pass(int on);
void fight_apply_pending_hp();
extern int fight_hp_pass_requested;
// The drift generator of the floating numbers: its own state, so that numbers never shift the
// game's rolls.
extern std::uint32_t hit_number_drift_state;

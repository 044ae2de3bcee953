#pragma once
// The developer's forced enemy action: an enemy plays any ATK script on party unit 0 (the
// console's "atk" command and Ctrl+R).
#include <cstdint>

// The arguments of the last call (Ctrl+R repeats it).
extern std::uint16_t debug_atk_enemy, debug_atk_script;
// The action record the forced script carries.
constexpr std::uint16_t debug_atk_action = 5407;

// Enemy n (from 1) performs ATK script atk on party unit 0; the running turn is closed first.
// An n past the battle's enemies is refused.
void fight_debug_atk(std::uint16_t n, std::uint16_t atk);

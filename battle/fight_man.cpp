// Battle units in their least form: what the set-up wrote is what the AI reads.
#include "battle/fight_man.h"

FightMan gmFightMan[fight_unit_slots];
int ActMan = 0;
std::int16_t fight_ally_count = 0;
std::int16_t fight_enemy_count = 0;
std::int16_t fight_guest_count = 0;
std::int16_t fight_fallen_allies = 0;
std::int16_t fight_fallen_enemies = 0;
std::int16_t fight_fallen_called = 0;

int FightMan::AiChooseAction(std::uint16_t, FightMan*, ItemData*) { return can_act; }

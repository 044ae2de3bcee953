// The action being prepared and the talisman gauge.
#include "battle/fight_action.h"

FightAction fight_action;
std::uint8_t talisman_gauge_element = 0;
std::uint8_t talisman_gauge_count = 0;

// Battlefield records.
#include "battle/battlefield.h"

void init_fight_field(const char*) {}

// ATK action scripts.
#include "battle/atk_script.h"

void open_fight_atk_data() {}
void free_fight_atk_data() {}

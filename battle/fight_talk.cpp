// Fight-talk scripts.
#include "battle/fight_talk.h"

void open_fight_talk_data() {}
void free_fight_talk_data() {}

// The talk queue and the script files until the interpreters land: nothing runs.
#include "script/talk_queue.h"

MapRole TalkEventQueue[2];

void open_talk_data() {}
void close_talk_data() {}
void open_AI_data() {}
void close_AI_data() {}
void run_talk(MapRole*) {}
void tick_talk_timer() {}
int talk_timer_minutes() { return 0; }
void talk_timer_minutes(int, int) {}

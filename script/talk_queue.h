#pragma once
// The talk queue, the talk and AI script files and the talk timer, with the least behaviour their
// callers need until the interpreters land: nothing queued runs, the files open as empty.
#include "data/map_role.h"

// Queued talk events are map role records (data/map_role.h).
extern MapRole TalkEventQueue[2];

void open_talk_data();
void close_talk_data();
void open_AI_data();
void close_AI_data();
void run_talk(MapRole* event);
void tick_talk_timer();
int talk_timer_minutes();
void talk_timer_minutes(int x, int y);  // draws the minutes left at x, y

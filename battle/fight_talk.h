#pragma once
// Fight-talk scripts (FigTalk.GLL).
void open_fight_talk_data();
void free_fight_talk_data();

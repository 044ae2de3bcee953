#pragma once
// Fight-talk scripts (FigTalk.GLL). Until their interpreter lands, a battle's talk only allows
// its victory.
#include <cstdint>

void open_fight_talk_data();
void free_fight_talk_data();
void fight_talk_start(std::uint16_t n);
void fight_talk_step();

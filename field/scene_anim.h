#pragma once
// Scene animations.
void play_ani();
void del_all_ani();

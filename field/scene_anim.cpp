// Scene animations.
#include "field/scene_anim.h"

void play_ani() {}
void del_all_ani() {}

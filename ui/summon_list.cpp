// The monster summoning list, in its least form: closed, nothing to draw.
#include "ui/summon_list.h"

void draw_summon(int, int) {}

#include "data/music_state.h"

int music_ids[4] = {};
int music_params[4] = {};
int talk_music_mark = 0;
char music_name[music_name_size] = {};

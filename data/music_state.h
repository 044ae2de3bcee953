#pragma once
// The music ids the map change and the talk scripts share: entries 0 and 1 are the current map's
// two music ids and their parameters (set from the map database), entries 2 and 3 the talk's.
extern int music_ids[4];
extern int music_params[4];
// 1 while a talk script holds its own music: the map change then keeps the music playing.
extern int talk_music_mark;

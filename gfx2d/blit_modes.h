#pragma once
// The mode routines of BlendModeTable, installed group by group by init_blend_mode_table.
// A new group of modes adds its routines here and one install call there.
#include "gfx2d/sprite_blitter.h"

// RLE modes 0 (copy) and 1 (saturating add): indices 0-5.
void blit_rle_copy(int x, int y, int w, int h, std::intptr_t extra);
void blit_rle_copy_mirror(int x, int y, int w, int h, std::intptr_t extra);
void blit_rle_add(int x, int y, int w, int h, std::intptr_t extra);
void blit_rle_add_mirror(int x, int y, int w, int h, std::intptr_t extra);
void install_rle_copy_add_modes(BlendModeRoutine* table);

// Raw pictures: indices 64-84.
void blit_raw_copy(int x, int y, int w, int h, std::intptr_t extra);
void blit_raw_copy_mirror(int x, int y, int w, int h, std::intptr_t extra);
void blit_raw_keyed(int x, int y, int w, int h, std::intptr_t extra);
void blit_raw_keyed_mirror(int x, int y, int w, int h, std::intptr_t extra);
void blit_raw_fade_fill(int x, int y, int w, int h, std::intptr_t extra);
void blit_raw_level(int x, int y, int w, int h, std::intptr_t extra);
void install_raw_blit_modes(BlendModeRoutine* table);

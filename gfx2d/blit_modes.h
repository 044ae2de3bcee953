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

// RLE mode 2, the alpha map: indices 8-9. extra is the map, one byte per picture pixel.
void blit_rle_alpha(int x, int y, int w, int h, std::intptr_t extra);
void blit_rle_alpha_mirror(int x, int y, int w, int h, std::intptr_t extra);
void install_alpha_map_modes(BlendModeRoutine* table);

// RLE modes 4 (tint) and 6 (outlined copy): indices 16-17, 24-25.
void blit_rle_tint(int x, int y, int w, int h, std::intptr_t extra);
void blit_rle_tint_mirror(int x, int y, int w, int h, std::intptr_t extra);
void blit_rle_outline(int x, int y, int w, int h, std::intptr_t extra);
void blit_rle_outline_mirror(int x, int y, int w, int h, std::intptr_t extra);
void install_tint_outline_modes(BlendModeRoutine* table);

// RLE modes 5 (level blend) and 7 (fade down): indices 20-23, 28.
void blit_rle_level(int x, int y, int w, int h, std::intptr_t extra);
void blit_rle_level_mirror(int x, int y, int w, int h, std::intptr_t extra);
void blit_rle_fade_down(int x, int y, int w, int h, std::intptr_t extra);
void install_level_blend_modes(BlendModeRoutine* table);

// RLE effect modes 3 (shadow), 8 (tinted add), 9 (fill; extra is the address of the colour
// word), 10 (grey), 11 (subtract) and 12 (shimmer): indices 12-15, 32-33, 36-45, 48-51.
void blit_rle_shadow(int x, int y, int w, int h, std::intptr_t extra);
void blit_rle_shadow_mirror(int x, int y, int w, int h, std::intptr_t extra);
void blit_rle_add_tint(int x, int y, int w, int h, std::intptr_t extra);
void blit_rle_add_tint_mirror(int x, int y, int w, int h, std::intptr_t extra);
void blit_rle_fill(int x, int y, int w, int h, std::intptr_t extra);
void blit_rle_fill_mirror(int x, int y, int w, int h, std::intptr_t extra);
void blit_rle_grey(int x, int y, int w, int h, std::intptr_t extra);
void blit_rle_grey_mirror(int x, int y, int w, int h, std::intptr_t extra);
void blit_rle_subtract(int x, int y, int w, int h, std::intptr_t extra);
void blit_rle_subtract_mirror(int x, int y, int w, int h, std::intptr_t extra);
void blit_rle_shimmer(int x, int y, int w, int h, std::intptr_t extra);
void blit_rle_shimmer_mirror(int x, int y, int w, int h, std::intptr_t extra);
void install_effect_modes(BlendModeRoutine* table);

// The scaled routines, reached only by put_pic's scaled path: indices 128-152 (modes 32-38)
// and 192 (mode 48, one-byte pixels through blit_palette). extra is the address of the flags.
void blit_scaled_copy(int x, int y, int w, int h, std::intptr_t flags);
void blit_scaled_add(int x, int y, int w, int h, std::intptr_t flags);
void blit_scaled_tint(int x, int y, int w, int h, std::intptr_t flags);
void blit_scaled_level(int x, int y, int w, int h, std::intptr_t flags);
void blit_scaled_fill(int x, int y, int w, int h, std::intptr_t flags);
void blit_scaled_grey(int x, int y, int w, int h, std::intptr_t flags);
void blit_scaled_subtract(int x, int y, int w, int h, std::intptr_t flags);
void blit_palette_rle(int x, int y, int w, int h, std::intptr_t flags);
void install_scaled_modes(BlendModeRoutine* table);

// The first index of the scaled routines: the ordinary path never calls one.
constexpr int first_scaled_index = 128;

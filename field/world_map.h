#pragma once
// The world map, game mode 11, and its lists.
void input_game_map();
void update_game_map();
void draw_game_map();
void free_game_map();
void free_mark();
void free_game_map_clouds();
void free_game_map_buf();

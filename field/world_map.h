#pragma once
// The world map, game mode 11, and its lists.
#include <cstdint>
#include <span>
void input_game_map();
void update_game_map();
void draw_game_map();
void free_game_map();
void free_mark();
void free_game_map_clouds();
void free_game_map_buf();
// Builds the world-map place list from table 14 of the map database; 1, or 0 on a bad record.
int read_game_map(std::span<const std::uint8_t> table);

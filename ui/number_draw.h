#pragma once
// Numbers drawn with digit sprites (the battle's floating numbers) and rows of one picture.
#include <cstdint>

struct HitNumber;

// The node's value, most significant digit first; a value of 0 shows one "0".
void draw_number(HitNumber* node);
// count copies of act/qq in a row from the point (flat: on the screen), in the shared state's
// colour and render flags.
void draw_sprite_row(std::uint16_t act, std::uint16_t qq, int count, const int point[3], int flat);
// The digits of a value as draw_number shows them; returns how many.
int number_digits(std::uint32_t value, int out[10]);

#pragma once
// The battle HUD as the engine reaches it: its party panels shown or hidden, and the flag that
// asks it to redraw the party's values. The HUD's drawing comes with the player's side of the
// battle; until then nothing is drawn.
#include <cstdint>

void set_hud_visible(int on);
void fight_hud_draw(int x, int y);
extern int hud_visible;
extern int hud_refresh;

// The talisman gauge: an action grants talismans of an element to its side's gauge.
void talisman_gain(std::uint16_t side_bits, std::uint8_t element, std::uint8_t count);

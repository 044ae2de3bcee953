#pragma once
// Text drawn straight into the back buffer with one of the game's glyph fonts.
#include <cstdint>

class GlyphFont;

// Without background; mode is the font's draw style (GlyphStyle).
void draw_text_at(GlyphFont& font, int x, int y, const char* text, std::uint16_t colour, std::uint16_t mode);

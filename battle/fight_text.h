#pragma once
// Formatted text for the battle's screens, drawn with one of the game's fonts in a colour of the
// text colour table.
#include <cstdio>

#include "core/text_colours.h"
#include "gfx2d/glyph_font.h"
#include "ui/text_draw.h"

template <class... A>
void fight_text(GlyphFont& font, int x, int y, int colour, std::uint16_t mode, const char* format, A... args) {
  char text[128];
  std::snprintf(text, sizeof text, format, args...);
  draw_text_at(font, x, y, text, text_colours[colour], mode);
}

// A name on a plate: drawn twice, the second time one pixel to the left, in the plate colour with
// a shadow of the same colour.
void fight_plate_text(GlyphFont& font, int x, int y, const char* text);

#include "gfx2d/game_fonts.h"

GlyphFont font_20;
GlyphFont font_16;
GlyphFont font_12;

GlyphFont base_font_20;
GlyphFont base_font_12;
GlyphFont base_font_14;
GlyphFont base_font_15;
GlyphFont base_font_16;
GlyphFont base_font_18;
GlyphFont base_font_25;

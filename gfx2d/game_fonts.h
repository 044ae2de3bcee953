#pragma once
// The game's glyph fonts, built before start-up: the three general fonts that start-up binds to
// the display (and the display restore binds again), and the seven fonts that the base-building
// screens bind while they are open.
#include "gfx2d/glyph_font.h"

// The face every font of the game asks for: "細明體".
inline constexpr char kGameFontFace[] = "\xB2\xD3\xA9\xFA\xC5\xE9";

extern GlyphFont font_20;  // advance 22
extern GlyphFont font_16;  // advance 18
extern GlyphFont font_12;  // advance 14

extern GlyphFont base_font_20;
extern GlyphFont base_font_12;
extern GlyphFont base_font_14;
extern GlyphFont base_font_15;
extern GlyphFont base_font_16;
extern GlyphFont base_font_18;
extern GlyphFont base_font_25;

#pragma once
// A font rasteriser for tests, so that what the glyph fonts draw does not depend on a font file.
// Each character fills a cell of the pixel size in height and the full size (two-byte
// characters) or half of it (ASCII) in width, with the shape of a "Γ" one pixel in from the
// cell's top-left and a dot whose place depends on the character's bytes.
#include <string>

namespace fake_font {

// Makes platform::open_font return fake fonts until uninstall.
void install();
void uninstall();
// Strings drawn by fake fonts since install.
int renders();
const std::string& last_rendered();
// The face and size the last fake font was opened with.
const std::string& last_face();
int last_size();

// The game's three fonts (20, 16 and 12 pixels, the game's face and advances) on the display,
// drawn by fake fonts; release_game_fonts lets them go and uninstalls the fakes.
void install_game_fonts();
void release_game_fonts();

}  // namespace fake_font

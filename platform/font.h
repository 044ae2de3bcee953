#pragma once
// The font rasteriser behind the glyph fonts: a font face at a pixel size that draws a short
// string into an 8-bit cell, as a text-out into a surface would. The FreeType backend picks the
// face through fontconfig (a Ming-style CJK font); QORV_FONT=/path/to/font overrides the file.
#include <cstdint>
#include <memory>
#include <string>

namespace platform {

class Font {
 public:
  virtual ~Font() = default;
  // Draws `text` (zero-ended; ASCII bytes and GB2312 two-byte characters) left to right from
  // column 0, with the top of the font's cell on row 0: the baseline lies at the font's ascent.
  // Every pixel the ink covers inside width x height becomes nonzero in pixels[row * pitch +
  // column]; nothing else is written.
  virtual void draw(const char* text, std::uint8_t* pixels, int width, int height, int pitch) = 0;
  // The same for UTF-8 text (the platform's own boxes); returns the width the text advanced.
  // pixels may be null to measure only. A rasteriser without it draws nothing.
  virtual int draw_utf8(const std::string& /*utf8*/, std::uint8_t* /*pixels*/, int /*width*/,
                        int /*height*/, int /*pitch*/) {
    return 0;
  }
};

// Opens `face` (its name as the game writes it, Big5 or GB2312 bytes) with a character height
// of pixel_size pixels. Null when no font file can be opened.
std::unique_ptr<Font> open_font(const char* face, int pixel_size);

// Replaces how fonts are opened, for tests that draw with a fake rasteriser; null restores the
// real one. Returns the opener that was in place (null for the real one).
using FontOpener = std::unique_ptr<Font> (*)(const char* face, int pixel_size);
FontOpener set_font_opener(FontOpener opener);

}  // namespace platform

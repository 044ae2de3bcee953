// Text drawn into the back buffer.
#include "ui/text_draw.h"

#include "g3d/renderer.h"
#include "gfx2d/glyph_font.h"

void draw_text_at(GlyphFont& font, int x, int y, const char* text, std::uint16_t colour, std::uint16_t mode) {
  std::uint16_t* pixels = renderer.lock_back_buffer();
  if (!pixels) return;
  font.set_back_color(GlyphFont::kNoBackground);
  font.draw_text(pixels, x, y, text, colour, mode);
  renderer.unlock_back_buffer(pixels);
}
